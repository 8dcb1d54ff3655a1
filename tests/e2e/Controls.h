// Reading and driving the controls of another process. Reads use SendMessageTimeout and are safe;
// a click is posted, never sent, since it may open a modal window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

std::string WindowText(HWND h); // WM_GETTEXT with a time-out
std::string ItemText(HWND dlg, int id);
std::vector<std::string> ComboItems(HWND combo); // CB_GETLBTEXT in UTF-16, as ANSI
int ComboCurSel(HWND combo);
int ComboCount(HWND combo);
bool SetText(HWND h, const std::string& text); // WM_SETTEXT
bool IsChecked(HWND button);                   // BM_GETCHECK == BST_CHECKED
void Click(HWND dlg, int id);                  // posts WM_COMMAND(id, BN_CLICKED)
void PostOk(HWND dlg);                         // posts WM_COMMAND(IDOK): dismisses a message box
bool Sync(HWND h);                             // WM_NULL round trip: earlier posts are handled

} // namespace e2e
