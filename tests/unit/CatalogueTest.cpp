#include "ArchiveBuilder.h"
#include "Latin1CodePage.h"

#include "catalogue/Catalogue.h"
#include "framework/CStdioFile.h"
#include "tests/support/Utf16File.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

const CLatin1CodePage kLatin1;

TEST(Catalogue, SetLineSplitsNamesAndDescription) {
    const std::string name99(99, 'n');
    const std::string name100(100, 'n');
    const std::string longText(12000, 'd');
    struct Case {
        std::string line;
        std::string flags, dossier, start, description;
        const CLegacyCodePage* pLegacy = nullptr; // the program's text is UTF-8 beside it
    };
    const std::vector<Case> cases = {
        {"flag1.shp dos1.shp start1.shp First set", "flag1.shp", "dos1.shp", "start1.shp",
         "First set"},
        {"flag1.shp   dos1.shp start1.shp  First set  ", "flag1.shp", "dos1.shp", "start1.shp",
         "First set  "},
        {"flag1.shp dos1.shp start1.shp", "flag1.shp", "dos1.shp", "start1.shp", ""},
        {"flag1.shp dos1.shp start1.shp   ", "flag1.shp", "dos1.shp", "start1.shp", ""},
        // Any white space separates names, a tab included.
        {"flag1.shp\tdos1.shp\tstart1.shp\tFirst", "flag1.shp", "dos1.shp", "start1.shp", "First"},
        {"\tf d s \t Inner  blanks\tkept ", "f", "d", "s", "Inner  blanks\tkept "},
        {"f d 008Startscr.shp Restore", "f", "d", "008Startscr.shp", "Restore"},
        // Unusable rows: all three names empty; the item still tells the user which line it is.
        {"flag1.shp dos1.shp", "", "", "", "flag1.shp dos1.shp"},
        {"  flag1.shp", "", "", "", "flag1.shp"},
        {"   ", "", "", "", ""},
        {name99 + " d s Longest", name99, "d", "s", "Longest"},
        {"f " + name99 + " " + name99, "f", name99, name99, ""},
        {name100 + " d s Too long", "", "", "", "Too long"},
        {"f d " + name100 + " Too long", "", "", "", "Too long"},
        {"f d s " + longText, "f", "d", "s", longText},
        {longText, "", "", "", longText},
        // A NUL ends the line's text, as it ends the table's names.
        {"fla\0g1.shp dos1.shp start1.shp First"s, "", "", "", "fla"},
        {"f d s Fir\0st"s, "f", "d", "s", "Fir"},
        {Repeated("ゲ", 99) + " d s 99", Repeated("ゲ", 99), "d", "s", "99", &kLatin1},
        {Repeated("ゲ", 100) + " d s 100", "", "", "", "100", &kLatin1},
    };
    for (const Case& c : cases) {
        const CCatalogueSet set = SplitSetLine(c.line, c.pLegacy);
        const std::string what = c.line.substr(0, 60);
        EXPECT_EQ(set.m_strFlagsFile, c.flags) << what;
        EXPECT_EQ(set.m_strDossierFile, c.dossier) << what;
        EXPECT_EQ(set.m_strStartFile, c.start) << what;
        EXPECT_EQ(set.m_strDescription, c.description) << what;
        EXPECT_EQ(set.IsUsable(), !c.flags.empty()) << what;
    }
}

