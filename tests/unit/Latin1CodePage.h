// A legacy code page for the native tests in place of the system's: ISO 8859-1 (1252 but for
// 0x80 to 0x9F), where byte b is U+00b and a character above U+00FF has no form.
#pragma once

#include "catalogue/StoredText.h"

class CLatin1CodePage final : public CLegacyCodePage {
public:
    std::string ToUtf8(const std::string& strLegacy) const override {
        std::string out;
        for (const unsigned char b : strLegacy)
            out += b < 0x80 ? std::string(1, static_cast<char>(b))
                            : std::string{static_cast<char>(0xC0 | b >> 6),
                                          static_cast<char>(0x80 | (b & 0x3F))};
        return out;
    }
    bool FromUtf8(const std::string& strUtf8, std::string& strLegacy) const override {
        strLegacy.clear();
        for (std::size_t i = 0; i < strUtf8.size(); ++i) {
            const unsigned char b = static_cast<unsigned char>(strUtf8[i]);
            if (b >= 0x80 && (b < 0xC2 || b > 0xC3 || ++i == strUtf8.size()))
                return false;
            strLegacy += static_cast<char>(b < 0x80 ? b : (b & 3) << 6 | (strUtf8[i] & 0x3F));
        }
        return true;
    }
};

// n times text: names and folders of n characters.
inline std::string Repeated(const std::string& text, int n) {
    return n > 0 ? text + Repeated(text, n - 1) : std::string();
}
