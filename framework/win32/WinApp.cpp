// CWinApp and the program's entry point. The entry point lives here, beside the constructor that
// every program calls, so that linking the application object brings it in.
#include "framework/afxwin.h"

#include "framework/AppName.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }

HINSTANCE AfxGetInstanceHandle() { return g_pApp != nullptr ? g_pApp->m_hInstance : nullptr; }

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* pszAppName) : m_strAppName(pszAppName) {
    g_pApp = this;
    if (pszAppName != nullptr)
        m_pszAppName = m_strAppName;
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

// Help comes from a help file named after the executable, beside it.
void CWinApp::OnHelp() {
    char szPath[AFX_MAX_PATH_BYTES];
    const DWORD n = ::GetModuleFileNameA(m_hInstance, szPath, sizeof szPath);
    if (n == 0 || n >= sizeof szPath - 4)
        return;
    char* pDot = nullptr;
    for (char* p = szPath; *p; ++p)
        if (*p == '.')
            pDot = p;
        else if (*p == '\\')
            pDot = nullptr;
    if (pDot == nullptr)
        pDot = szPath + n;
    lstrcpyA(pDot, ".HLP");
    ::WinHelpA(m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr, szPath, HELP_FINDER, 0);
}

int AfxWinMain(HINSTANCE hInstance) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    if (pApp->m_pszAppName == nullptr) {
        char szPath[AFX_MAX_PATH_BYTES];
        const DWORD n = ::GetModuleFileNameA(nullptr, szPath, sizeof szPath);
        pApp->m_strAppName = AfxAppNameFromPath(n > 0 && n < sizeof szPath ? szPath : "");
        pApp->m_pszAppName = pApp->m_strAppName;
    }
    // An application whose InitInstance returns FALSE never enters the message loop.
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) { return AfxWinMain(hInstance); }
