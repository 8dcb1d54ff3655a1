// The catalogue at start-up: the set list as the user sees it, and the starts it refuses.
#include "FatalStart.h"
#include "harness.h"
#include "res/resource.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

using Sets = std::vector<CProgramRun::CSet>;

// Install with no set chosen says why: the catalogue lists none, or text typed into the list's
// field chose none.
TEST(Catalogue, SetListInFileOrderWithTheFirstSelected) {
    struct Case {
        const char* pszWhat;
        Sets sets;
        std::vector<std::string> items;
        const char* pszInstallUnselected;
    };
    const std::vector<Case> cases = {
        {"three sets",
         {{"z.shp", "z.shp", "z.shp", "Zulu  set"},
          {"a.shp", "a.shp", "a.shp", "Alpha"},
          {"m.shp", "m.shp", "008Startscr.shp", "Mike"}},
         {"Zulu  set", "Alpha", "Mike"},
         "ERROR! No graphic set is selected: choose one from the list!"},
        {"no sets", {}, {}, "ERROR! No graphic set is selected: Desc.txt lists none!"},
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

        // Typed over the whole field, key by key: text set as a whole would not tell the list
        // that its field changed.
        HWND field = FindWindowExA(combo, nullptr, "Edit", nullptr);
        SendMessageTimeoutA(field, EM_SETSEL, 0, -1, SMTO_BLOCK, 2000, nullptr);
        for (char ch : std::string("Alpha, typed"))
            SendMessageTimeoutA(field, WM_CHAR, static_cast<unsigned char>(ch), 1, SMTO_BLOCK, 2000,
                                nullptr);
        EXPECT_EQ(WindowText(combo), "Alpha, typed");
        EXPECT_EQ(ComboCurSel(combo), CB_ERR);
        Click(dlg, IDC_INSTALL);
        const CMessageBoxInfo box = run.WaitAndReadMessageBox();
        ASSERT_TRUE(box.m_h);
        EXPECT_EQ(box.m_strText, c.pszInstallUnselected);
        EXPECT_EQ(box.m_icon, EIcon::Exclamation);
        PostOk(box.m_h);
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
