// The files the benchmarks work on, made once per size in a temporary folder.
#pragma once

#include "ArchiveBuilder.h"
#include "CatalogueText.h"

#include <string>
#include <vector>

// An archive of nRecords directory records (at least 8) whose four targets come last, each
// after a filler so that the scan compares it: the scan reads every record. Each filler has
// nFillerRoom bytes, each target nTargetRoom.
inline Bytes TargetsLastArchive(unsigned nRecords, std::uint32_t nFillerRoom,
                                std::uint32_t nTargetRoom) {
    std::vector<ArchiveEntry> entries;
    for (unsigned i = 0; i + 8 < nRecords; ++i)
        entries.push_back({"FILL" + std::to_string(i) + ".SHP", nFillerRoom});
    for (const char* pszTarget : {"DOSSIER.SHP", "FLAGS1.SHP", "STARTSCR.SHP", "STRT.SHP"}) {
        entries.push_back({pszTarget, nTargetRoom});
        if (entries.size() + 1 < nRecords) // the last target's room ends at the closing record
            entries.push_back({"GAP" + std::to_string(entries.size()) + ".SHP", nFillerRoom});
    }
    return BuildArchive(entries);
}

inline Bytes ToBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}
