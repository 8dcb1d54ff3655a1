// The dialog template compiled into an executable, made into a dialog in this process: the layout
// the program was built with, as the system lays it out, to compare the running dialog with.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Creates the dialog of template nId of the executable, hidden, its pictures loaded from there
// too; nullptr when there is none. DestroyWindow ends it.
HWND CreateTemplateDialog(const std::string& exe, int nId);

} // namespace e2e
