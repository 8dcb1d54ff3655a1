#include "MessageBox.h"

#include "Controls.h"
#include "Screenshot.h"
#include "WindowSearch.h"

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
    std::vector<unsigned char> bits;
    if (!GrabScreen(r, 32, &bits))
        return EIcon::None;
    int red = 0, yellow = 0, blue = 0;
    for (size_t i = 0; i + 3 < bits.size(); i += 4) {
        int b = bits[i], g = bits[i + 1], rr = bits[i + 2];
        if (rr >= 160 && g <= 100 && b <= 100)
            ++red;
        else if (rr >= 180 && g >= 150 && b <= 110)
            ++yellow;
        else if (b >= 150 && rr <= 120 && g <= 180)
            ++blue;
    }
    const int kMin = 20;
    if (red >= kMin && red >= yellow && red >= blue)
        return EIcon::Error;
    if (yellow >= kMin && yellow >= blue)
        return EIcon::Exclamation;
    if (blue >= kMin)
        return EIcon::Information;
    return EIcon::None;
}

} // namespace

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

bool Dismiss(HWND box) {
    PostOk(box);
    return WaitUntil("the message box to be dismissed",
                     [&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

} // namespace e2e
