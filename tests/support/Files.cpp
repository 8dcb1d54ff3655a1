#include "Files.h"

#include "WindowSearch.h"

#include <filesystem>
#include <fstream>

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
    std::filesystem::create_directories(std::filesystem::u8path(dir), ec);
    return dir;
}

std::string ReadWholeFile(const std::string& path) {
    // Opened without sharing, the file is read only once no one else holds it, and no one writes
    // to it while it is read.
    HANDLE h = INVALID_HANDLE_VALUE;
    WaitUntil(path + " to be let go (opened without sharing)", [&] {
        h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        return h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION;
    });
    std::string bytes;
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    char buf[64 * 1024];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
        bytes.append(buf, got);
    CloseHandle(h);
    return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::u8path(DirName(path)), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace e2e
