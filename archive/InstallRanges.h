// Before an install writes anything, every range it will write, and the range it reads or keeps
// for the start screen's restore, is judged against the archive's whole directory: a directory
// whose entries overlap must not let one entry's block land on another entry's data.
#pragma once

#include "framework/CFile.h"
#include "framework/afxtypes.h"

#include <vector>

struct InstallRange {
    enum Use {
        write, // a block written over the entry's data
        read,  // STRT.SHP's data, read for the restore
        keep   // STRT.SHP's data, the restore's source for later installs: not to be written over
    };
    int nTarget; // the ArchiveTarget whose message a refusal shows
    DWORD dwOffset;
    DWORD dwSize;
    Use use;
};

// Returns the nTarget of the first range, in the given order, that breaks a rule, or -1 when all
// are sound. A range written or read must lie between the end of the directory and the end of the
// file; a written range may hold no other entry's first byte and share its
// own first byte with no other entry that has data; and no two ranges may overlap. Empty ranges
// take part in nothing. Reads the directory once (the records that lie within the file).
int JudgeInstallRanges(CFile& archive, UINT nEntries, const std::vector<InstallRange>& ranges);
