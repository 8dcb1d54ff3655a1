// The operating system's side of CFile: one implementation in posix/, one in win32/.
// Every function returns CFileException::none on success, else the cause, with the OS error
// code in *pOsError. Internal to the framework.
#pragma once

#include "framework/FileFaults.h"
#include "framework/afxtypes.h"

#include <cstdint>

namespace afx_backend {

int Open(const char* pszPath, UINT nOpenFlags, std::intptr_t* phFile, long* pOsError);
// One read; *pnRead below nCount is not an error (0 at the end of the file).
int Read(std::intptr_t hFile, void* pBuf, UINT nCount, UINT* pnRead, long* pOsError);
// One write; may write fewer bytes than asked.
int Write(std::intptr_t hFile, const void* pBuf, UINT nCount, UINT* pnWritten, long* pOsError);
int Seek(std::intptr_t hFile, LONGLONG lOff, UINT nFrom, ULONGLONG* pPos, long* pOsError);
int Length(std::intptr_t hFile, ULONGLONG* pLength, long* pOsError);
int Flush(std::intptr_t hFile, long* pOsError);
// Releases the handle even when it reports an error.
int Close(std::intptr_t hFile, long* pOsError);
// Creates pszPath for reading and writing without sharing; fails when any file or folder holds
// that name already, and then sets *pbTaken.
int CreateNew(const char* pszPath, std::intptr_t* phFile, bool* pbTaken, long* pOsError);
int Replace(const char* pszSource, const char* pszTarget, long* pOsError);
// Like Replace, but fails when pszTarget exists.
int Rename(const char* pszSource, const char* pszTarget, long* pOsError);
int Remove(const char* pszPath, long* pOsError);

} // namespace afx_backend

namespace afx_test {
namespace detail {
extern bool g_bHookSet;
Fault CallHook(FileOp op, const char* pszPath);
} // namespace detail

// One branch when no hook is set.
inline Fault Consult(FileOp op, const char* pszPath) {
    return detail::g_bHookSet ? detail::CallHook(op, pszPath) : Fault::None;
}
} // namespace afx_test
