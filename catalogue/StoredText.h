// Text of the files the tool keeps and reads. Where Windows runs the program in UTF-8 (Windows 10
// 1903 and later, and Wine, as the manifest asks), the program's own 8-bit text is UTF-8, while a
// settings file or a catalogue may hold either UTF-8 or the system's legacy ANSI code page, line
// by line. Where Windows ignores the manifest, the program's text is the legacy code page itself
// and nothing is converted.
#pragma once

#include <cstddef>
#include <string>

// The system's legacy ANSI code page, seen from a program whose own text is UTF-8. The
// conversions are the platform's.
class CLegacyCodePage {
public:
    // Every byte string has a reading: the one the system gives it in a file name.
    virtual std::string ToUtf8(const std::string& strLegacy) const = 0;
    // False when a character has no form of its own in the code page (no look-alike stands in).
    virtual bool FromUtf8(const std::string& strUtf8, std::string& strLegacy) const = 0;

protected:
    ~CLegacyCodePage() = default;
};

// Below, pLegacy is the legacy code page when the program's text is UTF-8, and nullptr when the
// program's text is the legacy code page itself.

// The system's: nullptr when the program's text is the legacy code page itself (Windows only).
const CLegacyCodePage* SystemLegacyCodePage();

// Valid UTF-8: shortest forms, no surrogates, nothing above U+10FFFF. (ASCII is, and reads the
// same in every legacy code page.)
bool IsUtf8(const std::string& text);

// A line of a stored file as the program's text: a UTF-8 line as it stands, any other line read
// in the legacy code page.
std::string TextOfStoredLine(const std::string& line, const CLegacyCodePage* pLegacy);

// UTF-16 text as UTF-8; a surrogate without its other half becomes U+FFFD. Where the program's
// text is the legacy code page itself, this is what a line of a UTF-16 file becomes, as a UTF-8
// line of a file does there.
std::string Utf8OfUtf16(const std::u16string& text);

// How text is stored: in the legacy code page when every character has a form there and those
// bytes read back as the same text; otherwise the UTF-8 text itself.
std::string StoredLineOfText(const std::string& text, const CLegacyCodePage* pLegacy);

// Characters as Windows counts them in a path: UTF-16 units of UTF-8 text, bytes of legacy text.
// A character takes at most three bytes of UTF-8 per unit.
std::size_t CountChars(const std::string& text, const CLegacyCodePage* pLegacy);
constexpr std::size_t kMaxBytesPerChar = 3;
