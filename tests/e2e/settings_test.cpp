// The settings file at start-up and after Browse, seen from outside the program.
#include "FatalStart.h"
#include "harness.h"

#include "catalogue/Settings.h"
#include "res/resource.h"
#include "tools/SettingsBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace e2e;

namespace {

// The file-open dialog runs its own loop on the program's thread: Browse is over once it is gone.
bool WaitFileDialogGone(CProgramRun& run) {
    return WaitUntil("the file-open dialog to close", [&] {
        for (HWND h : VisibleDialogs(run.Pid()))
            if (IsFileDialog(h))
                return false;
        return true;
    });
}

TEST(Settings, UnreadableSettingsFileEndsTheProgram) {
    struct Case {
        const char* pszWhat;
        std::function<bool(CProgramRun&)> prepare;
        bool bHold; // another program holds the settings file open without sharing
    };
    const std::vector<Case> cases = {
        {"missing file",
         [](CProgramRun& run) {
             return run.WriteCatalogue(16, 16, 16, {{"f.shp", "d.shp", "s.shp", "Set"}});
         },
         false},
        {"missing folder", [](CProgramRun&) { return true; }, false},
        {"held open", [](CProgramRun& run) { return run.WriteMinimalLayout(); }, true},
        {"a folder in its place",
         [](CProgramRun& run) {
             const std::string strPath = run.ToolPathOf(kSettingsFileName);
             return run.WriteMinimalLayout() && DeleteFileA(strPath.c_str()) &&
                    CreateDirectoryA(strPath.c_str(), nullptr);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CProgramRun run;
        ASSERT_TRUE(c.prepare(run));
        std::unique_ptr<CFileHold> hold;
        if (c.bHold) {
            hold = std::make_unique<CFileHold>(run.ToolPathOf("pg2_flags.ini"));
            ASSERT_TRUE(hold->IsOpen());
        }
        ExpectFatalStart(run, kSettingsOpenError);
    }
}

// A folder left under the name an earlier save used for its copy is no obstacle, and no copy is
// left behind. The path is saved in the legacy code page (1252 in these runs) when that holds it,
// the bytes the tool has always written, and in UTF-8 otherwise.
void BrowseSavesThePath(const std::string& leaf, const std::string& legacyLeaf) {
    CProgramRun run(leaf);
    const auto stored = [&](std::string path) {
        return leaf.empty() ? path : path.replace(path.find(leaf), leaf.size(), legacyLeaf);
    };
    ASSERT_TRUE(run.WriteMinimalLayout());
    ASSERT_TRUE(::CreateDirectoryA(run.ToolPathOf("pg2_flags.ini.new").c_str(), nullptr));
    ASSERT_TRUE(run.WriteFile("Game Files\\Panzer2.dat", "archive"));
    ASSERT_TRUE(run.WriteFile("Game Files\\Other.dat", "another archive"));
    ASSERT_TRUE(run.Start());
    HWND dlg = run.WaitMainDialog();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(ItemText(dlg, IDC_DATPATH), run.PathOf("Panzer2.dat"));

    const std::string chosen = run.PathOf("Game Files\\Panzer2.dat");
    ASSERT_TRUE(run.Browse(dlg, chosen, chosen)) << ItemText(dlg, IDC_DATPATH);
    EXPECT_EQ(ReadWholeFile(run.ToolPathOf("pg2_flags.ini")),
              kvtools::settingsFileBytes(stored(chosen)));

    // A name typed without extension gets the default one. (The Open dialog drops it again when
    // no file of that name exists, so there is one.)
    const std::string withExt = run.PathOf("Game Files\\Other.dat");
    ASSERT_TRUE(run.Browse(dlg, run.PathOf("Game Files\\Other"), withExt))
        << ItemText(dlg, IDC_DATPATH);
    EXPECT_EQ(ReadWholeFile(run.ToolPathOf("pg2_flags.ini")),
              kvtools::settingsFileBytes(stored(withExt)));
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(run.ToolPathOf("*.tmp").c_str(), &found);
    EXPECT_EQ(hFind, INVALID_HANDLE_VALUE) << found.cFileName;
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    const DWORD dwLeftover = ::GetFileAttributesA(run.ToolPathOf("pg2_flags.ini.new").c_str());
    EXPECT_TRUE(dwLeftover != INVALID_FILE_ATTRIBUTES && (dwLeftover & FILE_ATTRIBUTE_DIRECTORY));

    ASSERT_TRUE(Press(dlg, IDOK));
    DWORD code = 0;
    ASSERT_TRUE(run.WaitExit(&code));

    ASSERT_TRUE(run.Start());
    dlg = run.WaitMainDialog();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(ItemText(dlg, IDC_DATPATH), withExt);
}

TEST(Settings, BrowseSavesThePathAndTheNextStartShowsItWhole) {
    const std::pair<std::string, std::string> folders[] = {
        {"", ""},
        {"Jeux été", "Jeux \xE9t\xE9"},
        {"Łódź", "Łódź"}, // not "Lodz", the look-alike that 1252 has
        {kAnyScriptFolder, kAnyScriptFolder}};
    for (const auto& [leaf, legacyLeaf] : folders) {
        SCOPED_TRACE(leaf);
        BrowseSavesThePath(leaf, legacyLeaf);
    }
}

TEST(Settings, CancelAndTypedPathsLeaveTheFileAlone) {
    CProgramRun run;
    ASSERT_TRUE(run.WriteMinimalLayout());
    const std::string before = ReadWholeFile(run.ToolPathOf("pg2_flags.ini"));
    ASSERT_TRUE(run.Start());
    HWND dlg = run.WaitMainDialog();
    ASSERT_TRUE(dlg);

    Click(dlg, IDC_BROWSE);
    HWND fileDlg = run.WaitFileDialog();
    ASSERT_TRUE(fileDlg);
    Click(fileDlg, IDCANCEL);
    ASSERT_TRUE(WaitFileDialogGone(run));
    EXPECT_EQ(ItemText(dlg, IDC_DATPATH), run.PathOf("Panzer2.dat"));
    EXPECT_EQ(ReadWholeFile(run.ToolPathOf("pg2_flags.ini")), before);

    // Typed by hand and closed with EXIT: used by Install, never saved.
    ASSERT_TRUE(SetText(GetDlgItem(dlg, IDC_DATPATH), "D:\\Typed by hand\\Panzer2.dat"));
    ASSERT_TRUE(Press(dlg, IDOK));
    DWORD code = 0;
    ASSERT_TRUE(run.WaitExit(&code));
    EXPECT_EQ(ReadWholeFile(run.ToolPathOf("pg2_flags.ini")), before);
}

} // namespace
