// Finding another process's windows, and waiting for them: every wait of the tests polls through
// WaitUntil.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Polls the condition every 25 ms; false when it still fails after ms.
bool WaitUntil(const std::function<bool()>& condition, DWORD ms = 5000);
std::vector<HWND> VisibleDialogs(DWORD pid); // visible top-level "#32770" windows of pid
std::string ClassName(HWND h);
HWND FocusedWindow(HWND anyWindowOfThread); // GetGUIThreadInfo's hwndFocus

} // namespace e2e
