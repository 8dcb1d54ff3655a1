// POSIX file back end. "No sharing" is an exclusive, non-blocking flock taken right after
// open(2): a second open of the same file, from this process or another, fails as a sharing
// violation. flock is advisory, so it only keeps out programs that ask for it, this one included.
#include "framework/FileBackend.h"

#include "framework/CFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include <sys/file.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

namespace afx_backend {

namespace {

int CauseOf(int err) {
    switch (err) {
    case ENOENT:
        return CFileException::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return CFileException::badPath;
    case EMFILE:
    case ENFILE:
        return CFileException::tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
        return CFileException::accessDenied;
    case EBADF:
        return CFileException::invalidFile;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return CFileException::diskFull;
    case EIO:
        return CFileException::hardIO;
    case ESPIPE:
        return CFileException::badSeek;
    case EWOULDBLOCK:
        return CFileException::sharingViolation;
    default:
        return CFileException::generic;
    }
}

int Fail(long* pOsError) {
    int err = errno;
    *pOsError = err;
    return CauseOf(err);
}

int Open(const char* pszPath, UINT nOpenFlags, std::intptr_t* phFile, long* pOsError) {
    int flags = O_CLOEXEC;
    if (nOpenFlags & CFile::modeReadWrite)
        flags |= O_RDWR;
    else if (nOpenFlags & CFile::modeWrite)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    if (nOpenFlags & CFile::modeCreate)
        flags |= O_CREAT;
    // Truncation waits until the lock is held: truncating at open(2) would empty a file that
    // another CFile has open.
    const bool bTruncate =
        (nOpenFlags & CFile::modeCreate) && !(nOpenFlags & CFile::modeNoTruncate);

    // Non-blocking, so that a pipe with no other end is refused below instead of waited for.
    int fd;
    do {
        fd = ::open(pszPath, flags | O_NONBLOCK, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        int err = errno;
        *pOsError = err;
        // A missing folder on the way to a file being created is a bad path.
        if (err == ENOENT && (flags & O_CREAT))
            return CFileException::badPath;
        return CauseOf(err);
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        int cause = Fail(pOsError);
        ::close(fd);
        return cause;
    }
    // Disk files only: a folder, a device or a pipe is no file to read or write.
    if (!S_ISREG(st.st_mode) || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        *pOsError = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
        return CFileException::accessDenied;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        int err = errno;
        ::close(fd);
        *pOsError = err;
        return err == EWOULDBLOCK ? CFileException::sharingViolation : CauseOf(err);
    }
    if (bTruncate && ::ftruncate(fd, 0) != 0) {
        int cause = Fail(pOsError);
        ::close(fd);
        return cause;
    }
    *phFile = fd;
    return CFileException::none;
}

int Read(std::intptr_t hFile, void* pBuf, UINT nCount, UINT* pnRead, long* pOsError) {
    ssize_t n;
    do {
        n = ::read(static_cast<int>(hFile), pBuf, nCount > INT_MAX ? INT_MAX : nCount);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return Fail(pOsError);
    *pnRead = static_cast<UINT>(n);
    return CFileException::none;
}

int Write(std::intptr_t hFile, const void* pBuf, UINT nCount, UINT* pnWritten, long* pOsError) {
    ssize_t n;
    do {
        n = ::write(static_cast<int>(hFile), pBuf, nCount > INT_MAX ? INT_MAX : nCount);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return Fail(pOsError);
    *pnWritten = static_cast<UINT>(n);
    return CFileException::none;
}

int Seek(std::intptr_t hFile, LONGLONG lOff, UINT nFrom, ULONGLONG* pPos, long* pOsError) {
    int whence = nFrom == CFile::current ? SEEK_CUR : nFrom == CFile::end ? SEEK_END : SEEK_SET;
    off_t pos = ::lseek(static_cast<int>(hFile), static_cast<off_t>(lOff), whence);
    if (pos < 0) {
        *pOsError = errno;
        return CFileException::badSeek;
    }
    *pPos = static_cast<ULONGLONG>(pos);
    return CFileException::none;
}

int Length(std::intptr_t hFile, ULONGLONG* pLength, long* pOsError) {
    struct stat st;
    if (::fstat(static_cast<int>(hFile), &st) != 0)
        return Fail(pOsError);
    *pLength = static_cast<ULONGLONG>(st.st_size);
    return CFileException::none;
}

int Flush(std::intptr_t hFile, long* pOsError) {
    if (::fsync(static_cast<int>(hFile)) != 0) {
        // EINVAL: the file does not support syncing (a pipe, a special file): nothing to hand on.
        if (errno == EINVAL)
            return CFileException::none;
        return Fail(pOsError);
    }
    return CFileException::none;
}

int Close(std::intptr_t hFile, long* pOsError) {
    // The descriptor is released even when close(2) fails; never retry it.
    if (::close(static_cast<int>(hFile)) != 0 && errno != EINTR)
        return Fail(pOsError);
    return CFileException::none;
}

int CreateNew(const char* pszPath, std::intptr_t* phFile, bool* pbTaken, long* pOsError) {
    int fd;
    do {
        fd = ::open(pszPath, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int err = errno;
        *pbTaken = err == EEXIST;
        *pOsError = err;
        // As with Open: a missing folder on the way is a bad path.
        return err == ENOENT ? CFileException::badPath : CauseOf(err);
    }
    // Nobody else can know the name yet, but the lock keeps the file unshared like every other.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int cause = Fail(pOsError);
        ::close(fd);
        ::unlink(pszPath);
        return cause;
    }
    *phFile = fd;
    return CFileException::none;
}

// Win32 moves or deletes no file that is open, since every open there is without sharing; the
// lock that stands in for that here keeps the same rule.
int RefuseIfHeld(const char* pszPath, long* pOsError) {
    int fd = ::open(pszPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return CFileException::none; // the move itself tells what is wrong with the name
    const bool bHeld = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    if (!bHeld)
        return CFileException::none;
    *pOsError = EWOULDBLOCK;
    return CFileException::sharingViolation;
}

int Replace(const char* pszSource, const char* pszTarget, long* pOsError) {
    if (int cause = RefuseIfHeld(pszSource, pOsError))
        return cause;
    // Win32 denies access to a target that is open, since it cannot delete it.
    if (RefuseIfHeld(pszTarget, pOsError))
        return CFileException::accessDenied;
    if (::rename(pszSource, pszTarget) != 0)
        return Fail(pOsError);
    return CFileException::none;
}

int Rename(const char* pszSource, const char* pszTarget, long* pOsError) {
    // renameat2 refuses to replace in one step; where the file system cannot do that, a hard
    // link under the new name (which also fails when the name is taken) and then the old name's
    // removal. Once the link stands the file has its new name, whatever the unlink says.
    if (int cause = RefuseIfHeld(pszSource, pOsError))
        return cause;
    if (::renameat2(AT_FDCWD, pszSource, AT_FDCWD, pszTarget, RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
            return Fail(pOsError);
        if (::link(pszSource, pszTarget) != 0)
            return Fail(pOsError);
        ::unlink(pszSource);
    }
    return CFileException::none;
}

int Remove(const char* pszPath, long* pOsError) {
    if (int cause = RefuseIfHeld(pszPath, pOsError))
        return cause;
    if (::unlink(pszPath) != 0)
        return Fail(pOsError);
    return CFileException::none;
}

int SyncFolder(const char* pszPath, long* pOsError) {
    std::string folder(pszPath);
    const size_t nSlash = folder.find_last_of('/');
    if (nSlash == std::string::npos)
        folder = ".";
    else
        folder.resize(nSlash == 0 ? 1 : nSlash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Fail(pOsError);
    const bool bSynced = ::fsync(fd) == 0 || errno == EINVAL;
    const int err = errno;
    ::close(fd);
    if (bSynced)
        return CFileException::none;
    errno = err;
    return Fail(pOsError);
}

int FullPath(const char* pszPath, std::string* pFullPath, long* pOsError) {
    std::string path = pszPath;
    if (path.empty() || path[0] != '/') {
        char szCur[PATH_MAX];
        if (!::getcwd(szCur, sizeof szCur))
            return Fail(pOsError);
        path = std::string(szCur) + "/" + path;
    }
    // Name by name, as GetFullPathName does: "." goes, ".." takes the name before it away.
    std::vector<std::string> names;
    for (size_t nStart = 1; nStart <= path.size();) {
        size_t nEnd = path.find('/', nStart);
        if (nEnd == std::string::npos)
            nEnd = path.size();
        const std::string name = path.substr(nStart, nEnd - nStart);
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        nStart = nEnd + 1;
    }
    pFullPath->clear();
    for (const std::string& name : names)
        *pFullPath += "/" + name;
    if (pFullPath->empty() || path.back() == '/')
        *pFullPath += "/";
    return CFileException::none;
}

int Status(const char* pszPath, CEntry* pEntry, long* pOsError) {
    struct stat st;
    if (::stat(pszPath, &st) != 0)
        return errno == ENOTDIR ? (*pOsError = errno, CFileException::fileNotFound)
                                : Fail(pOsError);
    pEntry->nKind = S_ISREG(st.st_mode) ? kindFile : S_ISDIR(st.st_mode) ? kindFolder : kindOther;
    // As Wine maps the read-only mark: no one may write.
    pEntry->bReadOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    pEntry->nVolume = st.st_dev;
    pEntry->nIndex = st.st_ino;
    if (pEntry->nKind == kindOther)
        return CFileException::none;
    char szFinal[PATH_MAX];
    if (!::realpath(pszPath, szFinal))
        return Fail(pOsError);
    pEntry->strFinalPath = szFinal;
    return CFileException::none;
}

int Identity(std::intptr_t hFile, ULONGLONG* pnVolume, ULONGLONG* pnIndex, long* pOsError) {
    struct stat st;
    if (::fstat(static_cast<int>(hFile), &st) != 0)
        return Fail(pOsError);
    *pnVolume = st.st_dev;
    *pnIndex = st.st_ino;
    return CFileException::none;
}

} // namespace

const CFileBackend kSystemFiles = {Open,   Read,       Write,     Seek,    Length,
                                   Flush,  Close,      CreateNew, Replace, Rename,
                                   Remove, SyncFolder, FullPath,  Status,  Identity};

} // namespace afx_backend

// The native build stands for a system whose process code page is its legacy one.
int AfxPathLength(const char* pszPath) { return static_cast<int>(std::strlen(pszPath)); }
