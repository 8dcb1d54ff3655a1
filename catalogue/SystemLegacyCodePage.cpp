// The system's legacy ANSI code page beside the program's UTF-8, through the system's own
// conversions: a legacy file name reads here as Windows reads it in the program's place.
#include "catalogue/StoredText.h"

#include <windows.h>

namespace {

std::wstring Widen(UINT nCodePage, DWORD dwFlags, const std::string& s, bool* pbOk) {
    const int cb = static_cast<int>(s.size());
    const int cch =
        cb == 0 ? 0 : ::MultiByteToWideChar(nCodePage, dwFlags, s.data(), cb, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(cch), L'\0');
    if (cch > 0)
        ::MultiByteToWideChar(nCodePage, dwFlags, s.data(), cb, &wide[0], cch);
    *pbOk = cb == 0 || cch > 0;
    return wide;
}

std::string Narrow(UINT nCodePage, DWORD dwFlags, const std::wstring& w, BOOL* pbDefault) {
    const int cch = static_cast<int>(w.size());
    const int cb = cch == 0 ? 0
                            : ::WideCharToMultiByte(nCodePage, dwFlags, w.data(), cch, nullptr, 0,
                                                    nullptr, pbDefault);
    std::string s(static_cast<std::size_t>(cb), '\0');
    if (cb > 0)
        ::WideCharToMultiByte(nCodePage, dwFlags, w.data(), cch, &s[0], cb, nullptr, pbDefault);
    return s;
}

class CSystemLegacyCodePage final : public CLegacyCodePage {
public:
    explicit CSystemLegacyCodePage(UINT nCodePage) : m_nCodePage(nCodePage) {}

    std::string ToUtf8(const std::string& strLegacy) const override {
        bool bOk = false;
        return Narrow(CP_UTF8, 0, Widen(m_nCodePage, 0, strLegacy, &bOk), nullptr);
    }

    bool FromUtf8(const std::string& strUtf8, std::string& strLegacy) const override {
        bool bOk = false;
        const std::wstring wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, strUtf8, &bOk);
        BOOL bDefault = FALSE;
        strLegacy = bOk ? Narrow(m_nCodePage, WC_NO_BEST_FIT_CHARS, wide, &bDefault) : "";
        // Each character must come back as itself, not as the code page's '?'.
        return bOk && !bDefault && Widen(m_nCodePage, 0, strLegacy, &bOk) == wide;
    }

private:
    UINT m_nCodePage;
};

} // namespace

const CLegacyCodePage* SystemLegacyCodePage() {
    DWORD dwLegacy = 0;
    if (::GetACP() != CP_UTF8 ||
        ::GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPWSTR>(&dwLegacy),
                         sizeof dwLegacy / sizeof(WCHAR)) == 0 ||
        dwLegacy == 0 || dwLegacy == CP_UTF8)
        return nullptr;
    static const CSystemLegacyCodePage legacy(dwLegacy);
    return &legacy;
}
