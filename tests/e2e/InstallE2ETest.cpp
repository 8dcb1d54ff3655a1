// Install through the real dialog: choose a set, the check box and the path, press Install, read
// the message box, and compare the archive byte for byte.
#include "harness.h"

#include "res/resource.h"
#include "tests/model/InstallTexts.h"
#include "tools/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using e2e::CProgramRun;
using install_text::Done;
using kvtools::ArchiveEntry;
using kvtools::Bytes;
using kvtools::kStandardDossier;
using kvtools::kStandardFlags;
using kvtools::kStandardStart;
using kvtools::kStandardStrt;

const std::vector<ArchiveEntry> kEntries = kvtools::StandardEntries();
constexpr int kFlagsSize = 16, kDossierSize = 20, kStartSize = 24;

std::string Str(const Bytes& b) { return std::string(b.begin(), b.end()); }

std::string Pattern(std::size_t n, unsigned char first) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(first + i);
    return s;
}

// strArchive with strBlock, zero-filled to nSize, over the data of entry i.
std::string With(std::string strArchive, std::size_t i, std::string strBlock, int nSize) {
    strBlock.resize(static_cast<std::size_t>(nSize), '\0');
    strArchive.replace(kvtools::EntryOffset(kEntries, i), strBlock.size(), strBlock);
    return strArchive;
}

// Two sets: "Set A" with its own start screen, "Set B" taking it from STRT.SHP.
const std::vector<CCatalogueLine> kSets = {{"fa.shp", "da.shp", "sa.shp", "Set A"},
                                           {"fb.shp", "db.shp", "008StartScr.SHP", "Set B"}};

class CInstallRun : public CProgramRun {
public:
    using CProgramRun::CProgramRun;

    bool Prepare(const std::string& strDatPath) {
        m_strArchive = Str(kvtools::BuildArchive(kEntries));
        return WriteFile("Panzer2.dat", m_strArchive) && WriteSettings(strDatPath) &&
               WriteCatalogue(kFlagsSize, kDossierSize, kStartSize, kSets) &&
               WriteFile("RararIzorevo\\fa.shp", Pattern(10, 0x11)) &&
               WriteFile("RararIzorevo\\da.shp", Pattern(20, 0x21)) &&
               WriteFile("RararIzorevo\\sa.shp", Pattern(24, 0x31)) &&
               WriteFile("RararIzorevo\\fb.shp", Pattern(16, 0x41)) &&
               WriteFile("RararIzorevo\\db.shp", Pattern(5, 0x51));
    }
    bool Prepare() { return Prepare(PathOf("Panzer2.dat")); }

    std::string SetA() const {
        std::string s = With(m_strArchive, kStandardDossier, Pattern(20, 0x21), kDossierSize);
        s = With(s, kStandardFlags, Pattern(10, 0x11), kFlagsSize);
        return With(s, kStandardStart, Pattern(24, 0x31), kStartSize);
    }
    std::string SetBOver(std::string s, bool bStart) const {
        s = With(s, kStandardDossier, Pattern(5, 0x51), kDossierSize);
        s = With(s, kStandardFlags, Pattern(16, 0x41), kFlagsSize);
        if (bStart) {
            s = With(s, kStandardStart,
                     m_strArchive.substr(kvtools::EntryOffset(kEntries, kStandardStrt), kStartSize),
                     kStartSize);
        }
        return s;
    }

    // Presses Install and answers the message box that tells the outcome.
    bool Install(HWND dlg, const std::string& strText) {
        e2e::Click(dlg, IDC_INSTALL);
        return AnswerMessageBox(strText, e2e::EIcon::Information);
    }

    std::string Archive() const { return e2e::ReadWholeFile(PathOf("Panzer2.dat")); }

    std::string m_strArchive;
};

