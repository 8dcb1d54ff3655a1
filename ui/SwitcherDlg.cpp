// CSwitcherDlg: construction, data exchange, message map and the handlers of the window itself.
#include "ui/SwitcherDlg.h"

CSwitcherDlg::CSwitcherDlg(CWnd* pParent) : CDialog(IDD_SWITCHER_DIALOG, pParent) {
    m_strDatPath = "C:\\Games\\Panzer2\\Panzer2.dat";
    m_bNoStartScr = FALSE;
    // Install decides by the count whether the table may be read at all; nothing is listed until
    // the catalogue has been read.
    m_nCount = 0;
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CSwitcherDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETS, m_cbSets);
    DDX_Text(pDX, IDC_DATPATH, m_strDatPath);
    DDX_Check(pDX, IDC_NOSTARTSCR, m_bNoStartScr);
}

BEGIN_MESSAGE_MAP(CSwitcherDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_BROWSE, &CSwitcherDlg::OnBrowse)
    ON_BN_CLICKED(IDC_INSTALL, &CSwitcherDlg::OnInstall)
    ON_BN_CLICKED(IDC_NOSTARTSCR, &CSwitcherDlg::OnNoStartScr)
END_MESSAGE_MAP()

BOOL CSwitcherDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    LoadSettings();

    return TRUE; // the focus goes to EXIT, first in the tab order
}

// Minimised, the window shows its icon centred; otherwise the dialog paints itself.
void CSwitcherDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CSwitcherDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CSwitcherDlg::OnNoStartScr() {
    m_bNoStartScr = m_bNoStartScr == 0 ? TRUE : FALSE;
    UpdateWindow();
}
