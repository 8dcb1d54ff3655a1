#include "MessageBox.h"

#include "Controls.h"
#include "Screenshot.h"
#include "WindowSearch.h"

#include <gtest/gtest.h>

namespace e2e {

namespace {

BOOL CALLBACK TakeIconStatic(HWND h, LPARAM lp) {
    if (ClassName(h) != "Static" || (GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
}

HWND IconStatic(HWND box) {
    HWND found = nullptr;
    EnumChildWindows(box, TakeIconStatic, reinterpret_cast<LPARAM>(&found));
    return found;
}

// One look at the pixels of the icon on the screen.
EIcon ReadIcon(HWND iconStatic) {
    RECT r = {};
    GetWindowRect(iconStatic, &r);
    const CColours c = CountColours(r);
    const int kMin = 20;
    if (c.nRed >= kMin && c.nRed >= c.nYellow && c.nRed >= c.nBlue)
        return EIcon::Error;
    if (c.nYellow >= kMin && c.nYellow >= c.nBlue)
        return EIcon::Exclamation;
    if (c.nBlue >= kMin)
        return EIcon::Information;
    return EIcon::None;
}

const char* IconName(EIcon icon) {
    switch (icon) {
    case EIcon::Error:
        return "error";
    case EIcon::Exclamation:
        return "exclamation";
    case EIcon::Information:
        return "information";
    default:
        return "none";
    }
}

} // namespace

bool IsMessageBox(HWND h) {
    HWND text = GetDlgItem(h, 0xFFFF);
    return text && ClassName(text) == "Static" && !GetDlgItem(h, 1000);
}

CMessageBoxInfo ReadMessageBox(HWND h) {
    CMessageBoxInfo info;
    info.m_h = h;
    info.m_strCaption = WindowText(h);
    info.m_strText = ItemText(h, 0xFFFF);
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        if (GetDlgItem(h, id))
            info.m_buttons.push_back(id);
    if (HWND icon = IconStatic(h)) {
        // The box may not be painted yet: look again until the icon shows.
        WaitUntil("the icon of the message box \"" + info.m_strText + "\" to be painted",
                  [&] { return (info.m_icon = ReadIcon(icon)) != EIcon::None; });
    }
    return info;
}

void ExpectMessageBox(const CMessageBoxInfo& box, const std::string& strText, EIcon icon,
                      const std::string& strCaption) {
    if (!box.m_h) {
        ADD_FAILURE() << "no message box came for: " << strText;
        return;
    }
    EXPECT_EQ(box.m_strText, strText);
    EXPECT_EQ(box.m_strCaption, strCaption);
    EXPECT_EQ(box.m_buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.m_icon, icon) << IconName(box.m_icon);
}

bool Dismiss(HWND box) {
    Click(box, IDOK);
    return WaitUntil("the message box to be dismissed",
                     [&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

} // namespace e2e
