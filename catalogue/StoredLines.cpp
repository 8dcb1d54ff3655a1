#include "catalogue/StoredLines.h"

#include "framework/CStdioFile.h"

namespace {

constexpr std::size_t kBlock = 4096;
constexpr char16_t kCtrlZ = 0x1A;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// A line cut at the reader's bound may end inside a UTF-8 sequence; the bytes of that last,
// incomplete character go, so that the line is judged by what it holds.
std::string WithoutCutCharacter(const std::string& line) {
    for (std::size_t n = 1; n <= 3 && n <= line.size(); ++n) {
        const unsigned char b = static_cast<unsigned char>(line[line.size() - n]);
        if ((b & 0xC0) != 0x80) {
            const std::size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
            return need > n ? line.substr(0, line.size() - n) : line;
        }
    }
    return line;
}

} // namespace

CStoredLines::CStoredLines(CStdioFile& file, const CLegacyCodePage* pLegacy)
    : m_file(file), m_pLegacy(pLegacy) {}

bool CStoredLines::Read(std::string& line) {
    if (m_form == Form::Unknown)
        FindForm();
    return m_form == Form::Bytes ? ReadBytesLine(line) : ReadUtf16Line(line);
}

void CStoredLines::FindForm() {
    unsigned char mark[3] = {};
    const UINT n = m_file.Read(mark, sizeof mark);
    m_form = Form::Bytes;
    if (n >= 2 && mark[0] == 0xFF && mark[1] == 0xFE)
        m_form = Form::Utf16Le;
    else if (n >= 2 && mark[0] == 0xFE && mark[1] == 0xFF)
        m_form = Form::Utf16Be;
    if (m_form != Form::Bytes) {
        m_buf.assign(mark + 2, mark + n);
    } else if (!(n == 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF)) {
        m_file.SeekToBegin();
    }
}

bool CStoredLines::ReadBytesLine(std::string& line) {
    CString text;
    const bool bAny = m_file.ReadString(text) != FALSE;
    line = text.str();
    if (m_pLegacy != nullptr && line.size() == CStdioFile::kLongestLine) {
        const std::string whole = WithoutCutCharacter(line);
        if (IsUtf8(whole)) {
            line = whole;
            return bAny;
        }
    }
    line = TextOfStoredLine(line, m_pLegacy);
    return bAny;
}

bool CStoredLines::NextUnit(char16_t& unit) {
    if (m_buf.size() - m_pos < 2) {
        m_buf.erase(m_buf.begin(), m_buf.begin() + static_cast<std::ptrdiff_t>(m_pos));
        m_pos = 0;
        const std::size_t nKept = m_buf.size();
        m_buf.resize(nKept + kBlock);
        const UINT n = m_file.Read(m_buf.data() + nKept, static_cast<UINT>(kBlock));
        m_buf.resize(nKept + n);
        if (m_buf.size() < 2)
            return false;
    }
    const unsigned char first = m_buf[m_pos], second = m_buf[m_pos + 1];
    m_pos += 2;
    unit = m_form == Form::Utf16Le ? static_cast<char16_t>(first | second << 8)
                                   : static_cast<char16_t>(first << 8 | second);
    return true;
}

bool CStoredLines::ReadUtf16Line(std::string& line) {
    // The same bound as the byte reader's, in units; the rest of a longer line is skipped.
    constexpr std::size_t kLongestUnits = CStdioFile::kLongestLine / 2;
    std::u16string units;
    bool bAny = false;
    bool bCut = false;
    char16_t unit = 0;
    while (!m_bEnd) {
        if (!NextUnit(unit) || unit == kCtrlZ) {
            m_bEnd = true;
            break;
        }
        if (unit == u'\n') {
            if (!bCut && !units.empty() && units.back() == u'\r')
                units.pop_back();
            bAny = true;
            break;
        }
        bAny = true;
        if (units.size() < kLongestUnits)
            units.push_back(unit);
        else
            bCut = true;
    }
    // A character whose second half was cut off goes whole.
    if (bCut && IsHighSurrogate(units.back()))
        units.pop_back();
    line = Utf8OfUtf16(units);
    return bAny;
}
