// Builds game archives byte by byte for the tests: header, directory records, data; and a
// temporary folder to keep them in.
#pragma once

#include "tests/support/TempFolder.h"
#include "tools/ArchiveBytes.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using kvtools::ArchiveEntry;
using kvtools::BuildArchive;
using kvtools::EntryOffset;

// Directory records: a data offset, and a name NUL-padded to 13 bytes (a 13-character name fills
// the field without a NUL).
using Records = std::vector<std::pair<std::uint32_t, std::string>>;

// The 21-byte header counting nEntries, its other 19 bytes 0xEE, then the records given.
inline Bytes HeaderAndRecords(unsigned nEntries, const Records& records) {
    Bytes bytes;
    kvtools::putArchiveHeader(bytes, nEntries & 0xFF, nEntries >> 8, 0xEE);
    for (const auto& [dwOffset, strName] : records)
        kvtools::putArchiveRecord(bytes, dwOffset, strName);
    return bytes;
}