// The first install through a path typed with a trailing blank, which Windows drops: the copy
// still takes the archive's own name. In a folder named in three scripts, the program's copy
// beside the archive.
TEST(InstallE2E, TwoSetsInARowTheSecondWithoutStartScreen) {
    CInstallRun run(e2e::kAnyScriptFolder);
    ASSERT_TRUE(run.Prepare());
    ASSERT_TRUE(
        CopyFileA(e2e::KestrovanePath().c_str(), run.PathOf("Kestrovane.exe").c_str(), TRUE));
    HWND dlg = run.StartMainDialog(run.PathOf("Kestrovane.exe"));
    ASSERT_TRUE(dlg);

    ASSERT_TRUE(e2e::SetText(GetDlgItem(dlg, IDC_DATPATH), run.PathOf("Panzer2.dat ")));
    ASSERT_TRUE(run.Install(dlg, Done("Set A")));
    EXPECT_EQ(run.Archive(), run.SetA());
    // The first install kept the archive as it was beside it.
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf("Panzer2.dat.bak")), run.m_strArchive);

    ASSERT_TRUE(e2e::SetText(GetDlgItem(dlg, IDC_DATPATH), run.PathOf("Panzer2.dat")));
    ASSERT_TRUE(e2e::Send(GetDlgItem(dlg, IDC_SETS), CB_SETCURSEL, 1));
    // A click opens no window: sent, it has been handled when the call returns.
    ASSERT_TRUE(e2e::Send(GetDlgItem(dlg, IDC_NOSTARTSCR), BM_CLICK));
    EXPECT_TRUE(e2e::IsChecked(GetDlgItem(dlg, IDC_NOSTARTSCR)));
    ASSERT_TRUE(run.Install(dlg, install_text::DoneWithoutStart("Set B")));
    // Set B's blocks replace Set A's whole; the start screen stays Set A's.
    EXPECT_EQ(run.Archive(), run.SetBOver(run.SetA(), false));

    ASSERT_TRUE(e2e::Send(GetDlgItem(dlg, IDC_NOSTARTSCR), BM_CLICK));
    EXPECT_FALSE(e2e::IsChecked(GetDlgItem(dlg, IDC_NOSTARTSCR)));
    ASSERT_TRUE(run.Install(dlg, Done("Set B")));
    EXPECT_EQ(run.Archive(), run.SetBOver(run.SetA(), true));
}

// Files written in the system's legacy code page, as earlier versions of the tool and the editors
// of such a system leave them: the path and the description show in their own letters and the set
// installs. Each run has one legacy code page (1252, and 1251 in the run with a Russian locale).
TEST(InstallE2E, LegacyCodePageFilesShowAndInstall) {
    struct Case {
        DWORD dwCodePage;
        std::string folder, folderLegacy; // the game's and the tool's
        std::string flags, flagsLegacy;   // the set's flags file
        std::string description, descriptionLegacy;
    };
    const Case cases[] = {
        {1252, "Jeux été", "Jeux \xE9t\xE9", "été.shp", "\xE9t\xE9.shp", "Été 1941",
         "\xC9t\xE9 1941"},
        {1251, "Игры", "\xC8\xE3\xF0\xFB", "флаги.shp", "\xF4\xEB\xE0\xE3\xE8.shp", "Флаги 1941",
         "\xD4\xEB\xE0\xE3\xE8 1941"},
    };
    DWORD dwLegacy = 0;
    GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<LPWSTR>(&dwLegacy), sizeof dwLegacy / sizeof(WCHAR));
    const auto c = std::find_if(std::begin(cases), std::end(cases),
                                [&](const Case& k) { return k.dwCodePage == dwLegacy; });
    ASSERT_NE(c, std::end(cases)) << "no files for the legacy code page " << dwLegacy;

    CInstallRun run(c->folder);
    std::string strLegacyPath = run.PathOf("Panzer2.dat");
    strLegacyPath.replace(strLegacyPath.find(c->folder), c->folder.size(), c->folderLegacy);
    ASSERT_TRUE(run.Prepare(strLegacyPath));
    ASSERT_TRUE(run.WriteCatalogue(kFlagsSize, kDossierSize, kStartSize,
                                   {{c->flagsLegacy, "da.shp", "sa.shp", c->descriptionLegacy}}));
    ASSERT_TRUE(run.WriteFile("RararIzorevo\\" + c->flags, Pattern(10, 0x11)));
    HWND dlg = run.StartMainDialog();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(e2e::ItemText(dlg, IDC_DATPATH), run.PathOf("Panzer2.dat"));
    EXPECT_EQ(e2e::ComboItems(GetDlgItem(dlg, IDC_SETS)), std::vector<std::string>{c->description});
    ASSERT_TRUE(run.Install(dlg, Done(c->description)));
    EXPECT_EQ(run.Archive(), run.SetA());
}

// The typed path is 250 characters long: the archive and its copy beside it both fit.
TEST(InstallE2E, TypedPathIsUsedButNotSaved) {
    CInstallRun run;
    ASSERT_TRUE(run.Prepare());
    const std::string strOther =
        std::string(250 - run.PathOf("\\Other.dat").size(), 'd') + "\\Other.dat";
    ASSERT_TRUE(run.WriteFile(strOther, run.m_strArchive));
    ASSERT_EQ(run.PathOf(strOther).size(), 250u);
    const std::string strSettings = e2e::ReadWholeFile(run.ToolPathOf("pg2_flags.ini"));
    HWND dlg = run.StartMainDialog();
    ASSERT_TRUE(dlg);
    ASSERT_TRUE(e2e::SetText(GetDlgItem(dlg, IDC_DATPATH), run.PathOf(strOther)));
    ASSERT_TRUE(run.Install(dlg, Done("Set A")));
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf(strOther)), run.SetA());
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf(strOther + ".bak")), run.m_strArchive);
    EXPECT_EQ(run.Archive(), run.m_strArchive);
    EXPECT_EQ(e2e::ReadWholeFile(run.ToolPathOf("pg2_flags.ini")), strSettings);
}

} // namespace
