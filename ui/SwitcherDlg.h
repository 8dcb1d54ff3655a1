// CSwitcherDlg: the tool's one window, a modal dialog that holds all of the program's state.
#pragma once

#include "framework/afxwin.h"
#include "res/resource.h"

class CSwitcherDlg : public CDialog {
public:
    explicit CSwitcherDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_SWITCHER_DIALOG };

    // The catalogue folder: the current directory at start-up followed by "\RararIzorevo\". Text
    // may be UTF-8, so a character may take up to three bytes: room for 259 characters.
    char m_szFolder[259 * 3 + 1];
    // The catalogue table: row r belongs to item r of the set list, each name of at most 99
    // characters. A row whose names are not all present is unusable (the catalogue line lacked a
    // name or had one too long).
    char m_szFlagsFile[100][99 * 3 + 1];
    char m_szDossierFile[100][99 * 3 + 1];
    char m_szStartFile[100][99 * 3 + 1];
    int m_nFlagsSize;
    int m_nDossierSize;
    int m_nStartSize;
    int m_nCount;
    CComboBox m_cbSets;
    CString m_strDatPath;
    BOOL m_bNoStartScr;
    HICON m_hIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnBrowse();
    afx_msg void OnInstall();
    afx_msg void OnNoStartScr();

    // Start-up: the tool's folder, the settings file, then the catalogue. Ends the process with
    // exit status 1 when the settings file or the catalogue cannot be used; a read error is thrown
    // once what was read before it is shown.
    void LoadSettings();
    void SaveSettings();
    CString BrowseForArchive();

    DECLARE_MESSAGE_MAP()
};
