#include "framework/CFile.h"

#include "framework/FileBackend.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

using afx_backend::Files;

namespace {

void Fill(CFileException* pError, int cause, long lOsError, const char* pszPath) {
    if (pError) {
        pError->m_cause = cause;
        pError->m_lOsError = lOsError;
        pError->m_strFileName = pszPath;
    }
}

// Replace and Rename: failures name the target.
BOOL Move(int (*pfnMove)(const char*, const char*, long*), const char* pszSource,
          const char* pszTarget, CFileException* pError) {
    if (!pszSource || !pszTarget) {
        Fill(pError, CFileException::badPath, -1, pszTarget);
        return FALSE;
    }
    long lOsError = 0;
    int cause = pfnMove(pszSource, pszTarget, &lOsError);
    // The new name lasts only once its folder is on the disk.
    if (cause == CFileException::none)
        cause = Files().pfnSyncFolder(pszTarget, &lOsError);
    if (cause != CFileException::none) {
        Fill(pError, cause, lOsError, pszTarget);
        return FALSE;
    }
    return TRUE;
}

// Eight hex digits that differ from call to call and, with high odds, from process to process:
// the clock at first use and an address that varies with where the program is loaded seed a
// sequence. A clash only costs another try, since a name is taken only when nothing holds it.
std::string UniquePart() {
    static std::uint64_t s_state =
        static_cast<std::uint64_t>(
            std::chrono::high_resolution_clock::now().time_since_epoch().count()) ^
        reinterpret_cast<std::uintptr_t>(&s_state);
    s_state = s_state * 6364136223846793005ULL + 1442695040888963407ULL;
    char sz[9];
    std::snprintf(sz, sizeof sz, "%08x", static_cast<unsigned>(s_state >> 32));
    return sz;
}

// Open and OpenNew: pfnOpen(path, &handle, &error) asks the back end.
template <class OpenFn>
BOOL OpenBy(OpenFn pfnOpen, const char* pszFileName, std::intptr_t& hFile, CString& strFileName,
            CFileException* pError) {
    const bool bOpen = hFile != CFile::hFileNull;
    if (bOpen || !pszFileName || !*pszFileName) {
        Fill(pError, bOpen ? CFileException::generic : CFileException::badPath, -1, pszFileName);
        return FALSE;
    }
    long lOsError = 0;
    int cause = pfnOpen(pszFileName, &hFile, &lOsError);
    if (cause != CFileException::none) {
        hFile = CFile::hFileNull;
        Fill(pError, cause, lOsError, pszFileName);
        return FALSE;
    }
    strFileName = pszFileName;
    return TRUE;
}

} // namespace

CFile::~CFile() {
    if (IsOpen()) {
        long lOsError = 0;
        Files().pfnClose(m_hFile, &lOsError);
        m_hFile = hFileNull;
    }
}

