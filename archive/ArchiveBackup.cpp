#include "archive/ArchiveBackup.h"

#include "archive/ReadWhole.h"

#include <vector>

namespace {

constexpr UINT kCopyPiece = 64 * 1024;

const char kBackupSuffix[] = ".bak";

const char kNotKept[] = "ERROR! Panzer2.dat has not been changed: the copy of it as it was before "
                        "the first install could not be kept as %s. %s";
const char kTooLong[] =
    "ERROR! Panzer2.dat has not been changed: its path is too long to keep a copy of it as it "
    "was before the first install beside it (with .bak added it must stay under 260 "
    "characters). Move the game to a folder with a shorter path, then install again.";

// The name the copy is made under: the copy's own with its last letter turned into a tilde, so
// that it fits wherever the copy's name fits, and no other program makes it.
CString TemporaryPath(const CString& strBackup) {
    std::string path = strBackup.str();
    path.back() = '~';
    return path.c_str();
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

// Makes the copy under strTemp and gives it the name strBackup. On failure nothing of it is
// left, under either name, and error tells why.
BOOL MakeCopy(CFile& archive, const CString& strTemp, const CString& strBackup,
              CFileException& error) {
    CFileStatus status;
    // Only the tool makes that name: a file that bears it is what is left of a copy cut short.
    if (CFile::GetStatus(strTemp, status, &error)) {
        if ((status.m_attribute & (CFile::directory | CFile::device)) || !CFile::Remove(strTemp)) {
            error = CFileException(CFileException::accessDenied, -1, strTemp);
            return FALSE;
        }
    } else if (error.m_cause != CFileException::fileNotFound) {
        return FALSE;
    }
    CFile copy;
    if (!copy.Open(strTemp,
                   CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive |
                       CFile::typeBinary,
                   &error))
        return FALSE;
    BOOL bRenamed = FALSE;
    try {
        CopyWhole(archive, copy);
        bRenamed = CFile::Rename(strTemp, strBackup, &error);
    } catch (const CFileException& e) {
        error = e;
    }
    if (!bRenamed) {
        copy.Abort();
        // A rename whose name could not be handed to the disk has moved the file all the same:
        // when the temporary name is gone, the copy's own is the one just given.
        if (!CFile::Remove(strTemp))
            CFile::Remove(strBackup);
    }
    return bRenamed;
}

} // namespace

CString ArchiveBackupPath(const CString& strArchivePath) {
    char szFull[AFX_MAX_PATH_BYTES];
    if (!AfxFullPath(szFull, strArchivePath))
        return CString();
    return CString(szFull) + kBackupSuffix;
}

BOOL IsArchiveBackupPath(const CString& strArchivePath) {
    char szFull[AFX_MAX_PATH_BYTES];
    const int nSuffix = static_cast<int>(sizeof kBackupSuffix) - 1;
    if (!AfxFullPath(szFull, strArchivePath))
        return FALSE;
    const int nFull = CString(szFull).GetLength();
    return nFull >= nSuffix && AfxCompareNoCase(szFull + nFull - nSuffix, kBackupSuffix) == 0;
}

BOOL KeepOriginalArchive(CFile& archive, const CString& strArchivePath, CString& strMessage) {
    const CString strBackup = ArchiveBackupPath(strArchivePath);
    if (strBackup.IsEmpty() || AfxPathLength(strBackup) >= _MAX_PATH) {
        strMessage = kTooLong;
        return FALSE;
    }
    CFileStatus status;
    CFileException error;
    CString strWhy;
    if (CFile::GetStatus(strBackup, status, &error)) {
        if (!(status.m_attribute & (CFile::directory | CFile::device)))
            return TRUE;
        strWhy = status.m_attribute & CFile::directory
                     ? "A folder has that name: move or rename it, then install again."
                     : "Something that is not a file (a device or a pipe) has that name: remove "
                       "it, then install again.";
    } else if (error.m_cause != CFileException::fileNotFound ||
               !MakeCopy(archive, TemporaryPath(strBackup), strBackup, error)) {
        // The user knows the copy by its own name, not by the one it is made under.
        error.m_strFileName = strBackup;
        strWhy = error.GetErrorMessage();
    } else {
        return TRUE;
    }
    strMessage.Format(kNotKept, strBackup.GetString(), strWhy.GetString());
    return FALSE;
}
