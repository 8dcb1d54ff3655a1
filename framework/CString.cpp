#include "framework/CString.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

CString& CString::operator=(const char* psz) {
    m_s = psz ? psz : "";
    return *this;
}

CString& CString::operator+=(const char* psz) {
    if (psz)
        m_s += psz;
    return *this;
}

CString& CString::operator+=(char ch) {
    m_s += ch;
    return *this;
}

CString& CString::operator+=(const CString& s) {
    m_s += s.m_s;
    return *this;
}

void CString::Format(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(nullptr, 0, pszFormat, args);
    va_end(args);
    if (n < 0) {
        va_end(again);
        m_s.clear();
        return;
    }
    std::string out(static_cast<size_t>(n), '\0');
    std::vsnprintf(&out[0], out.size() + 1, pszFormat, again);
    va_end(again);
    m_s.swap(out);
}

// Counts outside the string are clamped, as the framework does, instead of throwing.
char* CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength > GetLength())
        m_s.resize(static_cast<size_t>(nMinBufLength));
    return &m_s[0];
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0)
        m_s.resize(std::strlen(m_s.c_str()));
    else if (static_cast<size_t>(nNewLength) <= m_s.size())
        m_s.resize(static_cast<size_t>(nNewLength));
}

CString operator+(const CString& a, const char* b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

bool operator==(const CString& a, const char* b) { return a.str() == (b ? b : ""); }
bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }

// Only A to Z fold; bytes from 0x80 up compare as unsigned values, never folded, so the order
// does not depend on the locale.
int AfxCompareNoCase(const char* a, const char* b) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(a ? a : "");
    const unsigned char* q = reinterpret_cast<const unsigned char*>(b ? b : "");
    for (;; ++p, ++q) {
        int c = *p, d = *q;
        if (c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
        if (d >= 'A' && d <= 'Z')
            d += 'a' - 'A';
        if (c != d || c == 0)
            return c - d;
    }
}
