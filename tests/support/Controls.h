// Reading and driving the controls of another process. Every message is sent with a time-out of
// kWaitMs, except the inputs that must be posted:
// - An input that opens no modal window is sent (Send, Press, SetText): when the call returns,
//   the program has handled it and its effect shows.
// - An input that opens or closes a modal window (Browse, Install, OK of a message box, Open or
//   Cancel of the file-open dialog) is posted (Click), since a sent one would return only
//   once that window is closed; the test then waits for the state it caused (the window there or
//   gone, the file let go). A message sent after a posted one is no sync point: a thread handles
//   sent messages before posted ones.
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
