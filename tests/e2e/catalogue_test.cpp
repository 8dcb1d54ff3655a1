// The catalogue at start-up: the set list as the user sees it, and the starts that end the
// program (no catalogue, a folder in its place, too many sets).
#include "FatalStart.h"
#include "harness.h"

#include "catalogue/Catalogue.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>

using namespace e2e;

namespace {

using Sets = std::vector<CProgramRun::CSet>;

Sets Numbered(int nSets) {
    Sets sets;
    for (int i = 1; i <= nSets; ++i)
        sets.push_back({"f.shp", "d.shp", "s.shp", "Set " + std::to_string(i)});
    return sets;
}

// Install with no set chosen says why: the catalogue lists none, or text typed into the list's
// field chose none. A catalogue in UTF-8 shows every script.
TEST(Catalogue, SetListInFileOrderWithTheFirstSelected) {
    const char kChooseOne[] = "ERROR! No graphic set is selected: choose one from the list!";
    struct Case {
        const char* pszWhat;
        Sets sets;
        const char* pszInstallUnselected;
    };
    const std::vector<Case> cases = {
        {"three sets",
         {{"z.shp", "z.shp", "z.shp", "Zulu  set"},
          {"a.shp", "a.shp", "a.shp", "Alpha"},
          {"m.shp", "m.shp", "008Startscr.shp", "Mike"}},
         kChooseOne},
        {"no sets", {}, "ERROR! No graphic set is selected: Desc.txt lists none!"},
        {"99 sets, the most", Numbered(99), kChooseOne},
        {"in UTF-8",
         {{"f.shp", "d.shp", "s.shp", "Флаги 1941"}, {"f.shp", "d.shp", "s.shp", "ゲームの旗"}},
         kChooseOne},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        std::vector<std::string> items;
        for (const CProgramRun::CSet& set : c.sets)
            items.push_back(set.m_strDescription);
        CProgramRun run;
        ASSERT_TRUE(run.WriteSettings(run.PathOf("Panzer2.dat")));
        ASSERT_TRUE(run.WriteCatalogue(512, 1024, 2048, c.sets));
        ASSERT_TRUE(run.Start());
        HWND dlg = run.WaitMainDialog();
        ASSERT_TRUE(dlg);
        HWND combo = GetDlgItem(dlg, IDC_SETS);
        EXPECT_EQ(ComboItems(combo), items);
        EXPECT_EQ(ComboCurSel(combo), items.empty() ? CB_ERR : 0);
        EXPECT_EQ(WindowText(combo), items.empty() ? "" : items[0]);

        // Typed over the whole field, key by key: text set as a whole would not tell the list
        // that its field changed.
        HWND field = FindWindowExA(combo, nullptr, "Edit", nullptr);
        ASSERT_TRUE(Send(field, EM_SETSEL, 0, -1));
        for (char ch : std::string("Alpha, typed"))
            ASSERT_TRUE(Send(field, WM_CHAR, static_cast<unsigned char>(ch), 1));
        EXPECT_EQ(WindowText(combo), "Alpha, typed");
        EXPECT_EQ(ComboCurSel(combo), CB_ERR);
        Click(dlg, IDC_INSTALL);
        const CMessageBoxInfo box = run.WaitAndReadMessageBox();
        ASSERT_TRUE(box.m_h);
        EXPECT_EQ(box.m_strText, c.pszInstallUnselected);
        EXPECT_EQ(box.m_icon, EIcon::Exclamation);
        EXPECT_TRUE(Dismiss(box.m_h));
    }
}

TEST(Catalogue, StartsThatEndTheProgram) {
    struct Case {
        const char* pszWhat;
        std::function<bool(CProgramRun&)> spoil; // of a minimal layout
        const char* pszText;
    };
    const Case cases[] = {
        {"no catalogue",
         [](CProgramRun& run) {
             return DeleteFileA(run.ToolPathOf(kCatalogueFileName).c_str()) != FALSE;
         },
         kCatalogueOpenError},
        {"a folder in its place",
         [](CProgramRun& run) {
             const std::string strPath = run.ToolPathOf(kCatalogueFileName);
             return DeleteFileA(strPath.c_str()) && CreateDirectoryA(strPath.c_str(), nullptr);
         },
         kCatalogueOpenError},
        {"100 sets", [](CProgramRun& run) { return run.WriteCatalogue(16, 16, 16, Numbered(100)); },
         kTooManySetsError},
        {"10 MB of sets",
         [](CProgramRun& run) {
             std::string text = "Sets\r\n--\r\n16\r\n16\r\n16\r\nfiles\r\n";
             const std::string strLine = "f.shp d.shp s.shp " + std::string(80, 'x') + "\r\n";
             while (text.size() < 10 * 1024 * 1024)
                 text += strLine;
             return run.WriteFile("RararIzorevo\\Desc.txt", text);
         },
         kTooManySetsError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CProgramRun run;
        ASSERT_TRUE(run.WriteMinimalLayout());
        ASSERT_TRUE(c.spoil(run));
        ExpectFatalStart(run, c.pszText);
    }
}

} // namespace
