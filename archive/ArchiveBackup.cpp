#include "archive/ArchiveBackup.h"

#include "archive/ReadWhole.h"

#include <vector>

namespace {

constexpr UINT kCopyPiece = 64 * 1024;

// Something bears the name when it opens, or when it is there but may not be opened (a folder,
// a file held by another program, or one this user may not read). Any other failure is no
// proof: the copy is then attempted, and the rename, which never replaces, still protects it.
BOOL Exists(const CString& strPath) {
    CFile probe;
    CFileException error;
    if (probe.Open(strPath, CFile::modeRead | CFile::shareExclusive | CFile::typeBinary, &error))
        return TRUE;
    return error.m_cause == CFileException::accessDenied ||
           error.m_cause == CFileException::sharingViolation ||
           error.m_cause == CFileException::lockViolation;
}

// The folder part of a path, with its separator; empty for a bare name.
CString FolderOf(const CString& strPath) {
    const std::string path = strPath.str();
    const std::size_t nEnd = path.find_last_of("\\/");
    return nEnd == std::string::npos ? CString() : CString(path.substr(0, nEnd + 1).c_str());
}

CString NameOf(const CString& strPath) {
    const std::string path = strPath.str();
    const std::size_t nEnd = path.find_last_of("\\/");
    return (nEnd == std::string::npos ? path : path.substr(nEnd + 1)).c_str();
}

void CopyWhole(CFile& from, CFile& to) {
    std::vector<unsigned char> piece(kCopyPiece);
    const ULONGLONG nLength = from.GetLength();
    from.SeekToBegin();
    for (ULONGLONG nDone = 0; nDone < nLength;) {
        const UINT nWant =
            nLength - nDone < kCopyPiece ? static_cast<UINT>(nLength - nDone) : kCopyPiece;
        ReadWhole(from, piece.data(), nWant);
        to.Write(piece.data(), nWant);
        nDone += nWant;
    }
    to.Flush();
    to.Close();
}

} // namespace

CString ArchiveBackupPath(const CString& strArchivePath) { return strArchivePath + ".bak"; }

BOOL KeepOriginalArchive(CFile& archive, const CString& strArchivePath, CString& strMessage) {
    const CString strBackup = ArchiveBackupPath(strArchivePath);
    if (Exists(strBackup))
        return TRUE;
    CFileException error;
    CFile copy;
    BOOL bDone = copy.OpenUnique(FolderOf(strArchivePath), NameOf(strBackup) + ".", &error);
    if (bDone) {
        try {
            CopyWhole(archive, copy);
            bDone = CFile::Rename(copy.GetFilePath(), strBackup, &error);
        } catch (const CFileException& e) {
            error = e;
            bDone = FALSE;
        }
        if (!bDone) {
            copy.Abort();
            CFile::Remove(copy.GetFilePath());
        }
    }
    if (!bDone)
        strMessage.Format(
            "ERROR! Panzer2.dat has not been changed: the copy of it as it was before "
            "the first install could not be kept as %s. %s",
            strBackup.GetString(), error.GetErrorMessage().GetString());
    return bDone;
}
