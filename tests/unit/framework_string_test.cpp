// CString: formatting, trimming, the A-to-Z-only case folding, and clamped substrings.
#include "framework/CString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(String, Format) {
    CString s = "old text";
    s.Format("%d-%s-%u%%", -5, "x", 7u);
    EXPECT_EQ(s.str(), "-5-x-7%");
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
    // Longer than any fixed buffer a formatter might start with.
    const std::string strLong(5000, 'q');
    s.Format("<%s>", strLong.c_str());
    EXPECT_EQ(s.str(), "<" + strLong + ">");
    s.Format("%s", s.GetString()); // formatting from itself
    EXPECT_EQ(s.str(), "<" + strLong + ">");
}

TEST(String, Trim) {
    struct Case {
        const char* psz;
        const char* pszLeft;  // after TrimLeft
        const char* pszRight; // after TrimRight
    };
    const Case cases[] = {
        {"", "", ""},
        {"abc", "abc", "abc"},
        {" \t\r\n\v\fa b \t\r\n\v\f", "a b \t\r\n\v\f", " \t\r\n\v\fa b"},
        {" \t \n", "", ""},
        {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"}, // a non-breaking space is not white space
    };
    for (const Case& c : cases) {
        CString left = c.psz, right = c.psz;
        left.TrimLeft();
        right.TrimRight();
        EXPECT_EQ(left.str(), c.pszLeft) << '"' << c.psz << '"';
        EXPECT_EQ(right.str(), c.pszRight) << '"' << c.psz << '"';
    }
}

int Sign(int n) { return (n > 0) - (n < 0); }

TEST(String, CompareNoCaseFoldsAToZOnly) {
    struct Case {
        const char* a;
        const char* b;
        int nSign;
    };
    const Case cases[] = {
        {"DOSSIER.SHP", "dossier.shp", 0},
        {"008Startscr.shp", "008STARTSCR.SHP", 0},
        {"", "", 0},
        {"abc", "abd", -1},
        {"abc", "ab", 1},
        {"ab", "ABC", -1},
        {"Z", "a", 1},  // folded: 'z' > 'a'
        {"[", "{", -1}, // next to the letters, not folded
        {"@", "`", -1},
        {"\xC4", "\xE4", -1}, // accented letters are not folded
        {"\xE4", "a", 1},     // bytes from 0x80 up sort above ASCII
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sign(CString(c.a).CompareNoCase(c.b)), c.nSign) << c.a << " / " << c.b;
        EXPECT_EQ(Sign(CString(c.b).CompareNoCase(c.a)), -c.nSign) << c.b << " / " << c.a;
    }
}

TEST(String, LeftAndMidClampToTheString) {
    const CString s = "abcdef";
    struct Case {
        CString got;
        const char* pszWant;
    };
    const Case cases[] = {
        {s.Left(-1), ""},        {s.Left(0), ""},       {s.Left(3), "abc"},   {s.Left(6), "abcdef"},
        {s.Left(100), "abcdef"}, {s.Mid(-2), "abcdef"}, {s.Mid(0), "abcdef"}, {s.Mid(5), "f"},
        {s.Mid(6), ""},          {s.Mid(100), ""},      {s.Mid(2, 2), "cd"},  {s.Mid(4, 100), "ef"},
        {s.Mid(1, -1), ""},      {s.Mid(-3, 2), "ab"},  {s.Mid(6, 1), ""},
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].got.str(), cases[i].pszWant) << "case " << i;
}

} // namespace
