#include "archive/ArchiveBackup.h"

#include "archive/ReadWhole.h"

#include <vector>

const char kArchivePathTooLong[] =
    "ERROR! Panzer2.dat has not been changed: its path is too long to keep a copy of it as it "
    "was before the first install beside it (with .bak added it must stay under 260 "
    "characters). Move the game to a folder with a shorter path, then install again.";

namespace {

constexpr UINT kCopyPiece = 64 * 1024;

const char kBackupSuffix[] = ".bak";

const char kNotKept[] = "ERROR! Panzer2.dat has not been changed: the copy of it as it was before "
                        "the first install could not be kept as %s. %s";

// Why the copy's own name cannot be used.
const char kFolderThere[] = "A folder has that name: move or rename it, then install again.";
const char kDeviceThere[] = "Something that is not a file (a device or a pipe) has that name: "
                            "remove it, then install again.";
const char kArchiveThere[] = "That name leads to Panzer2.dat itself (a link to it, or another "
                             "name of the same file): remove that name, then install again.";
// Why the name the copy is made under cannot be used; %s is that name.
const char kFolderInTheWay[] = "A folder has the name %s, under which the copy is made first: "
                               "move or rename it, then install again.";
const char kDeviceInTheWay[] = "Something that is not a file (a device or a pipe) has the name "
                               "%s, under which the copy is made first: remove it, then install "
                               "again.";
const char kLinkInTheWay[] = "%s, under which the copy is made first, is a link to another file: "
                             "remove the link (the file it leads to is left alone), then install "
                             "again.";
const char kNothingThere[] = "%s, under which the copy is made first, is taken by something "
                             "that leads nowhere (a link to a missing file): remove it, then "
                             "install again.";
const char kLeftoverStays[] = "%s, left by a copy cut short, could not be removed: remove it, "
                              "then install again.";

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

// Makes strTemp a new, empty file of the copy's, open in copy. Only the tool makes that name,
// but what stands there is judged and never followed: a file of the tool's, left by a copy cut
// short, is removed; a link (even one that leads nowhere), a folder or anything else stays as it
// is, and strWhy says so. Any other failure to create the file is left in error, strWhy empty.
BOOL CreateTemporary(CFile& copy, const CString& strTemp, CString& strWhy, CFileException& error) {
    CFileStatus status;
    const char* pszInTheWay = nullptr;
    if (CFile::GetStatus(strTemp, status, &error)) {
        if (status.m_attribute & CFile::directory)
            pszInTheWay = kFolderInTheWay;
        else if (status.m_attribute & CFile::device)
            pszInTheWay = kDeviceInTheWay;
        else if (AfxCompareNoCase(status.m_szFullName, strTemp) != 0)
            pszInTheWay = kLinkInTheWay;
        else if (!CFile::Remove(strTemp))
            pszInTheWay = kLeftoverStays;
    } else if (error.m_cause != CFileException::fileNotFound) {
        strWhy = error.GetErrorMessage();
        return FALSE;
    }
    if (pszInTheWay) {
        strWhy.Format(pszInTheWay, strTemp.GetString());
        return FALSE;
    }
    // Never through a link, not even one that leads nowhere: the name must be free.
    BOOL bTaken = FALSE;
    if (copy.OpenNew(strTemp, &error, &bTaken))
        return TRUE;
    if (bTaken)
        strWhy.Format(kNothingThere, strTemp.GetString());
    return FALSE;
}

// Makes the copy under a name of its own and gives it the name strBackup. On failure nothing of
// it is left, under either name, and strWhy tells why.
BOOL MakeCopy(CFile& archive, const CString& strBackup, CString& strWhy) {
    const CString strTemp = TemporaryPath(strBackup);
    CFile copy;
    CFileException error;
    BOOL bRenamed = FALSE;
    if (CreateTemporary(copy, strTemp, strWhy, error)) {
        try {
            CopyWhole(archive, copy);
            bRenamed = CFile::Rename(strTemp, strBackup, &error);
        } catch (const CFileException& e) {
            error = e;
        }
        if (bRenamed)
            return TRUE;
        copy.Abort();
        // A rename whose name could not be handed to the disk has moved the file all the same:
        // when the temporary name is gone, the copy's own is the one just given.
        CFile::Remove(AfxNothingAt(strTemp) ? strBackup : strTemp);
    } else if (!strWhy.IsEmpty()) {
        return FALSE;
    }
    // The user knows the copy by its own name, not by the one it is made under.
    error.m_strFileName = strBackup;
    strWhy = error.GetErrorMessage();
    return FALSE;
}

} // namespace

CString ArchiveRealPath(const CString& strArchivePath) {
    CFileStatus status;
    CFileException error;
    if (CFile::GetStatus(strArchivePath, status, &error)) {
        if (!(status.m_attribute & CFile::device))
            return status.m_szFullName;
    } else if (error.m_cause != CFileException::fileNotFound &&
               error.m_cause != CFileException::badPath) {
        // What stands there cannot be told: nothing is opened.
        return CString();
    }
    char szFull[AFX_MAX_PATH_BYTES];
    return AfxFullPath(szFull, strArchivePath) ? CString(szFull) : strArchivePath;
}

BOOL IsBackupPathTooLong(const CString& strRealPath) {
    return !strRealPath.IsEmpty() && AfxIsPathTooLong(strRealPath + kBackupSuffix);
}

BOOL IsArchiveBackupPath(const CString& strRealPath) {
    std::string name = strRealPath.str();
    name = name.substr(name.find_last_of("\\/") + 1);
    // "game.dat.bak:stream" and "game.dat.bak::$DATA" are the copy's own data too.
    name = name.substr(0, name.find(':'));
    const std::size_t nSuffix = sizeof kBackupSuffix - 1;
    return name.size() >= nSuffix &&
           AfxCompareNoCase(name.c_str() + name.size() - nSuffix, kBackupSuffix) == 0;
}

BOOL KeepOriginalArchive(CFile& archive, const CString& strRealPath, CString& strMessage) {
    const CString strBackup = strRealPath + kBackupSuffix;
    CFileStatus status;
    CFileException error;
    CString strWhy;
    if (CFile::GetStatus(strBackup, status, &error)) {
        if (status.m_attribute & CFile::directory)
            strWhy = kFolderThere;
        else if (status.m_attribute & CFile::device)
            strWhy = kDeviceThere;
        else if (status.m_identity == archive.GetIdentity())
            strWhy = kArchiveThere;
        else
            return TRUE;
    } else if (error.m_cause != CFileException::fileNotFound) {
        strWhy = error.GetErrorMessage();
    } else if (MakeCopy(archive, strBackup, strWhy)) {
        return TRUE;
    }
    strMessage.Format(kNotKept, strBackup.GetString(), strWhy.GetString());
    return FALSE;
}
