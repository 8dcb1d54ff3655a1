// Reading and driving the controls of another process. Every message is sent with a time-out of
// kWaitMs, except the inputs that open or close a modal window (Click): which to send and which to
// post, and how to wait after a posted one, harness.h says.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

std::string WindowText(HWND h); // WM_GETTEXT
std::string ItemText(HWND dlg, int id);
std::vector<std::string> ComboItems(HWND combo); // CB_GETLBTEXT in UTF-16, as ANSI
int ComboCurSel(HWND combo);
int ComboCount(HWND combo);
bool IsChecked(HWND button); // BM_GETCHECK == BST_CHECKED
// Sends an input and returns once the program has handled it; false when it did not answer.
bool Send(HWND h, UINT message, WPARAM wp = 0, LPARAM lp = 0);
bool SetText(HWND h, const std::string& text); // WM_SETTEXT
bool Press(HWND dlg, int id);                  // sends WM_COMMAND(id, BN_CLICKED)
void Click(HWND dlg, int id);                  // posts WM_COMMAND(id, BN_CLICKED)

} // namespace e2e
