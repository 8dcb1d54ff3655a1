// The catalogue at start-up: the set list as the user sees it, and the starts it refuses.
#include "FatalStart.h"
#include "harness.h"
#include "res/resource.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

using Sets = std::vector<CProgramRun::CSet>;

TEST(Catalogue, SetListInFileOrderWithTheFirstSelected) {
    struct Case {
        const char* pszWhat;
        Sets sets;
        std::vector<std::string> items;
    };
    const std::vector<Case> cases = {
        {"three sets",
         {{"z.shp", "z.shp", "z.shp", "Zulu  set"},
          {"a.shp", "a.shp", "a.shp", "Alpha"},
          {"m.shp", "m.shp", "008Startscr.shp", "Mike"}},
         {"Zulu  set", "Alpha", "Mike"}},
        {"no sets", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CProgramRun run;
        ASSERT_TRUE(run.WriteSettings(run.PathOf("Panzer2.dat")));
        ASSERT_TRUE(run.WriteCatalogue(512, 1024, 2048, c.sets));
        ASSERT_TRUE(run.Start());
        HWND dlg = run.WaitMainDialog();
        ASSERT_TRUE(dlg);
        HWND combo = GetDlgItem(dlg, IDC_SETS);
        EXPECT_EQ(ComboItems(combo), c.items);
        EXPECT_EQ(ComboCurSel(combo), c.items.empty() ? CB_ERR : 0);
        EXPECT_EQ(WindowText(combo), c.items.empty() ? "" : c.items[0]);
    }
}

TEST(Catalogue, MissingOrOverfullCatalogueEndsTheProgram) {
    struct Case {
        const char* pszWhat;
        int nSets; // -1: no catalogue at all
        const char* pszText;
    };
    const std::vector<Case> cases = {
        {"missing catalogue", -1, "ERROR! Desc.txt file can not be opened!"},
        {"100 set lines", 100, "ERROR! Too much Flags&Dossier!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CProgramRun run;
        ASSERT_TRUE(run.WriteSettings(run.PathOf("Panzer2.dat")));
        if (c.nSets >= 0) {
            Sets sets;
            for (int i = 0; i < c.nSets; ++i)
                sets.push_back({"f.shp", "d.shp", "s.shp", "Set " + std::to_string(i + 1)});
            ASSERT_TRUE(run.WriteCatalogue(16, 16, 16, sets));
        }
        ExpectFatalStart(run, c.pszText);
    }
}

TEST(Catalogue, NinetyNineSetsAreAllListed) {
    CProgramRun run;
    ASSERT_TRUE(run.WriteSettings(run.PathOf("Panzer2.dat")));
    Sets sets;
    for (int i = 0; i < 99; ++i)
        sets.push_back({"f.shp", "d.shp", "s.shp", "Set " + std::to_string(i + 1)});
    ASSERT_TRUE(run.WriteCatalogue(16, 16, 16, sets));
    ASSERT_TRUE(run.Start());
    HWND dlg = run.WaitMainDialog();
    ASSERT_TRUE(dlg);
    const std::vector<std::string> items = ComboItems(GetDlgItem(dlg, IDC_SETS));
    ASSERT_EQ(items.size(), 99u);
    EXPECT_EQ(items.back(), "Set 99");
}

} // namespace
