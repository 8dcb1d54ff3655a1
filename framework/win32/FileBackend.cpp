// Win32 file back end. "No sharing" is share mode 0 in CreateFileA: while the handle is open no
// other open of the file succeeds, in this process or any other.
#include "framework/FileBackend.h"

#include "framework/CFile.h"

#include <windows.h>

#include <string>

namespace afx_backend {

namespace {

struct CauseOfError {
    DWORD dwError;
    int nCause;
};

// System errors that have a cause of their own; every other one is generic.
const CauseOfError kCauses[] = {
    {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
    {ERROR_PATH_NOT_FOUND, CFileException::badPath},
    {ERROR_INVALID_NAME, CFileException::badPath},
    {ERROR_BAD_PATHNAME, CFileException::badPath},
    {ERROR_INVALID_DRIVE, CFileException::badPath},
    {ERROR_FILENAME_EXCED_RANGE, CFileException::badPath},
    {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
    {ERROR_ACCESS_DENIED, CFileException::accessDenied}, // also a folder opened as a file
    {ERROR_WRITE_PROTECT, CFileException::accessDenied},
    {ERROR_INVALID_HANDLE, CFileException::invalidFile},
    {ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
    {ERROR_CANNOT_MAKE, CFileException::directoryFull},
    {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
    {ERROR_SEEK, CFileException::badSeek},
    {ERROR_SEEK_ON_DEVICE, CFileException::badSeek},
    {ERROR_NOT_READY, CFileException::hardIO},
    {ERROR_CRC, CFileException::hardIO},
    {ERROR_SECTOR_NOT_FOUND, CFileException::hardIO},
    {ERROR_WRITE_FAULT, CFileException::hardIO},
    {ERROR_READ_FAULT, CFileException::hardIO},
    {ERROR_GEN_FAILURE, CFileException::hardIO},
    {ERROR_IO_DEVICE, CFileException::hardIO},
    {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
    {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
    {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
    {ERROR_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_EOF, CFileException::endOfFile},
};

int CauseOf(DWORD dwError) {
    for (const CauseOfError& entry : kCauses)
        if (entry.dwError == dwError)
            return entry.nCause;
    return CFileException::generic;
}

int Fail(long* pOsError) {
    DWORD dwError = ::GetLastError();
    *pOsError = static_cast<long>(dwError);
    return CauseOf(dwError);
}

HANDLE ToHandle(std::intptr_t hFile) { return reinterpret_cast<HANDLE>(hFile); }

int Open(const char* pszPath, UINT nOpenFlags, std::intptr_t* phFile, long* pOsError) {
    DWORD dwAccess = GENERIC_READ;
    if (nOpenFlags & CFile::modeReadWrite)
        dwAccess = GENERIC_READ | GENERIC_WRITE;
    else if (nOpenFlags & CFile::modeWrite)
        dwAccess = GENERIC_WRITE;
    DWORD dwCreation = OPEN_EXISTING;
    if (nOpenFlags & CFile::modeCreate)
        dwCreation = (nOpenFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    HANDLE h =
        ::CreateFileA(pszPath, dwAccess, 0, nullptr, dwCreation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return Fail(pOsError);
    // Disk files only: a device or a pipe may never end, or never answer.
    if (::GetFileType(h) != FILE_TYPE_DISK) {
        ::CloseHandle(h);
        *pOsError = ERROR_ACCESS_DENIED;
        return CFileException::accessDenied;
    }
    *phFile = reinterpret_cast<std::intptr_t>(h);
    return CFileException::none;
}

int Read(std::intptr_t hFile, void* pBuf, UINT nCount, UINT* pnRead, long* pOsError) {
    DWORD dwRead = 0;
    if (!::ReadFile(ToHandle(hFile), pBuf, nCount, &dwRead, nullptr))
        return Fail(pOsError);
    *pnRead = dwRead;
    return CFileException::none;
}

int Write(std::intptr_t hFile, const void* pBuf, UINT nCount, UINT* pnWritten, long* pOsError) {
    DWORD dwWritten = 0;
    if (!::WriteFile(ToHandle(hFile), pBuf, nCount, &dwWritten, nullptr))
        return Fail(pOsError);
    *pnWritten = dwWritten;
    return CFileException::none;
}

int Seek(std::intptr_t hFile, LONGLONG lOff, UINT nFrom, ULONGLONG* pPos, long* pOsError) {
    DWORD dwMethod = nFrom == CFile::current ? FILE_CURRENT
                     : nFrom == CFile::end   ? FILE_END
                                             : FILE_BEGIN;
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER pos;
    if (!::SetFilePointerEx(ToHandle(hFile), distance, &pos, dwMethod)) {
        *pOsError = static_cast<long>(::GetLastError());
        return CFileException::badSeek;
    }
    *pPos = static_cast<ULONGLONG>(pos.QuadPart);
    return CFileException::none;
}

int Length(std::intptr_t hFile, ULONGLONG* pLength, long* pOsError) {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(ToHandle(hFile), &size))
        return Fail(pOsError);
    *pLength = static_cast<ULONGLONG>(size.QuadPart);
    return CFileException::none;
}

int Flush(std::intptr_t hFile, long* pOsError) {
    if (!::FlushFileBuffers(ToHandle(hFile)))
        return Fail(pOsError);
    return CFileException::none;
}

int Close(std::intptr_t hFile, long* pOsError) {
    if (!::CloseHandle(ToHandle(hFile)))
        return Fail(pOsError);
    return CFileException::none;
}

int CreateNew(const char* pszPath, std::intptr_t* phFile, bool* pbTaken, long* pOsError) {
    HANDLE h = ::CreateFileA(pszPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD dwError = ::GetLastError();
        *pbTaken = dwError == ERROR_FILE_EXISTS || dwError == ERROR_ALREADY_EXISTS;
        return Fail(pOsError);
    }
    *phFile = reinterpret_cast<std::intptr_t>(h);
    return CFileException::none;
}

int Replace(const char* pszSource, const char* pszTarget, long* pOsError) {
    // Write-through: the call returns only once the move is on the disk.
    if (!::MoveFileExA(pszSource, pszTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Fail(pOsError);
    return CFileException::none;
}

int Rename(const char* pszSource, const char* pszTarget, long* pOsError) {
    if (!::MoveFileExA(pszSource, pszTarget, MOVEFILE_WRITE_THROUGH))
        return Fail(pOsError);
    return CFileException::none;
}

int Remove(const char* pszPath, long* pOsError) {
    if (!::DeleteFileA(pszPath))
        return Fail(pOsError);
    return CFileException::none;
}

int SyncFolder(const char*, long*) { return CFileException::none; }

int FullPath(const char* pszPath, std::string* pFullPath, long* pOsError) {
    char szFull[AFX_MAX_PATH_BYTES];
    char* pszName = nullptr;
    const DWORD dwLength = ::GetFullPathNameA(pszPath, sizeof szFull, szFull, &pszName);
    if (dwLength == 0)
        return Fail(pOsError);
    if (dwLength >= sizeof szFull) {
        *pOsError = ERROR_FILENAME_EXCED_RANGE;
        return CFileException::badPath;
    }
    *pFullPath = szFull;
    return CFileException::none;
}

// GetFinalPathNameByHandleA, where the system has it (Vista and later); nullptr on XP, which has
// no symbolic links to files: there the full path of the name reaches the file itself.
using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
FinalPathFn FinalPathFunction() {
    const FARPROC pProc =
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA");
    return reinterpret_cast<FinalPathFn>(reinterpret_cast<void*>(pProc));
}

int Status(const char* pszPath, CEntry* pEntry, long* pOsError) {
    // No access asked: a folder opens too (backup semantics), a pipe does not wait for its
    // other end, and no sharing mode of another program's stands in the way.
    HANDLE h = ::CreateFileA(pszPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD dwError = ::GetLastError();
        *pOsError = static_cast<long>(dwError);
        return dwError == ERROR_PATH_NOT_FOUND ? CFileException::fileNotFound : CauseOf(dwError);
    }
    int nCause = CFileException::none;
    BY_HANDLE_FILE_INFORMATION info;
    if (::GetFileType(h) == FILE_TYPE_DISK) {
        if (!::GetFileInformationByHandle(h, &info)) {
            nCause = Fail(pOsError);
        } else {
            pEntry->nKind =
                (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? kindFolder : kindFile;
            pEntry->bReadOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
            pEntry->nVolume = info.dwVolumeSerialNumber;
            pEntry->nIndex = static_cast<ULONGLONG>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
            char szFinal[AFX_MAX_PATH_BYTES + 8];
            static const FinalPathFn pfnFinalPath = FinalPathFunction();
            const DWORD dwLength =
                pfnFinalPath != nullptr ? pfnFinalPath(h, szFinal, sizeof szFinal, 0) : 0;
            std::string strFinal = dwLength > 0 && dwLength < sizeof szFinal ? szFinal : "";
            // \\?\C:\... for a drive, \\?\UNC\server\... for a share.
            if (strFinal.rfind("\\\\?\\UNC\\", 0) == 0)
                strFinal = "\\\\" + strFinal.substr(8);
            else if (strFinal.rfind("\\\\?\\", 0) == 0)
                strFinal = strFinal.substr(4);
            // Where the system cannot tell (XP, some network file systems), the name's own full
            // path.
            if (strFinal.empty())
                nCause = FullPath(pszPath, &strFinal, pOsError);
            pEntry->strFinalPath = strFinal;
        }
    }
    ::CloseHandle(h);
    return nCause;
}

int Identity(std::intptr_t hFile, ULONGLONG* pnVolume, ULONGLONG* pnIndex, long* pOsError) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(ToHandle(hFile), &info))
        return Fail(pOsError);
    *pnVolume = info.dwVolumeSerialNumber;
    *pnIndex = static_cast<ULONGLONG>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    return CFileException::none;
}

} // namespace

const CFileBackend kSystemFiles = {Open,   Read,       Write,     Seek,    Length,
                                   Flush,  Close,      CreateNew, Replace, Rename,
                                   Remove, SyncFolder, FullPath,  Status,  Identity};

} // namespace afx_backend

int AfxPathLength(const char* pszPath) {
    if (::GetACP() != CP_UTF8)
        return ::lstrlenA(pszPath);
    return ::MultiByteToWideChar(CP_UTF8, 0, pszPath, -1, nullptr, 0) - 1;
}
