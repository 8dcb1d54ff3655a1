// CDialog: a modal dialog from a template in the executable, with the framework's centring rule.
#include "framework/afxwin.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_nIDTemplate(nIDTemplate) {}

namespace {
// A template placed at 0, 0 without DS_ABSALIGN or a centring style asks to be centred.
BOOL TemplateAsksForCentring(HINSTANCE hInstance, UINT nIDTemplate) {
    HRSRC hRes = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDTemplate), MAKEINTRESOURCEA(5));
    if (hRes == nullptr || ::SizeofResource(hInstance, hRes) < 26)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(::LockResource(::LoadResource(hInstance, hRes)));
    if (p == nullptr)
        return FALSE;
    auto word = [p](int i) { return static_cast<short>(p[i] | (p[i + 1] << 8)); };
    auto dword = [p](int i) {
        return static_cast<DWORD>(p[i] | (p[i + 1] << 8) | (p[i + 2] << 16)) |
               (static_cast<DWORD>(p[i + 3]) << 24);
    };
    const bool bExtended = word(0) == 1 && word(2) == -1;
    const DWORD dwStyle = bExtended ? dword(12) : dword(0);
    const int nX = bExtended ? word(18) : word(10);
    const int nY = bExtended ? word(20) : word(12);
    return nX == 0 && nY == 0 && (dwStyle & (DS_ABSALIGN | DS_CENTER | DS_CENTERMOUSE)) == 0;
}
} // namespace

INT_PTR CDialog::DoModal() {
    HINSTANCE hInstance = AfxGetInstanceHandle();
    m_bCentreAtStart = TemplateAsksForCentring(hInstance, m_nIDTemplate);
    HWND hParent = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    return ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(m_nIDTemplate), hParent, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

INT_PTR CDialog::HandleInitDialog() {
    RECT rcBefore;
    GetWindowRect(&rcBefore);
    BOOL bResult = TRUE;
    BOOL bLeftByException = TRUE;
    try {
        bResult = OnInitDialog();
        bLeftByException = FALSE;
    } catch (...) {
        AfxReportCurrentException();
    }
    if (bLeftByException)
        return TRUE;
    RECT rcAfter;
    GetWindowRect(&rcAfter);
    const bool bMoved = rcAfter.left != rcBefore.left || rcAfter.top != rcBefore.top;
    if (m_bCentreAtStart && !bMoved && ::GetWindow(m_hWnd, GW_OWNER) == nullptr)
        CenterWindow();
    return bResult;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
        pDlg->m_hWnd = hWnd;
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        return pDlg->HandleInitDialog();
    }
    CDialog* pDlg = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (pDlg == nullptr)
        return FALSE;
    LRESULT lResult = 0;
    const BOOL bHandled = pDlg->WindowProc(message, wParam, lParam, &lResult);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        pDlg->m_hWnd = nullptr;
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == pDlg)
            pApp->m_pMainWnd = nullptr;
    }
    if (!bHandled)
        return FALSE;
    // These messages return their value directly; the others through DWLP_MSGRESULT.
    switch (message) {
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return static_cast<INT_PTR>(lResult);
    default:
        ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
        return TRUE;
    }
}
