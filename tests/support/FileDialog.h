// The file-open dialog of another process.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

bool IsFileDialog(HWND h); // has the file-name field (edt1 or cmb13)
// Types a Windows path into the file-name field and posts Open.
bool ChooseFileIn(HWND fileDialog, const std::string& windowsPath);

} // namespace e2e
