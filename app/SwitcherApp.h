// CSwitcherApp: the application object. It runs the one dialog and ends the program.
#pragma once

#include "framework/afxwin.h"

class CSwitcherApp : public CWinApp {
public:
    CSwitcherApp() = default;
    ~CSwitcherApp() override = default;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
