#include "app/SwitcherApp.h"

#include "ui/SwitcherDlg.h"

BEGIN_MESSAGE_MAP(CSwitcherApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

// The one application object; the framework finds it before it starts.
CSwitcherApp theApp;

BOOL CSwitcherApp::InitInstance() {
    Enable3dControlsStatic();

    CSwitcherDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // The dialog has closed: end the program rather than start the message loop.
    return FALSE;
}
