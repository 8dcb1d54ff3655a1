// CWnd: a thin wrapper of a window handle, and the dispatch of its messages to the message map.
#include "framework/afxwin.h"

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SetDlgItemText(int nID, const char* pszText) { ::SetDlgItemTextA(m_hWnd, nID, pszText); }

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    rString.Empty();
    if (hItem == nullptr)
        return 0;
    const int nLength = ::GetWindowTextLengthA(hItem);
    ::GetWindowTextA(hItem, rString.GetBuffer(nLength + 1), nLength + 1);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

HWND CWnd::GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

void CWnd::CenterWindow() {
    RECT rcWindow;
    GetWindowRect(&rcWindow);
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
    const RECT& rcArea = mi.rcWork;
    const int cx = rcWindow.right - rcWindow.left, cy = rcWindow.bottom - rcWindow.top;
    int x = rcArea.left + (rcArea.right - rcArea.left - cx) / 2;
    int y = rcArea.top + (rcArea.bottom - rcArea.top - cy) / 2;
    // Keep the caption reachable when the window is larger than the screen.
    if (x < rcArea.left)
        x = rcArea.left;
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    (void)lParam;
    *pResult = 0;
    const BOOL bOuterDefault = m_bDefault;
    m_bDefault = FALSE;
    BOOL bHandled = FALSE;
    // Nothing of the program catches an exception: they all end here, once per handler.
    try {
        bHandled = DispatchMap(message, wParam, pResult);
        if (!bHandled && message == WM_COMMAND && AfxGetApp() != nullptr)
            bHandled = AfxGetApp()->DispatchMap(message, wParam, pResult);
    } catch (...) {
        bHandled = TRUE;
        // A failed paint shows nothing: the window counts as painted.
        if (message == WM_PAINT)
            ::ValidateRect(m_hWnd, nullptr);
        else
            AfxReportCurrentException();
    }
    if (m_bDefault)
        bHandled = FALSE;
    m_bDefault = bOuterDefault;
    return bHandled;
}
