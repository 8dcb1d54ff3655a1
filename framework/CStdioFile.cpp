#include "framework/CStdioFile.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kBufferSize = 4096;
constexpr char kCtrlZ = '\x1A';
} // namespace

CStdioFile::~CStdioFile() {
    // Best effort only: a caller that needs to know calls Close.
    if (IsOpen() && m_bWriting && m_fill > 0) {
        try {
            FlushWriteBuffer();
        } catch (const CFileException&) {
        }
    }
}

BOOL CStdioFile::Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError) {
    if (!CFile::Open(pszFileName, nOpenFlags, pError))
        return FALSE;
    Reset();
    return TRUE;
}

BOOL CStdioFile::OpenUnique(const char* pszFolder, const char* pszPrefix, CFileException* pError) {
    if (!CFile::OpenUnique(pszFolder, pszPrefix, pError))
        return FALSE;
    Reset();
    return TRUE;
}

void CStdioFile::Reset() {
    m_buf.resize(kBufferSize);
    m_pos = m_fill = 0;
    m_bEof = false;
    m_bWriting = false;
}

BOOL CStdioFile::FillBuffer() {
    if (m_bEof)
        return FALSE;
    if (m_bWriting)
        Sync();
    if (m_buf.size() < kBufferSize)
        m_buf.resize(kBufferSize);
    UINT n = 0;
    try {
        n = CFile::Read(m_buf.data(), static_cast<UINT>(m_buf.size()));
    } catch (const CFileException& e) {
        AfxThrowFileException(CFileException::generic, e.m_lOsError, GetFilePath());
    }
    m_pos = 0;
    m_fill = n;
    if (n == 0) {
        m_bEof = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CStdioFile::ReadString(CString& rString) {
    std::string line;
    bool bAny = false; // something of this line was read
    // What goes past the longest line is read and dropped.
    size_t nRead = 0;
    const auto keep = [&line, &nRead](const char* p, size_t n) {
        line.append(p, std::min(n, kLongestLine - line.size()));
        nRead += n;
    };
    for (;;) {
        if (m_bWriting || m_pos >= m_fill) {
            if (!FillBuffer())
                break;
        }
        const char* start = m_buf.data() + m_pos;
        size_t avail = m_fill - m_pos;
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', avail));
        size_t span = lf ? static_cast<size_t>(lf - start) : avail;
        const char* z = static_cast<const char*>(std::memchr(start, kCtrlZ, span));
        if (z) {
            // Ctrl-Z ends the file: the line so far is the last one.
            keep(start, static_cast<size_t>(z - start));
            bAny = bAny || z > start;
            m_pos = m_fill;
            m_bEof = true;
            break;
        }
        keep(start, span);
        if (lf) {
            m_pos += span + 1;
            if (!line.empty() && line.back() == '\r' && nRead <= kLongestLine)
                line.pop_back();
            rString = CString(line);
            return TRUE;
        }
        bAny = true;
        m_pos = m_fill;
    }
    rString = CString(line);
    if (!bAny) {
        rString.Empty();
        return FALSE;
    }
    return TRUE;
}

void CStdioFile::WriteString(const char* pszText) {
    if (!IsOpen())
        AfxThrowFileException(CFileException::invalidFile, -1, GetFilePath());
    if (!m_bWriting) {
        Sync();
        m_bWriting = true;
        if (m_buf.size() < kBufferSize)
            m_buf.resize(kBufferSize);
    }
    for (const char* p = pszText ? pszText : ""; *p; ++p) {
        // Room for a CR LF pair.
        if (m_fill + 2 > m_buf.size())
            FlushWriteBuffer();
        if (*p == '\n')
            m_buf[m_fill++] = '\r';
        m_buf[m_fill++] = *p;
    }
}

void CStdioFile::FlushWriteBuffer() {
    if (!m_bWriting || m_fill == 0)
        return;
    size_t n = m_fill;
    m_fill = 0; // what failed to go out is not tried again
    try {
        CFile::Write(m_buf.data(), static_cast<UINT>(n));
    } catch (const CFileException& e) {
        AfxThrowFileException(CFileException::diskFull, e.m_lOsError, GetFilePath());
    }
}

void CStdioFile::Sync() {
    if (m_bWriting) {
        FlushWriteBuffer();
        m_bWriting = false;
    } else if (m_pos < m_fill) {
        CFile::Seek(-static_cast<LONGLONG>(m_fill - m_pos), current);
    }
    m_pos = m_fill = 0;
    m_bEof = false;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
    Sync();
    return CFile::Read(lpBuf, nCount);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
    Sync();
    CFile::Write(lpBuf, nCount);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
    Sync();
    return CFile::Seek(lOff, nFrom);
}

void CStdioFile::Flush() {
    if (!IsOpen())
        return;
    FlushWriteBuffer();
    try {
        CFile::Flush();
    } catch (const CFileException& e) {
        AfxThrowFileException(CFileException::diskFull, e.m_lOsError, GetFilePath());
    }
}

void CStdioFile::Close() {
    if (!IsOpen())
        return;
    try {
        FlushWriteBuffer();
    } catch (const CFileException&) {
        CFile::Abort();
        throw;
    }
    m_bWriting = false;
    m_pos = m_fill = 0;
    try {
        CFile::Close();
    } catch (const CFileException& e) {
        AfxThrowFileException(CFileException::diskFull, e.m_lOsError, GetFilePath());
    }
}

void CStdioFile::Abort() {
    m_fill = m_pos = 0;
    m_bWriting = false;
    CFile::Abort();
}
