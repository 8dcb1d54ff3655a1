// A folder of its own for a test, in the system's temporary folder, removed with everything in
// it at the end; the same on POSIX and on Win32.
#pragma once

#include "tools/ByteOut.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

using kvtools::Bytes;

class CTempFolder {
public:
    CTempFolder() {
        std::random_device device;
        std::mt19937_64 random(device() ^
                               static_cast<std::uint64_t>(
                                   std::chrono::steady_clock::now().time_since_epoch().count()));
        const std::filesystem::path temp = std::filesystem::temp_directory_path();
        // A name that another test holds is passed over.
        for (int i = 0; i < 100; ++i) {
            m_path = temp / ("kv-test-" + std::to_string(random() % 1000000000));
            if (std::filesystem::create_directory(m_path))
                return;
        }
        std::abort();
    }
    ~CTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    std::string Path(const std::string& strName) const { return (m_path / strName).string(); }
    // The folder with a trailing separator, the way the tool's folder is given.
    std::string Prefix() const { return (m_path / "").string(); }

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
