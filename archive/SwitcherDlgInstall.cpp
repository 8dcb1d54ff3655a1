// CSwitcherDlg::OnInstall: puts the selected graphic set into the game archive.
#include "archive/Install.h"
#include "ui/SwitcherDlg.h"

void CSwitcherDlg::OnInstall() {
    InstallRequest request;
    request.strFolder = m_szFolder;
    const int nSel = m_cbSets.GetCurSel();
    request.nListed = m_nCount;
    // The table has rows for listed sets only; anything else counts as no selection.
    if (nSel >= 0 && nSel < m_nCount) {
        request.nSet = nSel;
        request.strFlagsFile = m_szFlagsFile[nSel];
        request.strDossierFile = m_szDossierFile[nSel];
        request.strStartFile = m_szStartFile[nSel];
        m_cbSets.GetLBText(nSel, request.strDescription);
    }
    request.nFlagsSize = m_nFlagsSize;
    request.nDossierSize = m_nDossierSize;
    request.nStartSize = m_nStartSize;
    // The typed path is used as it stands, and taken only by a run that gets as far as the
    // archive; the settings file keeps the one chosen by Browse.
    request.readArchivePath = [this] {
        GetDlgItemText(IDC_DATPATH, m_strDatPath);
        return m_strDatPath;
    };
    request.bNoStartScr = m_bNoStartScr;

    InstallGraphicSet(request,
                      [](const CString& strText, UINT nType) { AfxMessageBox(strText, nType); });
}
