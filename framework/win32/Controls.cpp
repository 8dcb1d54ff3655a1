// The combo-box wrapper, the paint device context and dialog data exchange.
#include "framework/afxwin.h"

int CComboBox::AddString(const char* pszString) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszString)));
}

int CComboBox::SetCurSel(int nSelect) {
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

int CComboBox::GetCurSel() const {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0));
}

int CComboBox::GetLBText(int nIndex, CString& rString) const {
    rString.Empty();
    const LRESULT nLength = ::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, nIndex, 0);
    if (nLength == CB_ERR)
        return CB_ERR;
    char* pBuf = rString.GetBuffer(static_cast<int>(nLength) + 1);
    pBuf[0] = '\0';
    const LRESULT nGot =
        ::SendMessageA(m_hWnd, CB_GETLBTEXT, nIndex, reinterpret_cast<LPARAM>(pBuf));
    rString.ReleaseBuffer();
    return static_cast<int>(nGot);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

HWND CDataExchange::PrepareCtrl(int nIDC) const { return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC); }

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd == nullptr)
        rControl.m_hWnd = pDX->PrepareCtrl(nIDC);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        pDX->m_pDlgWnd->GetDlgItemText(nIDC, value);
    else
        ::SetWindowTextA(hCtrl, value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hCtrl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}
