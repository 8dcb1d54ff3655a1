// Finding another process's windows, and waiting for them: every wait of the tests polls through
// WaitUntil, with one limit.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The one limit of every wait, generous for a loaded machine: a wait that runs out is a failure.
constexpr DWORD kWaitMs = 30000;

// Polls the condition every 25 ms until it holds (true) or kWaitMs have passed; then records a
// failure of the running test that names what it waited for ("the check box to be ticked") and
// returns false.
bool WaitUntil(const std::string& what, const std::function<bool()>& condition);
std::vector<HWND> VisibleDialogs(DWORD pid); // visible top-level "#32770" windows of pid
std::string ClassName(HWND h);
HWND FocusedWindow(HWND anyWindowOfThread); // GetGUIThreadInfo's hwndFocus

} // namespace e2e
