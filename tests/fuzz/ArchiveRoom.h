// What the archive's own bytes prove about an entry's room, read without the scan's code.
#pragma once

#include "archive/ArchiveScan.h"
#include "framework/CString.h"
#include "tools/ByteOut.h"

#include <cstring>

inline std::uint32_t OffsetAt(const kvtools::Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// Some whole record past the header names target t and carries dwOffset, and the 17 bytes after
// it give a room of at least dwSize.
inline bool RoomProven(const kvtools::Bytes& b, int t, DWORD dwOffset, DWORD dwSize) {
    for (std::size_t at = kArchiveHeaderSize; at + 2 * kArchiveRecordSize <= b.size();
         at += kArchiveRecordSize) {
        char szName[kArchiveNameSize + 1] = {};
        std::memcpy(szName, &b[at + 4], kArchiveNameSize);
        if (std::memchr(&b[at + 4], '\0', kArchiveNameSize) == nullptr ||
            AfxCompareNoCase(szName, ArchiveTargetName(t)) != 0 || OffsetAt(b, at) != dwOffset)
            continue;
        const std::uint32_t dwNext = OffsetAt(b, at + kArchiveRecordSize);
        if (dwNext >= dwOffset && dwNext - dwOffset >= dwSize)
            return true;
    }
    return false;
}
