// The game archive's byte layout (header, 17-byte directory records, data), written byte by
// byte. Shared by the demo-data generator and the tests' archive builder.
#pragma once

#include "archive/ArchiveScan.h"
#include "tools/ByteOut.h"

#include <cstring>
#include <string>
#include <vector>

namespace kvtools {

// The 21-byte header: the entry count in bytes 0 and 1 (low byte first), then 19 bytes of nFill.
inline void putArchiveHeader(Bytes& b, unsigned nLow, unsigned nHigh, unsigned nFill) {
    put8(b, nLow);
    put8(b, nHigh);
    b.insert(b.end(), kArchiveHeaderSize - 2, static_cast<std::uint8_t>(nFill));
}

// A directory record: the data offset, then the name NUL-padded to 13 bytes (a 13-character
// name fills the field without a NUL; a longer one is cut).
inline void putArchiveRecord(Bytes& b, std::uint32_t dwOffset, const std::string& strName) {
    put32(b, dwOffset);
    std::size_t at = b.size();
    b.resize(at + kArchiveNameSize, 0);
    std::memcpy(&b[at], strName.data(),
                strName.size() < kArchiveNameSize ? strName.size() : kArchiveNameSize);
}

// Grows b to nSize bytes with a pattern that differs from offset to offset, so that a block
// written to the wrong place shows.
inline void padWithPattern(Bytes& b, std::size_t nSize) {
    while (b.size() < nSize)
        b.push_back(static_cast<std::uint8_t>(b.size() * 7 + 3));
}

struct ArchiveEntry {
    std::string strName;
    std::uint32_t dwRoom; // bytes from this entry's data to the next one's
};

// The data offset that BuildArchive gives entry i.
inline std::uint32_t EntryOffset(const std::vector<ArchiveEntry>& entries, std::size_t i) {
    std::uint32_t dwOffset =
        kArchiveHeaderSize + kArchiveRecordSize * static_cast<std::uint32_t>(entries.size() + 1);
    for (std::size_t k = 0; k < i; ++k)
        dwOffset += entries[k].dwRoom;
    return dwOffset;
}

// A well-formed archive: the entries' records, a closing record "END" at the end of the data
// (so the last entry has a room too), then the entries' data one after another, patterned.
inline Bytes BuildArchive(const std::vector<ArchiveEntry>& entries) {
    const unsigned nRecords = static_cast<unsigned>(entries.size()) + 1;
    Bytes b;
    putArchiveHeader(b, nRecords & 0xFF, nRecords >> 8, 0xEE);
    for (std::size_t i = 0; i < entries.size(); ++i)
        putArchiveRecord(b, EntryOffset(entries, i), entries[i].strName);
    const std::uint32_t dwEnd = EntryOffset(entries, entries.size());
    putArchiveRecord(b, dwEnd, "END");
    padWithPattern(b, dwEnd);
    return b;
}

// The targets' places in StandardEntries() with one entry before them.
enum StandardPlace {
    kStandardDossier = 1,
    kStandardFlags = 3,
    kStandardStart = 5,
    kStandardStrt = 7
};

// The archive that the tests and the benchmarks install into: nFirst entries, then DOSSIER.SHP,
// FLAGS1.SHP, STARTSCR.SHP and STRT.SHP, each followed by a filler, since the record right after a
// matched one only ends its slot. The scan reads every record up to the last target. Each target
// has dwTargetRoom bytes, every other entry dwOtherRoom.
inline std::vector<ArchiveEntry> StandardEntries(std::uint32_t dwTargetRoom = 32,
                                                 std::uint32_t dwOtherRoom = 8,
                                                 unsigned nFirst = 1) {
    std::vector<ArchiveEntry> entries;
    for (unsigned i = 0; i < nFirst; ++i)
        entries.push_back({"OTHER" + std::to_string(i) + ".SHP", dwOtherRoom});
    for (const char* pszTarget : {"DOSSIER.SHP", "FLAGS1.SHP", "STARTSCR.SHP", "STRT.SHP"}) {
        entries.push_back({pszTarget, dwTargetRoom});
        entries.push_back({"FILL" + std::to_string(entries.size()) + ".SHP", dwOtherRoom});
    }
    return entries;
}

// A directory record as written: its data offset and its name.
struct ArchiveRecord {
    std::uint32_t dwOffset;
    const char* pszName;
};
using ArchiveRecords = std::vector<ArchiveRecord>;

// The four targets in their order, each followed by a record that gives it 30 bytes of room,
// then more records.
inline ArchiveRecords TargetRecords(std::uint32_t d, std::uint32_t f, std::uint32_t s,
                                    std::uint32_t t, const ArchiveRecords& more = {}) {
    ArchiveRecords records = {{d, "DOSSIER.SHP"},  {d + 30, "a"}, {f, "FLAGS1.SHP"}, {f + 30, "b"},
                              {s, "STARTSCR.SHP"}, {s + 30, "c"}, {t, "STRT.SHP"},   {t + 30, "d"}};
    records.insert(records.end(), more.begin(), more.end());
    return records;
}

// The target pairs of TargetRecords (index 0 to 3, each with the record after it) in the order
// given.
inline ArchiveRecords PairsInOrder(const ArchiveRecords& records, std::vector<int> order) {
    ArchiveRecords out;
    for (int k : order) {
        out.push_back(records[2 * k]);
        out.push_back(records[2 * k + 1]);
    }
    return out;
}

// An archive written record by record: the header counts nCount of them (0: all; those past the
// count lie in the data), then the pattern up to nSize bytes.
inline Bytes BuildDirectory(const ArchiveRecords& records, unsigned nCount, std::size_t nSize) {
    if (nCount == 0)
        nCount = static_cast<unsigned>(records.size());
    Bytes b;
    putArchiveHeader(b, nCount & 0xFF, nCount >> 8, 0xEE);
    for (const ArchiveRecord& r : records)
        putArchiveRecord(b, r.dwOffset, r.pszName);
    padWithPattern(b, nSize);
    return b;
}

} // namespace kvtools
