// CSwitcherDlg members that show the settings file and the catalogue, choose the archive and
// write the settings file again.
#include "ui/SwitcherDlg.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Settings.h"
#include "catalogue/StartupLoad.h"

#include <cstdlib>

namespace {

// Without its settings or its catalogue the tool has nothing to work on: say so and stop before
// the dialog is ever shown.
[[noreturn]] void Fatal(const char* pszText) {
    AfxMessageBox(pszText, MB_ICONERROR | MB_OK);
    std::exit(1);
}

static_assert(sizeof CSwitcherDlg::m_szFlagsFile[0] == kNameSize, "row size");
static_assert(sizeof CSwitcherDlg::m_szFolder == kFolderSize, "folder size");

} // namespace

void CSwitcherDlg::LoadSettings() {
    // A current directory too long for the folder is refused with the limit, so that no path of
    // the tool's own is ever cut short or too long for the system.
    const CLegacyCodePage* pLegacy = SystemLegacyCodePage();
    char szCurDir[kFolderSize];
    const DWORD nCurDir = ::GetCurrentDirectoryA(sizeof szCurDir, szCurDir);
    if (nCurDir == 0)
        Fatal(kSettingsOpenError);
    if (nCurDir >= sizeof szCurDir ||
        !BuildToolFolder(szCurDir, m_szFolder, sizeof m_szFolder, pLegacy))
        Fatal(kFolderTooLongError);

    const CStartupLoad load = LoadStartupFiles(m_szFolder, pLegacy);
    // The stored path is shown as soon as it was read, whatever happens to the catalogue.
    if (load.m_bSettingsRead) {
        if (load.m_bHasDatPath)
            m_strDatPath = load.m_strDatPath.c_str();
        SetDlgItemText(IDC_DATPATH, m_strDatPath);
    }
    if (load.m_pszFatal)
        Fatal(load.m_pszFatal);

    // A read error leaves what was read before it in the dialog, with no set selected.
    ShowCatalogueRead(load, [this](const CCatalogue& cat) {
        m_nFlagsSize = cat.m_nFlagsSize;
        m_nDossierSize = cat.m_nDossierSize;
        m_nStartSize = cat.m_nStartSize;
        m_nCount = static_cast<int>(cat.m_sets.size());
        FillNameTables(cat, m_szFlagsFile, m_szDossierFile, m_szStartFile,
                       static_cast<int>(sizeof m_szFlagsFile / sizeof m_szFlagsFile[0]));
        for (const CCatalogueSet& set : cat.m_sets)
            m_cbSets.AddString(set.m_strDescription.c_str());
    });
    m_cbSets.SetCurSel(0);
}

void CSwitcherDlg::SaveSettings() {
    if (!WriteSettingsFile(m_szFolder, m_strDatPath, SystemLegacyCodePage()))
        Fatal(kSettingsOpenError);
}

CString CSwitcherDlg::BrowseForArchive() {
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "PANZER2.DAT (Panzer2.dat)|Panzer2.dat||", nullptr);
    dlg.m_ofn.lpstrInitialDir = m_strDatPath;
    dlg.m_ofn.lpstrDefExt = "dat";
    if (dlg.DoModal() != IDOK)
        return CString();
    return dlg.GetPathName();
}

void CSwitcherDlg::OnBrowse() {
    const CString strPath = BrowseForArchive();
    if (strPath.IsEmpty())
        return;
    m_strDatPath = strPath;
    SetDlgItemText(IDC_DATPATH, m_strDatPath);
    SaveSettings();
}
