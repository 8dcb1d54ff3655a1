// The floor that the tool's start-up is measured against: one empty modal dialog, ended by
// IDOK or the close box.
#include <windows.h>

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
        DialogBoxParamA(hInstance, MAKEINTRESOURCEA(1), nullptr, MinimalProc, 0));
}
