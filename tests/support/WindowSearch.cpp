#include "WindowSearch.h"

#include <gtest/gtest.h>

namespace e2e {

bool WaitUntil(const std::string& what, const std::function<bool()>& condition) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= kWaitMs) {
            ADD_FAILURE() << "waited " << kWaitMs / 1000 << " s for " << what;
            return false;
        }
        Sleep(25);
    }
}

namespace {

struct CDialogSearch {
    DWORD m_pid;
    std::vector<HWND> m_found;
};

BOOL CALLBACK TakeDialog(HWND h, LPARAM lp) {
    CDialogSearch* search = reinterpret_cast<CDialogSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == search->m_pid && IsWindowVisible(h) && ClassName(h) == "#32770")
        search->m_found.push_back(h);
    return TRUE;
}

} // namespace

std::vector<HWND> VisibleDialogs(DWORD pid) {
    CDialogSearch search{pid, {}};
    EnumWindows(TakeDialog, reinterpret_cast<LPARAM>(&search));
    return search.m_found;
}

std::string ClassName(HWND h) {
    char sz[256] = {};
    GetClassNameA(h, sz, sizeof sz);
    return sz;
}

HWND FocusedWindow(HWND anyWindowOfThread) {
    GUITHREADINFO gti = {};
    gti.cbSize = sizeof gti;
    DWORD tid = GetWindowThreadProcessId(anyWindowOfThread, nullptr);
    return GetGUIThreadInfo(tid, &gti) ? gti.hwndFocus : nullptr;
}

} // namespace e2e
