// The game archive's directory: finds the four entries the tool overwrites and tests that each
// one's room (up to the next record's data offset) can take its block.
#pragma once

#include "framework/CFile.h"
#include "framework/afxtypes.h"

// The entries, in the order in which every record's name is compared with them.
enum ArchiveTarget {
    targetDossier = 0,  // DOSSIER.SHP
    targetFlags = 1,    // FLAGS1.SHP
    targetStartScr = 2, // STARTSCR.SHP
    targetStrt = 3,     // STRT.SHP
    targetCount = 4
};

struct ArchiveEntryPos {
    BOOL bFound = FALSE;
    DWORD dwOffset = 0; // the entry's first data byte; meaningful only while bFound
};

struct ArchiveScanResult {
    int nMatches = 0;
    ArchiveEntryPos entries[targetCount];
    int nSlotError = -1; // -1, or the ArchiveTarget whose room is too small or unknown
    UINT nEntries = 0;   // the header's entry count: entry data begins after its records
};

constexpr UINT kArchiveHeaderSize = 21;
constexpr UINT kArchiveRecordSize = 17;
constexpr UINT kArchiveNameSize = 13;

// The archive's file name in the directory for each target.
const char* ArchiveTargetName(int nTarget);

// A directory record's data offset (its first four bytes, little-endian).
DWORD ArchiveRecordOffset(const unsigned char* pRecord);

// Reads the header and the directory records strictly in sequence from the current position
// (just opened: 0), one read per record, and never seeks. With bNoStartScr set, STARTSCR.SHP and
// STRT.SHP are marked found even when their room is too small, since nothing is written there.
ArchiveScanResult ScanArchiveDirectory(CFile& file, DWORD dwDossierSize, DWORD dwFlagsSize,
                                       DWORD dwStartSize, BOOL bNoStartScr);
