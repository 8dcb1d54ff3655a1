// Builds game archives byte by byte for the tests: header, directory records, data; and a
// temporary folder to keep them in.
#pragma once

#include "tests/support/TempFolder.h"
#include "tools/ArchiveBytes.h"

#include <cstdint>
#include <string>

using kvtools::ArchiveEntry;
using kvtools::BuildArchive;
using kvtools::EntryOffset;

class CArchiveBuilder {
public:
    // The 21-byte header with the entry count in bytes 0 and 1; the other 19 bytes are 0xEE.
    CArchiveBuilder& Header(unsigned nLow, unsigned nHigh) {
        kvtools::putArchiveHeader(m_bytes, nLow, nHigh, 0xEE);
        return *this;
    }
    CArchiveBuilder& Header(unsigned nEntries) { return Header(nEntries & 0xFF, nEntries >> 8); }

    // A 17-byte record: the data offset, then the name NUL-padded to 13 bytes (a 13-character
    // name fills the field without a NUL).
    CArchiveBuilder& Record(std::uint32_t dwOffset, const std::string& strName) {
        kvtools::putArchiveRecord(m_bytes, dwOffset, strName);
        return *this;
    }

    std::size_t Size() const { return m_bytes.size(); }
    const Bytes& Get() const { return m_bytes; }

private:
    Bytes m_bytes;
};
