#include "Files.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace e2e {

std::string DirName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string ExeDir() {
    char sz[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, sz, MAX_PATH);
    return DirName(sz);
}

std::string KestrovanePath() {
    char sz[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA("KV_EXE", sz, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return sz;
    return DirName(DirName(ExeDir())) + "\\Kestrovane.exe";
}

std::string ScreenshotDir() {
    std::string dir = DirName(DirName(ExeDir())) + "\\screenshots";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return dir;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(DirName(path), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

CFileHold::CFileHold(const std::string& path)
    : m_h(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr)) {}

CFileHold::~CFileHold() {
    if (m_h != INVALID_HANDLE_VALUE)
        CloseHandle(m_h);
}

} // namespace e2e
