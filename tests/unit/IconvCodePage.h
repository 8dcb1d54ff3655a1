// A legacy code page for the native tests, through the C library's iconv in place of the system's
// conversions: a character the code page lacks fails, as it does with no look-alike allowed.
#pragma once

#include "catalogue/StoredText.h"

#include <iconv.h>

#include <string>

class CIconvCodePage final : public CLegacyCodePage {
public:
    explicit CIconvCodePage(const char* pszName) : m_pszName(pszName) {}

    std::string ToUtf8(const std::string& strLegacy) const override {
        std::string out;
        Convert(m_pszName, "UTF-8", strLegacy, out);
        return out;
    }
    bool FromUtf8(const std::string& strUtf8, std::string& strLegacy) const override {
        return Convert("UTF-8", m_pszName, strUtf8, strLegacy);
    }

private:
    static bool Convert(const char* pszFrom, const char* pszTo, std::string in, std::string& out) {
        const iconv_t cd = ::iconv_open(pszTo, pszFrom);
        out.assign(in.size() * 4, '\0');
        char* pIn = in.data();
        char* pOut = out.data();
        std::size_t nIn = in.size(), nOut = out.size();
        const bool bOk = ::iconv(cd, &pIn, &nIn, &pOut, &nOut) != static_cast<std::size_t>(-1);
        ::iconv_close(cd);
        out.resize(out.size() - nOut);
        return bOk;
    }

    const char* m_pszName;
};