TEST(Catalogue, SizeLineScansADecimalIntegerSafely) {
    struct Case {
        const char* pszLine;
        bool bNumber;
        int value;
    };
    const std::vector<Case> cases = {
        {"512", true, 512},
        {"  \t 40000", true, 40000},
        {"-12", true, -12},
        {"+7x", true, 7},
        {"0x100", true, 0},
        {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999999999", false, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"size 512", false, 0},
        {"-", false, 0},
        {"- 5", false, 0},
        {"+-5", false, 0},
    };
    for (const Case& c : cases) {
        int value = 12345;
        EXPECT_EQ(ScanInt(c.pszLine, value), c.bNumber) << c.pszLine;
        EXPECT_EQ(value, c.bNumber ? c.value : 12345) << c.pszLine;
    }
}

// The catalogue file of these bytes, read.
CatalogueResult Read(const std::string& bytes, CCatalogue& cat,
                     const CLegacyCodePage* pLegacy = nullptr) {
    CTempFolder dir;
    dir.Write(kCatalogueFileName, Bytes(bytes.begin(), bytes.end()));
    CStdioFile file;
    EXPECT_TRUE(file.Open(dir.Path(kCatalogueFileName).c_str(), CFile::modeRead | CFile::typeText));
    return ReadCatalogue(file, cat, pLegacy);
}
std::vector<std::string> Descriptions(const CCatalogue& cat) {
    std::vector<std::string> items;
    for (const CCatalogueSet& set : cat.m_sets)
        items.push_back(set.m_strDescription);
    return items;
}
std::string Lines(int nFirst, int nCount) {
    std::string text;
    for (int i = nFirst; i < nFirst + nCount; ++i)
        text += "f" + std::to_string(i) + " d s Set " + std::to_string(i) + "\r\n";
    return text;
}

const std::string kHead = "Catalogue\r\nof sets\r\n512 flags\r\n-1024\r\n0x100\r\nsets:\r\n";

TEST(Catalogue, SizesFromLinesThreeToFive) {
    struct Case {
        std::string bytes;
        int flags, dossier, start;
    };
    const std::vector<Case> cases = {
        {kHead, 512, -1024, 0},
        {"a\nb\n 7\n\t8 x\n9", 7, 8, 9},
        {"a\nb\nnone\n\n99999999999\n", 0, 0, 0},
        {"a\nb\n1\n", 1, 0, 0}, // ends before line 4
        {"", 0, 0, 0},
    };
    for (const Case& c : cases) {
        CCatalogue cat;
        EXPECT_EQ(Read(c.bytes, cat), CatalogueResult::Ok);
        EXPECT_EQ(cat.m_nFlagsSize, c.flags) << c.bytes;
        EXPECT_EQ(cat.m_nDossierSize, c.dossier) << c.bytes;
        EXPECT_EQ(cat.m_nStartSize, c.start) << c.bytes;
        EXPECT_TRUE(cat.m_sets.empty()) << c.bytes;
    }
}

TEST(Catalogue, WhereTheListEnds) {
    using Items = std::vector<std::string>;
    Items first99;
    for (int i = 1; i <= 99; ++i)
        first99.push_back("Set " + std::to_string(i));
    const std::string longText(10050, 'd');
    struct Case {
        const char* pszWhat;
        std::string tail; // after line 6
        Items items;
        CatalogueResult result;
        const CLegacyCodePage* pLegacy = nullptr;
        int nUtf16 = 0; // the file saved in UTF-16: 1 little-endian, 2 big-endian
    };
    const std::vector<Case> cases = {
        {"ends after line 6", "", {}, CatalogueResult::Ok},
        {"line 7 empty", "\r\nf d s Never\r\n", {}, CatalogueResult::Ok},
        {"two sets, CR LF", "f d s One\r\nf d s Two\r\n", {"One", "Two"}, CatalogueResult::Ok},
        {"empty line ends the list",
         "f d s One\r\n\r\nf d s Later\r\n",
         {"One"},
         CatalogueResult::Ok},
        {"a line of blanks is not empty",
         "f d s One\r\n  \r\nf d s Two\r\n",
         {"One", "", "Two"},
         CatalogueResult::Ok},
        {"file order kept",
         "z z z Zulu\r\na a a Alpha\r\nm m m Mike\r\n",
         {"Zulu", "Alpha", "Mike"},
         CatalogueResult::Ok},
        {"99 sets, the most", Lines(1, 99) + "\r\n" + Lines(100, 5), first99, CatalogueResult::Ok},
        {"a 100th set: the first 99 kept", Lines(1, 100), first99, CatalogueResult::TooManySets},
        {"lines longer than any buffer",
         "f d s " + longText + "\r\n" + std::string(10050, 'n') + " d s Too long\r\n",
         {longText, "Too long"},
         CatalogueResult::Ok},
        {"each line UTF-8 or in the legacy code page",
         "f d s \xC9t\xE9 1941\r\nf d s Флаги 1941\r\nf d s ゲーム\r\n",
         {"Été 1941", "Флаги 1941", "ゲーム"},
         CatalogueResult::Ok,
         &kLatin1},
        // A character cut by the 64 KiB bound goes; the rest of the line is still UTF-8.
        {"UTF-8 cut by the bound",
         "f d s x" + Repeated("é", 40000) + "\r\n",
         {"x" + Repeated("é", 32764)},
         CatalogueResult::Ok,
         &kLatin1},
        {"UTF-16",
         "f d s Zażółć\r\nf d s Флаги\r\nf d s ゲーム 😀\r\n\r\nf d s Later\r\n",
         {"Zażółć", "Флаги", "ゲーム 😀"},
         CatalogueResult::Ok,
         &kLatin1,
         1},
        {"UTF-16 big-endian", "f d s Ěą\r\n", {"Ěą"}, CatalogueResult::Ok, &kLatin1, 2},
    };
    for (const Case& c : cases) {
        CCatalogue cat;
        const std::string text = kHead + c.tail;
        const std::string bytes = c.nUtf16 ? Utf16File(text, c.nUtf16 == 2) : text;
        EXPECT_EQ(Read(bytes, cat, c.pLegacy), c.result) << c.pszWhat;
        EXPECT_EQ(Descriptions(cat), c.items) << c.pszWhat;
    }
}

TEST(Catalogue, NameTablesFilledRowsAndEveryOtherRowEmpty) {
    CCatalogue cat;
    cat.m_sets = {SplitSetLine("f1 d1 s1 One", nullptr), SplitSetLine("only-one-name", nullptr),
                  SplitSetLine(std::string(99, 'x') + " d3 s3", nullptr),
                  SplitSetLine("f4 d4 " + Repeated("ゲ", 99), &kLatin1)};
    char szFlags[100][kNameSize], szDossier[100][kNameSize], szStart[100][kNameSize];
    std::memset(szFlags, 'x', sizeof szFlags); // stale content from before
    std::memset(szDossier, 'x', sizeof szDossier);
    std::memset(szStart, 'x', sizeof szStart);
    FillNameTables(cat, szFlags, szDossier, szStart, 100);
    const std::vector<std::vector<std::string>> rows = {{"f1", "d1", "s1"},
                                                        {"", "", ""},
                                                        {std::string(99, 'x'), "d3", "s3"},
                                                        {"f4", "d4", Repeated("ゲ", 99)}};
    for (int r = 0; r < 100; ++r) {
        const std::vector<std::string> expected = r < 4 ? rows[r] : std::vector<std::string>(3);
        EXPECT_EQ(szFlags[r], expected[0]) << r;
        EXPECT_EQ(szDossier[r], expected[1]) << r;
        EXPECT_EQ(szStart[r], expected[2]) << r;
    }
}

} // namespace
