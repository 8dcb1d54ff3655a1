// CSwitcherDlg members that read and write the settings file and choose the archive.
#include "ui/SwitcherDlg.h"

void CSwitcherDlg::LoadSettings() {}

void CSwitcherDlg::SaveSettings() {}

CString CSwitcherDlg::BrowseForArchive() { return CString(); }

void CSwitcherDlg::OnBrowse() {}
