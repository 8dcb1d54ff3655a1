// Builds game archives byte by byte for the tests: header, directory records, data; and a
// temporary folder to keep them in.
#pragma once

#include "tools/ArchiveBytes.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using kvtools::ArchiveEntry;
using kvtools::BuildArchive;
using kvtools::Bytes;
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

    CArchiveBuilder& Append(const Bytes& bytes) {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // Grows the archive to nSize bytes with a pattern that differs from offset to offset.
    CArchiveBuilder& PadTo(std::size_t nSize) {
        kvtools::padWithPattern(m_bytes, nSize);
        return *this;
    }
    std::size_t Size() const { return m_bytes.size(); }
    const Bytes& Get() const { return m_bytes; }

private:
    Bytes m_bytes;
};

class CTempFolder {
public:
    CTempFolder() {
        std::string strTemplate =
            (std::filesystem::temp_directory_path() / "kv-archive-XXXXXX").string();
        if (mkdtemp(strTemplate.data()) == nullptr)
            std::abort();
        m_path = strTemplate;
    }
    ~CTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    std::string Path(const std::string& strName) const { return (m_path / strName).string(); }
    // The folder with a trailing separator, the way the tool's folder is given.
    std::string Prefix() const { return m_path.string() + "/"; }

    void Write(const std::string& strName, const Bytes& bytes) const {
        std::ofstream out(Path(strName), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    // In one read: archives of hundreds of megabytes come back in a moment.
    Bytes Read(const std::string& strName) const {
        std::ifstream in(Path(strName), std::ios::binary | std::ios::ate);
        if (!in)
            return Bytes();
        Bytes bytes(static_cast<std::size_t>(in.tellg()));
        in.seekg(0).read(reinterpret_cast<char*>(bytes.data()),
                         static_cast<std::streamsize>(bytes.size()));
        return bytes;
    }

private:
    std::filesystem::path m_path;
};
