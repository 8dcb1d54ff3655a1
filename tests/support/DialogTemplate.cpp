#include "DialogTemplate.h"

namespace e2e {

namespace {

INT_PTR CALLBACK NothingHandled(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

} // namespace

HWND CreateTemplateDialog(const std::string& exe, int nId) {
    // Loaded as data, nothing of it runs; never freed, since the dialog draws its pictures from it.
    HMODULE h = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HWND dlg =
        h ? CreateDialogParamA(h, MAKEINTRESOURCEA(nId), nullptr, NothingHandled, 0) : nullptr;
    if (dlg)
        ShowWindow(dlg, SW_HIDE); // out of the way of the pictures the tests take of the screen
    return dlg;
}

} // namespace e2e
