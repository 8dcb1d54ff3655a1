#include "Controls.h"

#include "WindowSearch.h"

namespace e2e {

namespace {

// Sends a message with the one time-out; false when the window did not answer in time.
bool SendFor(HWND h, UINT message, WPARAM wp, LPARAM lp, DWORD_PTR* result, bool bWide = false) {
    return (bWide ? SendMessageTimeoutW(h, message, wp, lp, SMTO_NORMAL, kWaitMs, result)
                  : SendMessageTimeoutA(h, message, wp, lp, SMTO_NORMAL, kWaitMs, result)) != 0;
}

// Sends a message that answers with a number; fallback when the window does not answer in time.
LRESULT Ask(HWND h, UINT message, WPARAM wp = 0, LPARAM lp = 0, LRESULT fallback = 0,
            bool bWide = false) {
    DWORD_PTR r = 0;
    return SendFor(h, message, wp, lp, &r, bWide) ? static_cast<LRESULT>(r) : fallback;
}

} // namespace

std::string WindowText(HWND h) {
    char sz[4096] = {}; // stays empty when the window does not answer
    Ask(h, WM_GETTEXT, sizeof sz, reinterpret_cast<LPARAM>(sz));
    return sz;
}

std::string ItemText(HWND dlg, int id) {
    HWND h = GetDlgItem(dlg, id);
    return h ? WindowText(h) : std::string();
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    int n = ComboCount(combo);
    for (int i = 0; i < n; ++i) {
        // Across processes the list text only comes through the wide message.
        LRESULT len = Ask(combo, CB_GETLBTEXTLEN, i, 0, CB_ERR, true);
        std::wstring w(len > 0 ? static_cast<size_t>(len) + 1 : 1, L'\0');
        LRESULT got = Ask(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&w[0]), CB_ERR, true);
        w.resize(got > 0 ? static_cast<size_t>(got) : 0);
        std::string a;
        if (!w.empty()) {
            int cb = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr,
                                         0, nullptr, nullptr);
            a.resize(cb);
            WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), &a[0], cb, nullptr,
                                nullptr);
        }
        items.push_back(a);
    }
    return items;
}

int ComboCurSel(HWND combo) { return static_cast<int>(Ask(combo, CB_GETCURSEL, 0, 0, CB_ERR)); }
int ComboCount(HWND combo) { return static_cast<int>(Ask(combo, CB_GETCOUNT)); }

bool IsChecked(HWND button) { return Ask(button, BM_GETCHECK) == BST_CHECKED; }

bool Send(HWND h, UINT message, WPARAM wp, LPARAM lp) {
    DWORD_PTR r = 0;
    return SendFor(h, message, wp, lp, &r);
}

bool SetText(HWND h, const std::string& text) {
    return Ask(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != 0;
}

bool Press(HWND dlg, int id) {
    return Send(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

void Click(HWND dlg, int id) {
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

} // namespace e2e
