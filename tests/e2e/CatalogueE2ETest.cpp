// The catalogue at start-up: the set list as the user sees it.
#include "harness.h"

#include "res/resource.h"
#include "tests/model/InstallTexts.h"
#include "tests/support/Utf16File.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

using Sets = std::vector<CCatalogueLine>;

Sets Numbered(int nSets) {
    Sets sets;
    for (int i = 1; i <= nSets; ++i)
        sets.push_back({"f.shp", "d.shp", "s.shp", "Set " + std::to_string(i)});
    return sets;
}

// Install with no set chosen says why: text typed into the list's field chose none (an empty
// list: Package). A catalogue in UTF-8 shows every script, and so do a catalogue and a settings
// file saved in UTF-16.
TEST(CatalogueE2E, SetListInFileOrderWithTheFirstSelected) {
    struct Case {
        const char* pszWhat;
        Sets sets;
        bool bUtf16 = false;
    };
    const std::vector<Case> cases = {
        {"99 sets, the most", Numbered(99)},
        {"in UTF-8",
         {{"f.shp", "d.shp", "s.shp", "Флаги 1941"}, {"f.shp", "d.shp", "s.shp", "ゲームの旗"}}},
        {"in UTF-16",
         {{"f.shp", "d.shp", "s.shp", "Zażółć 1939"},
          {"f.shp", "d.shp", "s.shp", "Флаги"},
          {"f.shp", "d.shp", "s.shp", "ゲームの旗"}},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        std::vector<std::string> items;
        for (const CCatalogueLine& set : c.sets)
            items.push_back(set.m_strDescription);
        CProgramRun run(c.bUtf16 ? "Gry ゲーム" : "");
        ASSERT_TRUE(run.WriteSettings(run.PathOf("Panzer2.dat")));
        ASSERT_TRUE(run.WriteCatalogue(512, 1024, 2048, c.sets));
        for (const char* pszName : {"pg2_flags.ini", "Desc.txt"}) {
            const std::string text = ReadWholeFile(run.ToolPathOf(pszName));
            ASSERT_TRUE(!c.bUtf16 || run.WriteFile("RararIzorevo\\" + std::string(pszName),
                                                   Utf16File(text, false)));
        }
        HWND dlg = run.StartMainDialog();
        ASSERT_TRUE(dlg);
        EXPECT_EQ(ItemText(dlg, IDC_DATPATH), run.PathOf("Panzer2.dat"));
        HWND combo = GetDlgItem(dlg, IDC_SETS);
        EXPECT_EQ(ComboItems(combo), items);
        EXPECT_EQ(ComboCurSel(combo), 0);
        EXPECT_EQ(WindowText(combo), items[0]);

        // Typed over the whole field, key by key: text set as a whole would not tell the list
        // that its field changed.
        HWND field = FindWindowExA(combo, nullptr, "Edit", nullptr);
        ASSERT_TRUE(Send(field, EM_SETSEL, 0, -1));
        for (char ch : std::string("Alpha, typed"))
            ASSERT_TRUE(Send(field, WM_CHAR, static_cast<unsigned char>(ch), 1));
        EXPECT_EQ(WindowText(combo), "Alpha, typed");
        EXPECT_EQ(ComboCurSel(combo), CB_ERR);
        Click(dlg, IDC_INSTALL);
        EXPECT_TRUE(run.AnswerMessageBox(install_text::kChooseOne, EIcon::Exclamation));
    }
}

} // namespace
