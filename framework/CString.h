// CString: a growable 8-bit string (ANSI code page), the framework's own string class.
#pragma once

#include "framework/afxtypes.h"

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_s(psz ? psz : "") {}
    CString(const char* pch, int nLength) : m_s(pch, static_cast<size_t>(nLength)) {}
    CString(const std::string& s) : m_s(s) {}

    int GetLength() const { return static_cast<int>(m_s.size()); }
    BOOL IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }

    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }

    CString& operator=(const char* psz);
    CString& operator+=(const char* psz);
    CString& operator+=(char ch);
    CString& operator+=(const CString& s);

    // printf rules; the result replaces the string.
    void Format(const char* pszFormat, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // Direct access for APIs that fill a buffer; ReleaseBuffer(-1) takes the length up to the NUL.
    char* GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_s;
};

CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const CString& a, const CString& b);

// The run-time library's case-insensitive comparison, folding A to Z only.
int AfxCompareNoCase(const char* a, const char* b);