BOOL CFile::Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError) {
    const auto open = [nOpenFlags](const char* pszPath, std::intptr_t* phFile, long* pOsError) {
        return Files().pfnOpen(pszPath, nOpenFlags, phFile, pOsError);
    };
    return OpenBy(open, pszFileName, m_hFile, m_strFileName, pError);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    if (!IsOpen())
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    if (nCount == 0)
        return 0;
    UINT nRead = 0;
    long lOsError = 0;
    int cause = Files().pfnRead(m_hFile, lpBuf, nCount, &nRead, &lOsError);
    if (cause != CFileException::none)
        AfxThrowFileException(cause, lOsError, m_strFileName);
    return nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    if (!IsOpen())
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    const char* p = static_cast<const char*>(lpBuf);
    // A write may take fewer bytes than asked: the rest goes in the next one.
    while (nCount > 0) {
        UINT nWritten = 0;
        long lOsError = 0;
        int cause = Files().pfnWrite(m_hFile, p, nCount, &nWritten, &lOsError);
        if (cause != CFileException::none)
            AfxThrowFileException(cause, lOsError, m_strFileName);
        // A device that takes nothing is full.
        if (nWritten == 0)
            AfxThrowFileException(CFileException::diskFull, lOsError, m_strFileName);
        p += nWritten;
        nCount -= nWritten;
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    if (!IsOpen())
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    if (nFrom > end)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    ULONGLONG pos = 0;
    long lOsError = 0;
    int cause = Files().pfnSeek(m_hFile, lOff, nFrom, &pos, &lOsError);
    if (cause != CFileException::none)
        AfxThrowFileException(cause, lOsError, m_strFileName);
    return pos;
}

ULONGLONG CFile::GetLength() const {
    if (!IsOpen())
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    ULONGLONG n = 0;
    long lOsError = 0;
    int cause = Files().pfnLength(m_hFile, &n, &lOsError);
    if (cause != CFileException::none)
        AfxThrowFileException(cause, lOsError, m_strFileName);
    return n;
}

void CFile::Flush() {
    if (!IsOpen())
        return;
    long lOsError = 0;
    int cause = Files().pfnFlush(m_hFile, &lOsError);
    if (cause != CFileException::none)
        AfxThrowFileException(cause, lOsError, m_strFileName);
}

void CFile::Close() {
    if (!IsOpen())
        return;
    long lOsError = 0;
    // The handle is gone after this whatever the result, as with the OS call itself.
    int cause = Files().pfnClose(m_hFile, &lOsError);
    m_hFile = hFileNull;
    if (cause != CFileException::none)
        AfxThrowFileException(cause, lOsError, m_strFileName);
}

void CFile::Abort() {
    if (!IsOpen())
        return;
    long lOsError = 0;
    Files().pfnClose(m_hFile, &lOsError);
    m_hFile = hFileNull;
}

BOOL CFile::OpenNew(const char* pszFileName, CFileException* pError, BOOL* pbTaken) {
    const auto create = [pbTaken](const char* pszPath, std::intptr_t* phFile, long* pOsError) {
        bool bTaken = false;
        const int cause = Files().pfnCreateNew(pszPath, phFile, &bTaken, pOsError);
        if (pbTaken)
            *pbTaken = bTaken;
        return cause;
    };
    return OpenBy(create, pszFileName, m_hFile, m_strFileName, pError);
}

CFileIdentity CFile::GetIdentity() const {
    if (!IsOpen())
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    CFileIdentity id;
    long lOsError = 0;
    int cause = Files().pfnIdentity(m_hFile, &id.m_nVolume, &id.m_nIndex, &lOsError);
    if (cause != CFileException::none)
        AfxThrowFileException(cause, lOsError, m_strFileName);
    return id;
}

BOOL CFile::OpenUnique(const char* pszFolder, const char* pszPrefix, CFileException* pError) {
    const std::string folder = pszFolder ? pszFolder : "";
    if (IsOpen() || !pszFolder || !pszPrefix ||
        (!folder.empty() && folder.back() != '\\' && folder.back() != '/')) {
        Fill(pError, IsOpen() ? CFileException::generic : CFileException::badPath, -1, pszFolder);
        return FALSE;
    }
    // Names are drawn until one is free; so many taken in a row means something else is wrong.
    const int kTries = 100;
    std::string path;
    for (int i = 0; i < kTries; ++i) {
        path = folder + pszPrefix + UniquePart() + ".tmp";
        long lOsError = 0;
        bool bTaken = false;
        int cause = Files().pfnCreateNew(path.c_str(), &m_hFile, &bTaken, &lOsError);
        if (cause == CFileException::none) {
            m_strFileName = path.c_str();
            return TRUE;
        }
        m_hFile = hFileNull;
        if (!bTaken) {
            Fill(pError, cause, lOsError, path.c_str());
            return FALSE;
        }
    }
    Fill(pError, CFileException::directoryFull, -1, path.c_str());
    return FALSE;
}

BOOL CFile::Replace(const char* pszSource, const char* pszTarget, CFileException* pError) {
    return Move(Files().pfnReplace, pszSource, pszTarget, pError);
}

BOOL CFile::Rename(const char* pszSource, const char* pszTarget, CFileException* pError) {
    return Move(Files().pfnRename, pszSource, pszTarget, pError);
}

BOOL CFile::Remove(const char* pszFileName) {
    if (!pszFileName)
        return FALSE;
    long lOsError = 0;
    return Files().pfnRemove(pszFileName, &lOsError) == CFileException::none;
}

BOOL CFile::GetStatus(const char* pszFileName, CFileStatus& rStatus, CFileException* pError) {
    rStatus = CFileStatus();
    if (!pszFileName || !*pszFileName) {
        Fill(pError, CFileException::badPath, -1, pszFileName);
        return FALSE;
    }
    long lOsError = 0;
    afx_backend::CEntry entry;
    int cause = Files().pfnStatus(pszFileName, &entry, &lOsError);
    if (cause == CFileException::none && entry.strFinalPath.size() >= sizeof rStatus.m_szFullName)
        cause = CFileException::badPath;
    if (cause != CFileException::none) {
        Fill(pError, cause, lOsError, pszFileName);
        return FALSE;
    }
    const int nKind = entry.nKind;
    rStatus.m_attribute = static_cast<BYTE>((entry.bReadOnly ? readOnly : normal) |
                                            (nKind == afx_backend::kindFolder  ? directory
                                             : nKind == afx_backend::kindOther ? device
                                                                               : normal));
    rStatus.m_identity.m_nVolume = entry.nVolume;
    rStatus.m_identity.m_nIndex = entry.nIndex;
    std::memcpy(rStatus.m_szFullName, entry.strFinalPath.c_str(), entry.strFinalPath.size() + 1);
    return TRUE;
}

BOOL AfxFullPath(char* pszPathOut, const char* pszFileIn) {
    pszPathOut[0] = '\0';
    std::string full;
    long lOsError = 0;
    if (!pszFileIn || !*pszFileIn ||
        Files().pfnFullPath(pszFileIn, &full, &lOsError) != CFileException::none ||
        full.size() >= AFX_MAX_PATH_BYTES)
        return FALSE;
    std::memcpy(pszPathOut, full.c_str(), full.size() + 1);
    return TRUE;
}

BOOL AfxNothingAt(const char* pszPath) {
    CFileStatus status;
    CFileException error;
    return !CFile::GetStatus(pszPath, status, &error) &&
           error.m_cause == CFileException::fileNotFound;
}

BOOL AfxIsPathTooLong(const char* pszPath) {
    if (!pszPath || !*pszPath)
        return FALSE;
    std::string full;
    long lOsError = 0;
    // Where no full path can be made, the path as given is judged.
    if (Files().pfnFullPath(pszPath, &full, &lOsError) != CFileException::none)
        return AfxPathLength(pszPath) >= _MAX_PATH;
    return AfxPathLength(full.c_str()) >= _MAX_PATH;
}
