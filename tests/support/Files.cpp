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

namespace {

bool Opens(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

// Runs "Z:\bin\" + command in the folder of linkPath, then waits until linkPath opens or not,
// as bOpens asks: Wine starts a Unix program without telling when it ends.
bool RunOnLink(std::string command, const std::string& linkPath, bool bOpens) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        DirName(linkPath).c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return WaitUntil(linkPath + (bOpens ? " to lead somewhere" : " to go"),
                     [&] { return Opens(linkPath) == bOpens; });
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

} // namespace

bool MakeUnixLink(const std::string& target, const std::string& linkPath) {
    return RunOnLink("Z:\\bin\\ln -s " + target + " " + NameOf(linkPath), linkPath, true);
}

bool RemoveUnixLink(const std::string& linkPath) {
    return RunOnLink("Z:\\bin\\rm " + NameOf(linkPath), linkPath, false);
}

} // namespace e2e
