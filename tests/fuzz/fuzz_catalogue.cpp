// The catalogue loader on arbitrary Desc.txt bytes: at most 99 sets, every usable row three
// names that fit the dialog's table, and the three columns of the table filled without running
// past a row.
#include "FuzzInput.h"
#include "catalogue/Catalogue.h"
#include "framework/CStdioFile.h"

#include <cstring>

namespace {

bool IsWhite(char ch) { return std::strchr(" \t\n\v\f\r", ch) != nullptr && ch != '\0'; }

bool IsName(const std::string& s) {
    if (s.empty() || s.size() >= kNameSize)
        return false;
    for (char ch : s)
        if (IsWhite(ch))
            return false;
    return true;
}

char g_szFlags[kMaxSets + 1][kNameSize];
char g_szDossier[kMaxSets + 1][kNameSize];
char g_szStart[kMaxSets + 1][kNameSize];

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const CFuzzFiles files;
    memfiles::Put(kCatalogueFileName, Bytes(pData, pData + nSize));

    CStdioFile file;
    FUZZ_CHECK(file.Open(kCatalogueFileName, CFile::modeRead | CFile::typeText));
    CCatalogue cat;
    const CatalogueResult result = ReadCatalogue(file, cat, nullptr);
    file.Close();

    FUZZ_CHECK(cat.m_sets.size() <= static_cast<std::size_t>(kMaxSets));
    if (result == CatalogueResult::TooManySets)
        FUZZ_CHECK(cat.m_sets.size() == static_cast<std::size_t>(kMaxSets));
    for (const CCatalogueSet& set : cat.m_sets) {
        const bool bAll = !set.m_strDossierFile.empty() && !set.m_strStartFile.empty();
        FUZZ_CHECK(set.IsUsable() == bAll);
        if (set.IsUsable()) {
            FUZZ_CHECK(IsName(set.m_strFlagsFile) && IsName(set.m_strDossierFile) &&
                       IsName(set.m_strStartFile));
        }
        FUZZ_CHECK(set.m_strDescription.empty() || !IsWhite(set.m_strDescription[0]));
    }

    // Rows hold what the sets say, NUL-terminated; rows past the sets are emptied.
    std::memset(g_szFlags, 'x', sizeof g_szFlags);
    std::memset(g_szDossier, 'x', sizeof g_szDossier);
    std::memset(g_szStart, 'x', sizeof g_szStart);
    FillNameTables(cat, g_szFlags, g_szDossier, g_szStart, kMaxSets + 1);
    for (int r = 0; r <= kMaxSets; ++r) {
        const bool bSet = static_cast<std::size_t>(r) < cat.m_sets.size();
        const CCatalogueSet none;
        const CCatalogueSet& set = bSet ? cat.m_sets[static_cast<std::size_t>(r)] : none;
        const std::pair<const char*, const std::string*> columns[] = {
            {g_szFlags[r], &set.m_strFlagsFile},
            {g_szDossier[r], &set.m_strDossierFile},
            {g_szStart[r], &set.m_strStartFile}};
        for (const auto& column : columns) {
            FUZZ_CHECK(std::memchr(column.first, '\0', kNameSize) != nullptr);
            FUZZ_CHECK(*column.second == column.first);
        }
    }
    return 0;
}
