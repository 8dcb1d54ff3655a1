// The floors that the tool's start-up is measured against: one modal dialog that does nothing,
// ended by IDOK or the close box. Built twice: with an empty template (the target's floor), and
// with KV_TOOL_TEMPLATE defined, the tool's own template and pictures, which shows what the
// dialog's content costs apart from the tool's code.
#include <windows.h>

#ifdef KV_TOOL_TEMPLATE
#include "res/resource.h"
#define KV_DIALOG_ID IDD_SWITCHER_DIALOG
#else
#define KV_DIALOG_ID 1
#endif

namespace {

INT_PTR CALLBACK MinimalProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM) {
    if (nMsg == WM_INITDIALOG)
        return TRUE;
    if (nMsg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamA(hInstance, MAKEINTRESOURCEA(KV_DIALOG_ID), nullptr, MinimalProc, 0));
}
