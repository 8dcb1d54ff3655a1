// The settings file at start-up and after Browse, seen from outside the program.
#include "harness.h"

#include "catalogue/Settings.h"
#include "res/resource.h"
#include "tools/SettingsBytes.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// The path is saved in the legacy code page (1252 in these runs) when that
// holds it, the bytes the tool has always written, and in UTF-8 otherwise.
void BrowseSavesThePath(const std::string& leaf, const std::string& legacyLeaf) {
    CProgramRun run(leaf);
    const auto stored = [&](std::string path) {
        return path.replace(path.find(leaf), leaf.size(), legacyLeaf);
    };
    ASSERT_TRUE(run.WriteMinimalLayout());
    ASSERT_TRUE(run.WriteFile("Game Files\\Panzer2.dat", "archive"));
    ASSERT_TRUE(run.WriteFile("Game Files\\Other.dat", "another archive"));
    HWND dlg = run.StartMainDialog();
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

    ASSERT_TRUE(Press(dlg, IDOK));
    DWORD code = 0;
    ASSERT_TRUE(run.WaitExit(&code));

    dlg = run.StartMainDialog();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(ItemText(dlg, IDC_DATPATH), withExt);
}

TEST(SettingsE2E, BrowseSavesThePathAndTheNextStartShowsItWhole) {
    const std::pair<std::string, std::string> folders[] = {
        {"Jeux été", "Jeux \xE9t\xE9"},
        {"Łódź", "Łódź"}, // not "Lodz", the look-alike that 1252 has
        {kAnyScriptFolder, kAnyScriptFolder}};
    for (const auto& [leaf, legacyLeaf] : folders) {
        SCOPED_TRACE(leaf);
        BrowseSavesThePath(leaf, legacyLeaf);
    }
}

// (A typed path is never saved: MainDialogE2E.ClosesByExitEnterSpaceEscapeAndCloseBox.)
TEST(SettingsE2E, CancelLeavesTheFileAlone) {
    CProgramRun run;
    ASSERT_TRUE(run.WriteMinimalLayout());
    const std::string before = ReadWholeFile(run.ToolPathOf("pg2_flags.ini"));
    HWND dlg = run.StartMainDialog();
    ASSERT_TRUE(dlg);

    Click(dlg, IDC_BROWSE);
    HWND fileDlg = run.WaitFileDialog();
    ASSERT_TRUE(fileDlg);
    Click(fileDlg, IDCANCEL);
    // The file-open dialog runs its own loop on the program's thread: Browse is over once it is
    // gone.
    ASSERT_TRUE(WaitUntil("the file-open dialog to close", [&] { return !IsWindow(fileDlg); }));
    EXPECT_EQ(ItemText(dlg, IDC_DATPATH), run.PathOf("Panzer2.dat"));
    EXPECT_EQ(ReadWholeFile(run.ToolPathOf("pg2_flags.ini")), before);
}

// Without its settings file the tool says so in one box, and ends with status 1 before its window
// is shown. The caption of every message box is the executable's name: a renamed copy shows its
// own name. (Every state of the tool's files that ends the start: the unit tests' StartupLoad.)
TEST(SettingsE2E, MissingFileEndsTheStartInOneBoxNamedAfterTheProgram) {
    struct Case {
        const char* pszExe;
        const char* pszCaption;
    };
    const Case cases[] = {{"Kestrovane.exe", "Kestrovane"}, {"Other Name.exe", "Other Name"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszExe);
        CProgramRun run;
        // No settings file: the start-up error box, before any window.
        const std::string exe = run.PathOf(c.pszExe);
        ASSERT_TRUE(CopyFileA(KestrovanePath().c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(run.Start(exe));
        const CMessageBoxInfo box = run.WaitAndReadMessageBox();
        ExpectMessageBox(box, kSettingsOpenError, EIcon::Error, c.pszCaption);
        ASSERT_TRUE(box.m_h);
        for (HWND h : VisibleDialogs(run.Pid()))
            EXPECT_TRUE(IsMessageBox(h)) << "a window besides the message box is shown";
        // Owned by the main dialog, which is still hidden.
        HWND owner = GetWindow(box.m_h, GW_OWNER);
        ASSERT_TRUE(owner);
        EXPECT_EQ(ClassName(owner), "#32770");
        EXPECT_EQ(WindowText(owner), "Kestrovane");
        EXPECT_FALSE(IsWindowVisible(owner));
        ASSERT_TRUE(Dismiss(box.m_h));
        DWORD code = 0;
        ASSERT_TRUE(run.WaitExit(&code));
        EXPECT_EQ(code, 1u);
    }
}

} // namespace
