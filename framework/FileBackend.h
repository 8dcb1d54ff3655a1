// The operating system's side of CFile: a table of functions, one in posix/, one in win32/.
// Every function returns CFileException::none on success, else the cause, with the OS error
// code in *pOsError. Internal to the framework.
#pragma once

#include "framework/afxtypes.h"

#include <cstdint>
#include <string>

namespace afx_backend {

enum Kind { kindFile, kindFolder, kindOther };

// What stands at a name, links followed.
struct CEntry {
    int nKind = kindOther; // kindOther: a device, a pipe
    bool bReadOnly = false;
    // The path of the thing itself, links resolved; not filled for kindOther.
    std::string strFinalPath;
    // The system's identity of a file or folder: volume and file index, or device and inode.
    ULONGLONG nVolume = 0;
    ULONGLONG nIndex = 0;
};

struct CFileBackend {
    // Opens disk files only: anything else (a device, a pipe) is refused as accessDenied at once.
    int (*pfnOpen)(const char* pszPath, UINT nOpenFlags, std::intptr_t* phFile, long* pOsError);
    // One read; *pnRead below nCount is not an error (0 at the end of the file).
    int (*pfnRead)(std::intptr_t hFile, void* pBuf, UINT nCount, UINT* pnRead, long* pOsError);
    // One write; may write fewer bytes than asked.
    int (*pfnWrite)(std::intptr_t hFile, const void* pBuf, UINT nCount, UINT* pnWritten,
                    long* pOsError);
    int (*pfnSeek)(std::intptr_t hFile, LONGLONG lOff, UINT nFrom, ULONGLONG* pPos, long* pOsError);
    int (*pfnLength)(std::intptr_t hFile, ULONGLONG* pLength, long* pOsError);
    int (*pfnFlush)(std::intptr_t hFile, long* pOsError);
    // Releases the handle even when it reports an error.
    int (*pfnClose)(std::intptr_t hFile, long* pOsError);
    // Creates pszPath for reading and writing without sharing; fails when any file or folder
    // holds that name already, and then sets *pbTaken.
    int (*pfnCreateNew)(const char* pszPath, std::intptr_t* phFile, bool* pbTaken, long* pOsError);
    int (*pfnReplace)(const char* pszSource, const char* pszTarget, long* pOsError);
    // Like Replace, but fails when pszTarget exists.
    int (*pfnRename)(const char* pszSource, const char* pszTarget, long* pOsError);
    int (*pfnRemove)(const char* pszPath, long* pOsError);
    // Hands the folder that holds pszPath to the disk, so that a name just given there survives
    // a power cut. Win32 has nothing to do: its moves are written through.
    int (*pfnSyncFolder)(const char* pszPath, long* pOsError);
    // The absolute path the system makes of pszPath without looking at the disk: the current
    // folder put in front of a relative one, "." and ".." resolved (Win32: GetFullPathName,
    // which also drops the dots and blanks that end a name).
    int (*pfnFullPath)(const char* pszPath, std::string* pFullPath, long* pOsError);
    // What stands at pszPath, links followed; fileNotFound when nothing does. Opens nothing for
    // reading or writing, so it never waits and is not stopped by another program's open.
    int (*pfnStatus)(const char* pszPath, CEntry* pEntry, long* pOsError);
    // The identity of the open file hFile, as CEntry gives it.
    int (*pfnIdentity)(std::intptr_t hFile, ULONGLONG* pnVolume, ULONGLONG* pnIndex,
                       long* pOsError);
};

// The system's files (posix/ or win32/FileBackend.cpp).
extern const CFileBackend kSystemFiles;

// The back end CFile calls. Each program names one in its link: the system's (FileBackend.cpp,
// the object library system_files) or the test programs' (tests/support/FileOpHook.cpp). The
// framework's library holds neither, so a program with none, or with both, does not link.
const CFileBackend& Files();

} // namespace afx_backend
