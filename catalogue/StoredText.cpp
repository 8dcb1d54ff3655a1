#include "catalogue/StoredText.h"

bool IsUtf8(const std::string& text) {
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char lead = static_cast<unsigned char>(text[i++]);
        if (lead < 0x80)
            continue;
        // The lead byte tells how many bytes follow, and the range of the first of them rules out
        // longer forms than needed, surrogates and code points above U+10FFFF.
        std::size_t nMore = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            nMore = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            nMore = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            nMore = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (n - i < nMore)
            return false;
        for (std::size_t k = 0; k < nMore; ++k, ++i) {
            const unsigned char next = static_cast<unsigned char>(text[i]);
            if (next < (k == 0 ? low : 0x80) || next > (k == 0 ? high : 0xBF))
                return false;
        }
    }
    return true;
}

std::string TextOfStoredLine(const std::string& line, const CLegacyCodePage* pLegacy) {
    if (pLegacy == nullptr || IsUtf8(line))
        return line;
    return pLegacy->ToUtf8(line);
}

std::string Utf8OfUtf16(const std::u16string& text) {
    std::string out;
    const auto put = [&out](char32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | cp >> 18);
            out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        const bool bHigh = unit >= 0xD800 && unit <= 0xDBFF;
        const char32_t next = i + 1 < text.size() ? text[i + 1] : 0;
        if (bHigh && next >= 0xDC00 && next <= 0xDFFF) {
            put(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
            ++i;
        } else {
            put(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
        }
    }
    return out;
}

std::string StoredLineOfText(const std::string& text, const CLegacyCodePage* pLegacy) {
    if (pLegacy == nullptr)
        return text;
    // Legacy bytes that are valid UTF-8 read back as UTF-8, which is the same text only for ASCII:
    // other such text is stored in UTF-8 itself.
    std::string legacy;
    if (pLegacy->FromUtf8(text, legacy) && !IsUtf8(legacy))
        return legacy;
    return text;
}

std::size_t CountChars(const std::string& text, const CLegacyCodePage* pLegacy) {
    if (pLegacy == nullptr)
        return text.size();
    std::size_t n = 0;
    for (char ch : text) {
        const unsigned char b = static_cast<unsigned char>(ch);
        // One unit for each lead byte, two for a code point beyond U+FFFF.
        n += (b & 0xC0) != 0x80 ? 1 : 0;
        n += b >= 0xF0 ? 1 : 0;
    }
    return n;
}
