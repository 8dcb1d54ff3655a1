// The catalogue Desc.txt: three block sizes and up to 99 graphic sets, one per line.
#pragma once

#include "catalogue/StoredText.h"

#include <cstddef>
#include <string>
#include <vector>

class CStdioFile;

extern const char kCatalogueFileName[]; // "Desc.txt"
extern const char kCatalogueOpenError[];
extern const char kTooManySetsError[];

// The dialog's table has 100 rows; one row always stays free. A name holds at most 99
// characters, its row room for them in UTF-8 and a NUL.
constexpr int kMaxSets = 99;
constexpr std::size_t kNameChars = 99;
constexpr std::size_t kNameSize = kNameChars * kMaxBytesPerChar + 1;

// One set line. A line that lacks a name, or has one too long for the table, keeps all three
// names empty so that nothing can install it; its description still stands in the list.
struct CCatalogueSet {
    std::string m_strFlagsFile;
    std::string m_strDossierFile;
    std::string m_strStartFile;
    std::string m_strDescription;

    bool IsUsable() const { return !m_strFlagsFile.empty(); }
};

struct CCatalogue {
    int m_nFlagsSize = 0;
    int m_nDossierSize = 0;
    int m_nStartSize = 0;
    std::vector<CCatalogueSet> m_sets;
};

enum class CatalogueResult { Ok, TooManySets };

// A decimal integer after optional white space, with an optional sign; whatever follows is
// ignored. False when there is no number or it does not fit an int.
bool ScanInt(const std::string& line, int& value);

// Three names separated by any white space, then the description: the rest of the line without
// its leading white space. (pLegacy as in StoredText.h, here and below.)
CCatalogueSet SplitSetLine(const std::string& line, const CLegacyCodePage* pLegacy);

// Reads an open catalogue from its first line, each line as CStoredLines reads it. Stops
// at the end of the file or the first empty line; TooManySets as soon as a 100th set line is met
// (the first 99 are in cat).
CatalogueResult ReadCatalogue(CStdioFile& file, CCatalogue& cat, const CLegacyCodePage* pLegacy);

// Puts the names of cat's sets into the dialog's fixed name tables of nRows rows: row r for set r,
// every other row emptied so that nothing of an earlier content survives.
void FillNameTables(const CCatalogue& cat, char (*pFlags)[kNameSize], char (*pDossier)[kNameSize],
                    char (*pStart)[kNameSize], int nRows);
