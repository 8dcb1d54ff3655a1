// CStdioFile: a text file. Text mode is the framework's own and the same on every platform:
// a line ends at LF, a CR right before the LF is dropped, a lone CR stays, Ctrl-Z (0x1A) ends
// the file, a last line without LF counts; on writing every LF becomes CR LF.
// Reading and writing go through a block buffer, not a system call per byte.
#pragma once

#include "framework/CFile.h"

#include <cstddef>
#include <vector>

class CStdioFile : public CFile {
public:
    // Twice the longest path Windows takes (32,767 characters), and far above what a line of a
    // text file of a program's own holds: a file of one endless line cannot use up memory.
    static constexpr size_t kLongestLine = 64 * 1024;

    ~CStdioFile() override;

    BOOL Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    BOOL OpenUnique(const char* pszFolder, const char* pszPrefix,
                    CFileException* pError = nullptr) override;

    // The next line without its line end, its first 64 KiB when it is longer (the rest is
    // skipped). At the end of the file: FALSE and an empty line.
    // A failed read throws CFileException generic.
    BOOL ReadString(CString& rString);
    // Writes the text, LF as CR LF. A failed write throws CFileException diskFull.
    void WriteString(const char* pszText);

    // Raw access goes through the same position as the text buffer.
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;

    void Flush() override;
    // Writes what is buffered, then closes; a failure throws diskFull.
    void Close() override;
    void Abort() override;

private:
    // A file just opened: nothing buffered, nothing read.
    void Reset();
    BOOL FillBuffer();
    void FlushWriteBuffer();
    // Hands pending text to the file, or gives back what was read ahead, so that the file's
    // position is the caller's.
    void Sync();

    std::vector<char> m_buf;
    size_t m_pos = 0;  // next unread byte in m_buf (reading)
    size_t m_fill = 0; // bytes valid in m_buf (reading) or pending (writing)
    bool m_bEof = false;
    bool m_bWriting = false; // m_buf holds text to write, not text read ahead
};
