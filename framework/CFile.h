// CFile: a binary file. Every open is without sharing: while one CFile holds a file, no other
// process (and no other CFile) can open it. OS failures after a successful open throw
// CFileException; Open reports failure by its result.
#pragma once

#include "framework/Exceptions.h"

struct CFileStatus;

// The system's own name for a file: two paths lead to the same file exactly when these are equal,
// whatever links, hard links, short names or spellings they take.
struct CFileIdentity {
    ULONGLONG m_nVolume = 0; // the volume's serial number (Windows), the device (POSIX)
    ULONGLONG m_nIndex = 0;  // the file's index on the volume, the inode
    bool operator==(const CFileIdentity& other) const {
        return m_nVolume == other.m_nVolume && m_nIndex == other.m_nIndex;
    }
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        modeCreate = 0x1000,     // create, or truncate an existing file
        modeNoTruncate = 0x2000, // with modeCreate: open an existing file as it is
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };
    // device: neither a file nor a folder (a device, a pipe), as Windows' FILE_ATTRIBUTE_DEVICE.
    enum Attribute : BYTE { normal = 0x00, readOnly = 0x01, directory = 0x10, device = 0x40 };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile(); // closes an open file, ignoring errors

    // Without modeCreate the file must exist. Opens disk files only: a device or a pipe fails at
    // once (accessDenied). On failure fills *pError (cause, OS error, path).
    virtual BOOL Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    // Returns the number of bytes read: fewer than asked only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all bytes or throws; what the system takes in part is written on in the next call.
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    virtual ULONGLONG GetLength() const;
    // Hands everything written to the disk (FlushFileBuffers / fsync).
    virtual void Flush();
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();

    // Creates a file that did not exist, named pszFolder + pszPrefix + a unique part + ".tmp",
    // and opens it for reading and writing without sharing; GetFilePath() then names it. No
    // other file can ever have held that name. pszFolder is empty (the current folder) or ends
    // with its separator.
    virtual BOOL OpenUnique(const char* pszFolder, const char* pszPrefix,
                            CFileException* pError = nullptr);

    // Creates pszFileName and opens it like OpenUnique. Nothing may hold the name yet (no file,
    // folder or link, not even one that leads nowhere): where anything does, it fails, touches
    // nothing and sets *pbTaken.
    virtual BOOL OpenNew(const char* pszFileName, CFileException* pError = nullptr,
                         BOOL* pbTaken = nullptr);

    // The identity of the open file.
    CFileIdentity GetIdentity() const;

    BOOL IsOpen() const { return m_hFile != hFileNull; }
    const CString& GetFilePath() const { return m_strFileName; }

    // Moves pszSource over pszTarget in one step, replacing it (written through to the disk).
    // Neither file may be open. FALSE also when the move was made but could not be handed to
    // the disk: the file then bears either name.
    // Not named ReplaceFile: <windows.h> makes that name a macro.
    static BOOL Replace(const char* pszSource, const char* pszTarget,
                        CFileException* pError = nullptr);
    // Gives the file pszSource the name pszTarget, which must not exist yet: nothing is ever
    // replaced. Written through to the disk, and FALSE as Replace. pszSource must not be open.
    static BOOL Rename(const char* pszSource, const char* pszTarget,
                       CFileException* pError = nullptr);
    // What stands at pszFileName, links followed. FALSE when nothing does (cause fileNotFound)
    // or it cannot be looked at; opens nothing, so it never waits and another program's open is
    // no obstacle.
    static BOOL GetStatus(const char* pszFileName, CFileStatus& rStatus,
                          CFileException* pError = nullptr);
    // Deletes a file; returns FALSE when it could not.
    static BOOL Remove(const char* pszFileName);

    static constexpr std::intptr_t hFileNull = -1;

protected:
    std::intptr_t m_hFile = hFileNull; // HANDLE on Win32, descriptor on POSIX
    CString m_strFileName;
};

struct CFileStatus {
    BYTE m_attribute = CFile::normal; // CFile::Attribute bits
    CFileIdentity m_identity;         // not filled for a device
    // The path of what the name leads to, links resolved (unlike the framework's, which keeps
    // the name's own full path); empty for a device.
    char m_szFullName[AFX_MAX_PATH_BYTES] = {};
};

// The full path of pszFileIn into pszPathOut (AFX_MAX_PATH_BYTES bytes), as the system makes it
// without looking at the disk (GetFullPathName: "." and ".." resolved, the dots and blanks that
// end a name dropped). FALSE, with pszPathOut empty, when it cannot be made or does not fit.
BOOL AfxFullPath(char* pszPathOut, const char* pszFileIn);

// Nothing stands at pszPath, as far as the system can tell (a look that fails proves nothing).
BOOL AfxNothingAt(const char* pszPath);

// The system opens no path whose full path has _MAX_PATH characters or more (AfxPathLength).
BOOL AfxIsPathTooLong(const char* pszPath);

// The length of a path as the system holds it against _MAX_PATH: in characters (UTF-16 units)
// where the process code page is UTF-8, in bytes where it is the system's legacy code page.
int AfxPathLength(const char* pszPath);
