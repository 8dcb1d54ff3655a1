// Builds game archives byte by byte for the tests: header, directory records, data; and a
// temporary folder to keep them in.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

class CArchiveBuilder {
public:
    // The 21-byte header with the entry count in bytes 0 and 1; the other 19 bytes are 0xEE.
    CArchiveBuilder& Header(unsigned nLow, unsigned nHigh) {
        Bytes header(21, 0xEE);
        header[0] = static_cast<unsigned char>(nLow);
        header[1] = static_cast<unsigned char>(nHigh);
        return Append(header);
    }
    CArchiveBuilder& Header(unsigned nEntries) { return Header(nEntries & 0xFF, nEntries >> 8); }

    // A 17-byte record: the data offset, then the name NUL-padded to 13 bytes (a 13-character
    // name fills the field without a NUL).
    CArchiveBuilder& Record(std::uint32_t dwOffset, const std::string& strName) {
        Bytes record(17, 0);
        for (int i = 0; i < 4; ++i)
            record[i] = static_cast<unsigned char>(dwOffset >> (8 * i));
        std::memcpy(&record[4], strName.data(), strName.size() < 13 ? strName.size() : 13);
        return Append(record);
    }

    CArchiveBuilder& Append(const Bytes& bytes) {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // Grows the archive to nSize bytes with a pattern that differs from offset to offset.
    CArchiveBuilder& PadTo(std::size_t nSize) {
        while (m_bytes.size() < nSize)
            m_bytes.push_back(static_cast<unsigned char>(m_bytes.size() * 7 + 3));
        return *this;
    }
    std::size_t Size() const { return m_bytes.size(); }
    const Bytes& Get() const { return m_bytes; }

private:
    Bytes m_bytes;
};

struct ArchiveEntry {
    std::string strName;
    std::uint32_t dwRoom; // bytes from this entry's data to the next one's
};

// A well-formed archive: the entries' records, a closing record at the end of the data, then
// the entries' data one after another, each filled with the pattern.
inline Bytes BuildArchive(const std::vector<ArchiveEntry>& entries) {
    CArchiveBuilder builder;
    const unsigned nRecords = static_cast<unsigned>(entries.size()) + 1;
    builder.Header(nRecords);
    std::uint32_t dwOffset = 21 + 17 * nRecords;
    for (const ArchiveEntry& entry : entries) {
        builder.Record(dwOffset, entry.strName);
        dwOffset += entry.dwRoom;
    }
    builder.Record(dwOffset, "END");
    return builder.PadTo(dwOffset).Get();
}

// The data offset that BuildArchive gives entry i.
inline std::uint32_t EntryOffset(const std::vector<ArchiveEntry>& entries, std::size_t i) {
    std::uint32_t dwOffset = 21 + 17 * static_cast<std::uint32_t>(entries.size() + 1);
    for (std::size_t k = 0; k < i; ++k)
        dwOffset += entries[k].dwRoom;
    return dwOffset;
}

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
    Bytes Read(const std::string& strName) const {
        std::ifstream in(Path(strName), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_path;
};
