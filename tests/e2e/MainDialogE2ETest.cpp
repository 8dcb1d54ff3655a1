// The main dialog as a person meets it: where it opens, what it shows, how it closes.
#include "harness.h"

#include "res/resource.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// Starts the tool on a minimal layout and waits for its dialog.
struct CDialogRun {
    CProgramRun run;
    HWND dlg = nullptr;
    bool Open() { return run.WriteMinimalLayout() && (dlg = run.StartMainDialog()) != nullptr; }
};

// Keys are posted: only from the queue do they pass the dialog's keyboard handling. The test then
// waits for what they cause.
void PostKey(HWND h, UINT vk) {
    PostMessageA(h, WM_KEYDOWN, vk, 1);
    PostMessageA(h, WM_KEYUP, vk, 0xC0000001);
}

TEST(MainDialogE2E, OpensCentredWithItsCaptionIconAndFocusOnExit) {
    CDialogRun d;
    ASSERT_TRUE(d.Open());
    EXPECT_EQ(WindowText(d.dlg), "Kestrovane");

    RECT rc;
    GetWindowRect(d.dlg, &rc);
    const int cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR((rc.left + rc.right) / 2, cxScreen / 2, 2);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, cyScreen / 2, 2);

    // The icon in the caption: red arrows at its left end, once the caption is painted.
    EXPECT_TRUE(WaitUntil("the caption to show the icon's red arrows", [&] {
        return CountColours({rc.left, rc.top, rc.left + 28, rc.top + 28}).nRed >= 10;
    }));

    HWND exitButton = GetDlgItem(d.dlg, IDOK);
    EXPECT_TRUE(WaitUntil("the focus to be on EXIT", [&] {
        return FocusedWindow(d.dlg) == exitButton;
    })) << ClassName(FocusedWindow(d.dlg));
    EXPECT_EQ(LOWORD(SendMessageA(d.dlg, DM_GETDEFID, 0, 0)), IDOK);
    EXPECT_EQ(GetWindowLongA(exitButton, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

    const LONG style = GetWindowLongA(d.dlg, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongA(d.dlg, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    EXPECT_TRUE(SaveScreenshot(d.dlg, ScreenshotDir() + "\\main-dialog.bmp"));
}

RECT RectInParent(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The running dialog holds the controls of its compiled template, in template order (the order of
// Tab), each of its class, id, styles, place and size (a picture at its bitmap's) and text (but
// for the path box and the list, which show what the program puts there).
TEST(MainDialogE2E, ControlsFollowTheCompiledTemplate) {
    HWND tpl = CreateTemplateDialog(KestrovanePath(), IDD_SWITCHER_DIALOG);
    ASSERT_TRUE(tpl);
    CDialogRun d;
    ASSERT_TRUE(d.Open());
    EXPECT_EQ(WindowText(d.dlg), WindowText(tpl));
    RECT want = {}, got = {};
    GetClientRect(tpl, &want);
    GetClientRect(d.dlg, &got);
    EXPECT_TRUE(EqualRect(&got, &want));
    HWND w = GetWindow(tpl, GW_CHILD), g = GetWindow(d.dlg, GW_CHILD);
    for (; w && g; w = GetWindow(w, GW_HWNDNEXT), g = GetWindow(g, GW_HWNDNEXT)) {
        SCOPED_TRACE(ClassName(w) + " " + std::to_string(GetDlgCtrlID(w)) + " " + WindowText(w));
        EXPECT_EQ(ClassName(g), ClassName(w));
        EXPECT_EQ(GetDlgCtrlID(g), GetDlgCtrlID(w));
        EXPECT_EQ(GetWindowLongA(g, GWL_STYLE), GetWindowLongA(w, GWL_STYLE));
        want = RectInParent(w);
        got = RectInParent(g);
        EXPECT_TRUE(EqualRect(&got, &want));
        if (ClassName(w) != "Edit" && ClassName(w) != "ComboBox") {
            EXPECT_EQ(WindowText(g), WindowText(w));
        }
    }
    EXPECT_FALSE(w) << "a control of the template is missing";
    EXPECT_FALSE(g) << "a control the template does not hold";
    DestroyWindow(tpl);
}

// (It has no maximise box: OpensCentredWithItsCaptionIconAndFocusOnExit.)
TEST(MainDialogE2E, MinimisesAndRestores) {
    CDialogRun d;
    ASSERT_TRUE(d.Open());
    RECT before;
    GetWindowRect(d.dlg, &before);
    ASSERT_TRUE(Send(d.dlg, WM_SYSCOMMAND, SC_MINIMIZE));
    ASSERT_TRUE(WaitUntil("the dialog to be minimised", [&] { return IsIconic(d.dlg) != FALSE; }));
    // Painting while minimised must not upset the program (the paint is sent, and done on return).
    RedrawWindow(d.dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_TRUE(Send(d.dlg, WM_SYSCOMMAND, SC_RESTORE));
    ASSERT_TRUE(WaitUntil("the dialog to be restored", [&] { return IsIconic(d.dlg) == FALSE; }));
    RECT after;
    GetWindowRect(d.dlg, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

// Every way of closing the dialog ends the program.
TEST(MainDialogE2E, ClosesByExitEnterSpaceEscapeAndCloseBox) {
    struct Way {
        const char* pszName;
        void (*close)(HWND dlg);
    };
    const Way ways[] = {
        {"EXIT", [](HWND dlg) { Press(dlg, IDOK); }},
        {"Enter in the path box",
         [](HWND dlg) {
             SetText(GetDlgItem(dlg, IDC_DATPATH), "Z:\\typed\\by\\hand.dat");
             PostKey(GetDlgItem(dlg, IDC_DATPATH), VK_RETURN);
         }},
        {"Space on EXIT", [](HWND dlg) { PostKey(GetDlgItem(dlg, IDOK), VK_SPACE); }},
        {"Escape", [](HWND dlg) { PostKey(GetDlgItem(dlg, IDOK), VK_ESCAPE); }},
        {"close box", [](HWND dlg) { Send(dlg, WM_SYSCOMMAND, SC_CLOSE); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.pszName);
        CDialogRun d;
        ASSERT_TRUE(d.Open());
        const std::string settingsBefore = ReadWholeFile(d.run.ToolPathOf("pg2_flags.ini"));
        way.close(d.dlg);
        DWORD code = 0;
        EXPECT_TRUE(d.run.WaitExit(&code));
        // Nothing is saved on the way out.
        EXPECT_EQ(ReadWholeFile(d.run.ToolPathOf("pg2_flags.ini")), settingsBefore);
    }
}

} // namespace
