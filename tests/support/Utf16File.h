// Test files as a Windows editor saves them in UTF-16 ("Unicode" in Notepad).
#pragma once

#include <cstddef>
#include <string>

// A file of UTF-8 text as a Windows editor saves it in UTF-16: the mark, then each character.
inline std::string Utf16File(const std::string& utf8, bool bBigEndian) {
    std::string out;
    const auto unit = [&out, bBigEndian](unsigned u) {
        const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        out += bBigEndian ? std::string{hi, lo} : std::string{lo, hi};
    };
    unit(0xFEFF);
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        unsigned cp = n == 1 ? b : b & (0x7F >> n);
        for (int k = 1; k < n; ++k)
            cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += n;
        if (cp < 0x10000) {
            unit(cp);
        } else {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + (cp & 0x3FF));
        }
    }
    return out;
}
