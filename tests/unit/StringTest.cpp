// CString: formatting, and the A-to-Z-only case folding of names.
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
        EXPECT_EQ(Sign(AfxCompareNoCase(c.a, c.b)), c.nSign) << c.a << " / " << c.b;
        EXPECT_EQ(Sign(AfxCompareNoCase(c.b, c.a)), -c.nSign) << c.b << " / " << c.a;
    }
}

} // namespace
