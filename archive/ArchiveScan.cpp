#include "archive/ArchiveScan.h"

#include "framework/CString.h"

#include <cstring>

namespace {

const char* const kTargetNames[targetCount] = {"DOSSIER.SHP", "FLAGS1.SHP", "STARTSCR.SHP",
                                               "STRT.SHP"};

// The target whose name the record carries, or -1. A name field without a NUL names nothing.
int MatchTarget(const unsigned char* pRecord) {
    const char* pszName = reinterpret_cast<const char*>(pRecord + 4);
    if (std::memchr(pszName, '\0', kArchiveNameSize) == nullptr)
        return -1;
    for (int t = 0; t < targetCount; ++t) {
        if (AfxCompareNoCase(pszName, kTargetNames[t]) == 0)
            return t;
    }
    return -1;
}

} // namespace

const char* ArchiveTargetName(int nTarget) { return kTargetNames[nTarget]; }

DWORD ArchiveRecordOffset(const unsigned char* pRecord) {
    return static_cast<DWORD>(pRecord[0]) | static_cast<DWORD>(pRecord[1]) << 8 |
           static_cast<DWORD>(pRecord[2]) << 16 | static_cast<DWORD>(pRecord[3]) << 24;
}

ArchiveScanResult ScanArchiveDirectory(CFile& file, DWORD dwDossierSize, DWORD dwFlagsSize,
                                       DWORD dwStartSize, BOOL bNoStartScr) {
    const DWORD dwBlockSize[targetCount] = {dwDossierSize, dwFlagsSize, dwStartSize, dwStartSize};
    ArchiveScanResult result;

    // Bytes that a short read did not deliver are never taken as data: a short header or record
    // ends the scan with what was found so far.
    unsigned char header[kArchiveHeaderSize];
    if (file.Read(header, kArchiveHeaderSize) != kArchiveHeaderSize)
        return result;
    const UINT nEntries = header[0] + 256u * header[1];
    result.nEntries = nEntries;

    unsigned char record[kArchiveRecordSize];
    for (UINT nStep = 0; nStep < nEntries; ++nStep) {
        if (file.Read(record, kArchiveRecordSize) != kArchiveRecordSize)
            return result;
        // Each match has read one record more, the one that ends its room. Past the directory's N
        // records the bytes are entry data: they may end a room, but never name a target.
        const UINT nRecord = nStep + static_cast<UINT>(result.nMatches);
        const int t = nRecord < nEntries ? MatchTarget(record) : -1;
        if (t >= 0) {
            const DWORD dwOwn = ArchiveRecordOffset(record);
            // The following record only ends this entry's room; it is never compared, so the
            // next step reads the record after it.
            const BOOL bFollowingRead = file.Read(record, kArchiveRecordSize) == kArchiveRecordSize;
            const DWORD dwFollowing = bFollowingRead ? ArchiveRecordOffset(record) : 0;
            // Without the following record the room cannot be proven; offsets that fall back
            // would make it wrap to a huge size.
            const BOOL bRoomKnown = bFollowingRead && dwFollowing >= dwOwn;
            const BOOL bFits = bRoomKnown && dwFollowing - dwOwn >= dwBlockSize[t];
            // The start screen is never written under bNoStartScr, so its room does not matter.
            const BOOL bTolerated = bNoStartScr && (t == targetStartScr || t == targetStrt);
            if (!bFits && !bTolerated) {
                result.nSlotError = t;
                return result;
            }
            result.entries[t].bFound = TRUE;
            result.entries[t].dwOffset = dwOwn;
            ++result.nMatches;
            if (!bFollowingRead)
                return result; // the file has ended
        }
        if (result.nMatches == targetCount)
            break;
    }
    return result;
}
