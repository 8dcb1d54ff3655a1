// CFileDialog over the common file dialogs (explorer style).
#include "framework/afxwin.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileName(),
      m_strFilter(lpszFilter != nullptr ? lpszFilter : "") {
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    m_ofn.hInstance = AfxGetInstanceHandle();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrDefExt = lpszDefExt;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    if (lpszFilter != nullptr) {
        for (char& c : m_strFilter)
            if (c == '|')
                c = '\0';
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
    if (lpszFileName != nullptr)
        lstrcpynA(m_szFileName, lpszFileName, sizeof m_szFileName);
}

INT_PTR CFileDialog::DoModal() {
    if (m_ofn.hwndOwner == nullptr && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd != nullptr)
        m_ofn.hwndOwner = AfxGetApp()->m_pMainWnd->m_hWnd;
    // comdlg32 is loaded on the first file dialog rather than at start-up: under Wine it brings
    // shell32, ole32 and more with it, some 9 MiB of working set that nothing needs before then.
    // It stays loaded for later dialogs.
    using PickFn = BOOL(WINAPI*)(LPOPENFILENAMEA);
    const HMODULE hComDlg = ::LoadLibraryA("comdlg32.dll");
    const FARPROC pProc =
        hComDlg != nullptr
            ? ::GetProcAddress(hComDlg, m_bOpenFileDialog ? "GetOpenFileNameA" : "GetSaveFileNameA")
            : nullptr;
    const PickFn pPick = reinterpret_cast<PickFn>(reinterpret_cast<void*>(pProc));
    const BOOL bOk = pPick != nullptr && pPick(&m_ofn);
    return bOk ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }
