#include "FileDialog.h"

#include "Controls.h"

namespace e2e {

namespace {

// The file-name field: the edit edt1 (0x480), or in Wine's explorer-style dialog without a hook
// the combo box cmb13 (0x47C), whose edit takes WM_SETTEXT the same way.
HWND FileNameField(HWND h) {
    HWND field = GetDlgItem(h, 0x480);
    return field ? field : GetDlgItem(h, 0x47C);
}

} // namespace

bool IsFileDialog(HWND h) { return FileNameField(h) != nullptr; }

bool ChooseFileIn(HWND fileDialog, const std::string& windowsPath) {
    if (!SetText(FileNameField(fileDialog), windowsPath))
        return false;
    Click(fileDialog, IDOK);
    return true;
}

} // namespace e2e
