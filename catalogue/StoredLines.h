// The lines of a settings file or a catalogue as the program's text, in whatever form a Windows
// editor saved the file: UTF-16 (either byte order) after its byte-order mark; otherwise the
// bytes, a UTF-8 mark skipped, each line as TextOfStoredLine reads it.
#pragma once

#include "catalogue/StoredText.h"

#include <cstddef>
#include <string>
#include <vector>

class CStdioFile;

class CStoredLines {
public:
    // file is open for reading at its start. (pLegacy as in StoredText.h.)
    CStoredLines(CStdioFile& file, const CLegacyCodePage* pLegacy);

    // As CStdioFile::ReadString: the next line, its first 64 KiB when it is longer (whole
    // characters only); at the end of the file false and an empty line. A failed read throws the
    // file's exception.
    bool Read(std::string& line);

private:
    enum class Form { Unknown, Bytes, Utf16Le, Utf16Be };

    void FindForm();
    bool ReadBytesLine(std::string& line);
    bool ReadUtf16Line(std::string& line);
    // The next UTF-16 unit; false at the end of the file (an odd last byte is no unit).
    bool NextUnit(char16_t& unit);

    CStdioFile& m_file;
    const CLegacyCodePage* m_pLegacy;
    Form m_form = Form::Unknown;
    std::vector<unsigned char> m_buf; // UTF-16 bytes read ahead
    std::size_t m_pos = 0;
    bool m_bEnd = false; // Ctrl-Z met, or nothing more to read
};
