// The catalogue loader on arbitrary Desc.txt bytes: at most 99 sets, every usable row three
// names that fit the dialog's table, and the table filled without running past a row.
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
    const CTempFolder& folder = FuzzFolder();
    folder.Write(kCatalogueFileName, Bytes(pData, pData + nSize));

    CStdioFile file;
    FUZZ_CHECK(
        file.Open(folder.Path(kCatalogueFileName).c_str(), CFile::modeRead | CFile::typeText));
    CCatalogue cat;
    const CatalogueResult result = ReadCatalogue(file, cat);
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
        FUZZ_CHECK(std::memchr(g_szFlags[r], '\0', kNameSize) != nullptr);
        FUZZ_CHECK(std::memchr(g_szDossier[r], '\0', kNameSize) != nullptr);
        FUZZ_CHECK(std::memchr(g_szStart[r], '\0', kNameSize) != nullptr);
        const std::string strFlags =
            bSet ? cat.m_sets[static_cast<std::size_t>(r)].m_strFlagsFile : "";
        const std::string strStart =
            bSet ? cat.m_sets[static_cast<std::size_t>(r)].m_strStartFile : "";
        FUZZ_CHECK(strFlags == g_szFlags[r]);
        FUZZ_CHECK(strStart == g_szStart[r]);
    }
    return 0;
}
