// The archive the benchmarks scan: the four targets at the end of its directory.
#pragma once

#include "tools/ArchiveBytes.h"

#include <string>
#include <vector>

namespace kvbench {

// An archive of nRecords directory records (at least 8) whose four targets come last, each
// after a filler so that the scan compares it: the scan reads every record. Each filler has
// nFillerRoom bytes, each target nTargetRoom.
inline kvtools::Bytes TargetsLastArchive(unsigned nRecords, std::uint32_t nFillerRoom,
                                         std::uint32_t nTargetRoom) {
    std::vector<kvtools::ArchiveEntry> entries;
    for (unsigned i = 0; i + 8 < nRecords; ++i)
        entries.push_back({"FILL" + std::to_string(i) + ".SHP", nFillerRoom});
    for (const char* pszTarget : {"DOSSIER.SHP", "FLAGS1.SHP", "STARTSCR.SHP", "STRT.SHP"}) {
        entries.push_back({pszTarget, nTargetRoom});
        if (entries.size() + 1 < nRecords) // the last target's room ends at the closing record
            entries.push_back({"GAP" + std::to_string(entries.size()) + ".SHP", nFillerRoom});
    }
    return kvtools::BuildArchive(entries);
}

} // namespace kvbench
