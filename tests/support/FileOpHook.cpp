#include "tests/support/FileOpHook.h"

#include "framework/Exceptions.h"
#include "framework/FileBackend.h"

#include <string>
#include <unordered_map>

namespace afx_test {

namespace {

using afx_backend::CFileBackend;

const CFileBackend* g_pBelow = &afx_backend::kSystemFiles;
CFileBackend g_hooked; // *g_pBelow, with the operations that follow passing the hook first

FileOpHook& Hook() {
    static FileOpHook hook;
    return hook;
}

// The file each handle opened under the hook names.
std::unordered_map<std::intptr_t, std::string>& Paths() {
    static std::unordered_map<std::intptr_t, std::string> paths;
    return paths;
}

const char* PathOf(std::intptr_t hFile) {
    const auto it = Paths().find(hFile);
    return it == Paths().end() ? "" : it->second.c_str();
}

Fault See(FileOp op, const char* pszPath) { return Hook() ? Hook()(op, pszPath) : Fault::None; }

// A failure as the system reports one, without an error code of its own.
int Failed(long* pOsError, int nCause) {
    *pOsError = -1;
    return nCause;
}

// An open's result, keeping the path of the handle it gave.
int Opened(int cause, const std::intptr_t* phFile, const char* pszPath) {
    if (cause == CFileException::none)
        Paths()[*phFile] = pszPath;
    return cause;
}

int Open(const char* pszPath, UINT nOpenFlags, std::intptr_t* phFile, long* pOsError) {
    if (See(FileOp::Open, pszPath) == Fault::Fail)
        return Failed(pOsError, CFileException::generic);
    return Opened(g_pBelow->pfnOpen(pszPath, nOpenFlags, phFile, pOsError), phFile, pszPath);
}

int Read(std::intptr_t hFile, void* pBuf, UINT nCount, UINT* pnRead, long* pOsError) {
    const Fault fault = See(FileOp::Read, PathOf(hFile));
    if (fault == Fault::Fail)
        return Failed(pOsError, CFileException::hardIO);
    return g_pBelow->pfnRead(hFile, pBuf, fault == Fault::Short ? nCount / 2 : nCount, pnRead,
                             pOsError);
}

int Write(std::intptr_t hFile, const void* pBuf, UINT nCount, UINT* pnWritten, long* pOsError) {
    const Fault fault = See(FileOp::Write, PathOf(hFile));
    if (fault == Fault::Fail)
        return Failed(pOsError, CFileException::diskFull);
    return g_pBelow->pfnWrite(hFile, pBuf, fault == Fault::Short ? nCount - nCount / 2 : nCount,
                              pnWritten, pOsError);
}

int Seek(std::intptr_t hFile, LONGLONG lOff, UINT nFrom, ULONGLONG* pPos, long* pOsError) {
    if (See(FileOp::Seek, PathOf(hFile)) == Fault::Fail)
        return Failed(pOsError, CFileException::badSeek);
    return g_pBelow->pfnSeek(hFile, lOff, nFrom, pPos, pOsError);
}

int Length(std::intptr_t hFile, ULONGLONG* pLength, long* pOsError) {
    if (See(FileOp::Length, PathOf(hFile)) == Fault::Fail)
        return Failed(pOsError, CFileException::generic);
    return g_pBelow->pfnLength(hFile, pLength, pOsError);
}

int Flush(std::intptr_t hFile, long* pOsError) {
    if (See(FileOp::Flush, PathOf(hFile)) == Fault::Fail)
        return Failed(pOsError, CFileException::diskFull);
    return g_pBelow->pfnFlush(hFile, pOsError);
}

int Close(std::intptr_t hFile, long* pOsError) {
    const Fault fault = See(FileOp::Close, PathOf(hFile));
    Paths().erase(hFile);
    const int cause = g_pBelow->pfnClose(hFile, pOsError);
    return fault == Fault::Fail ? Failed(pOsError, CFileException::diskFull) : cause;
}

int CreateNew(const char* pszPath, std::intptr_t* phFile, bool* pbTaken, long* pOsError) {
    if (See(FileOp::Create, pszPath) == Fault::Fail)
        return Failed(pOsError, CFileException::generic);
    return Opened(g_pBelow->pfnCreateNew(pszPath, phFile, pbTaken, pOsError), phFile, pszPath);
}

int Replace(const char* pszSource, const char* pszTarget, long* pOsError) {
    if (See(FileOp::Replace, pszTarget) == Fault::Fail)
        return Failed(pOsError, CFileException::generic);
    return g_pBelow->pfnReplace(pszSource, pszTarget, pOsError);
}

int Rename(const char* pszSource, const char* pszTarget, long* pOsError) {
    if (See(FileOp::Rename, pszTarget) == Fault::Fail)
        return Failed(pOsError, CFileException::generic);
    return g_pBelow->pfnRename(pszSource, pszTarget, pOsError);
}

int Remove(const char* pszPath, long* pOsError) {
    if (See(FileOp::Remove, pszPath) == Fault::Fail)
        return Failed(pOsError, CFileException::generic);
    return g_pBelow->pfnRemove(pszPath, pOsError);
}

int SyncFolder(const char* pszPath, long* pOsError) {
    if (See(FileOp::SyncFolder, pszPath) == Fault::Fail)
        return Failed(pOsError, CFileException::hardIO);
    return g_pBelow->pfnSyncFolder(pszPath, pOsError);
}

int Status(const char* pszPath, afx_backend::CEntry* pEntry, long* pOsError) {
    if (See(FileOp::Status, pszPath) == Fault::Fail)
        return Failed(pOsError, CFileException::generic);
    return g_pBelow->pfnStatus(pszPath, pEntry, pOsError);
}

// Operations the hook does not know pass straight through.
void Refresh() {
    g_hooked = *g_pBelow;
    g_hooked.pfnOpen = Open;
    g_hooked.pfnRead = Read;
    g_hooked.pfnWrite = Write;
    g_hooked.pfnSeek = Seek;
    g_hooked.pfnLength = Length;
    g_hooked.pfnFlush = Flush;
    g_hooked.pfnClose = Close;
    g_hooked.pfnCreateNew = CreateNew;
    g_hooked.pfnReplace = Replace;
    g_hooked.pfnRename = Rename;
    g_hooked.pfnRemove = Remove;
    g_hooked.pfnSyncFolder = SyncFolder;
    g_hooked.pfnStatus = Status;
}

} // namespace

void SetFileOpHook(FileOpHook hook) {
    Hook() = std::move(hook);
    if (!Hook())
        Paths().clear();
    Refresh();
}

void SetFileBackend(const CFileBackend* pBackend) {
    g_pBelow = pBackend ? pBackend : &afx_backend::kSystemFiles;
    Refresh();
}

} // namespace afx_test

// The framework's files in every test program: the back end below, through the hook while one
// is set. It takes the place of the system's files (framework/FileBackend.h).
const afx_backend::CFileBackend& afx_backend::Files() {
    return afx_test::Hook() ? afx_test::g_hooked : *afx_test::g_pBelow;
}
