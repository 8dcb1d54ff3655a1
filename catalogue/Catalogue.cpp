#include "catalogue/Catalogue.h"

#include "catalogue/StoredLines.h"
#include "catalogue/WhiteSpace.h"

#include "framework/CStdioFile.h"

#include <climits>
#include <cstring>

const char kCatalogueFileName[] = "Desc.txt";
const char kCatalogueOpenError[] = "ERROR! Desc.txt file can not be opened!";
const char kTooManySetsError[] = "ERROR! Too much Flags&Dossier!";

namespace {

std::size_t SkipWhite(const std::string& s, std::size_t pos) {
    while (pos < s.size() && IsWhite(s[pos]))
        ++pos;
    return pos;
}

// The word at or after pos; pos ends up right after it. Empty when the line has no more words.
std::string NextWord(const std::string& s, std::size_t& pos) {
    pos = SkipWhite(s, pos);
    const std::size_t first = pos;
    while (pos < s.size() && !IsWhite(s[pos]))
        ++pos;
    return s.substr(first, pos - first);
}

// Names longer than a row never reach the table (SplitSetLine leaves them out); cut anyway.
void StoreName(char* pszRow, const std::string& name) {
    const std::size_t n = name.size() < kNameSize ? name.size() : kNameSize - 1;
    std::memcpy(pszRow, name.data(), n);
    pszRow[n] = '\0';
}

} // namespace

bool ScanInt(const std::string& line, int& value) {
    std::size_t pos = SkipWhite(line, 0);
    bool bNegative = false;
    if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) {
        bNegative = line[pos] == '-';
        ++pos;
    }
    if (pos >= line.size() || line[pos] < '0' || line[pos] > '9')
        return false;
    // Accumulate the magnitude in a wider type and stop as soon as it leaves the int range.
    const long long limit = bNegative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; pos < line.size() && line[pos] >= '0' && line[pos] <= '9'; ++pos) {
        magnitude = magnitude * 10 + (line[pos] - '0');
        if (magnitude > limit)
            return false;
    }
    value = static_cast<int>(bNegative ? -magnitude : magnitude);
    return true;
}

CCatalogueSet SplitSetLine(const std::string& whole, const CLegacyCodePage* pLegacy) {
    // Names and description go on as C strings: whatever follows a NUL byte is not part of them.
    const std::string line = whole.substr(0, whole.find('\0'));
    CCatalogueSet set;
    std::size_t pos = 0;
    std::string names[3];
    bool bUsable = true;
    for (std::string& name : names) {
        name = NextWord(line, pos);
        if (name.empty() || CountChars(name, pLegacy) > kNameChars)
            bUsable = false;
    }
    if (bUsable) {
        set.m_strFlagsFile = names[0];
        set.m_strDossierFile = names[1];
        set.m_strStartFile = names[2];
        set.m_strDescription = line.substr(SkipWhite(line, pos));
    } else if (!names[2].empty()) {
        set.m_strDescription = line.substr(SkipWhite(line, pos));
    } else {
        // Without a description to show, the line itself tells the user which set is broken.
        set.m_strDescription = line.substr(SkipWhite(line, 0));
    }
    return set;
}

CatalogueResult ReadCatalogue(CStdioFile& file, CCatalogue& cat, const CLegacyCodePage* pLegacy) {
    CStoredLines lines(file, pLegacy);
    std::string line;
    lines.Read(line); // lines 1 and 2 are free text
    lines.Read(line);
    for (int* pSize : {&cat.m_nFlagsSize, &cat.m_nDossierSize, &cat.m_nStartSize}) {
        lines.Read(line); // past the end this is an empty line: the size stays
        ScanInt(line, *pSize);
    }
    lines.Read(line); // line 6 is free text
    while (lines.Read(line) && !line.empty()) {
        if (cat.m_sets.size() >= static_cast<std::size_t>(kMaxSets))
            return CatalogueResult::TooManySets;
        cat.m_sets.push_back(SplitSetLine(line, pLegacy));
    }
    return CatalogueResult::Ok;
}

void FillNameTables(const CCatalogue& cat, char (*pFlags)[kNameSize], char (*pDossier)[kNameSize],
                    char (*pStart)[kNameSize], int nRows) {
    const CCatalogueSet empty;
    for (int r = 0; r < nRows; ++r) {
        const bool bSet = static_cast<std::size_t>(r) < cat.m_sets.size();
        const CCatalogueSet& set = bSet ? cat.m_sets[static_cast<std::size_t>(r)] : empty;
        StoreName(pFlags[r], set.m_strFlagsFile);
        StoreName(pDossier[r], set.m_strDossierFile);
        StoreName(pStart[r], set.m_strStartFile);
    }
}
