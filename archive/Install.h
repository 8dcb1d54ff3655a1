// Installing a graphic set: the set's three files go into zero-filled blocks of the catalogue's
// sizes, which are written in place over the data of DOSSIER.SHP, FLAGS1.SHP and (unless the start
// screen is left alone) STARTSCR.SHP in the game archive.
#pragma once

#include "framework/CString.h"
#include "framework/afxtypes.h"

#include <functional>

// The start-screen name that takes the start screen from the archive's own STRT.SHP.
constexpr const char* kRestoreStartName = "008Startscr.shp";

struct InstallRequest {
    CString strFolder; // the tool's folder, ending with a separator
    int nSet = -1;     // the set's place in the set list; -1 when nothing is selected
    int nListed = 0;   // how many sets the list holds (text typed into its field selects none)
    // The set's file names as the catalogue gives them; all empty for a row it could not use.
    CString strFlagsFile;
    CString strDossierFile;
    CString strStartFile;
    CString strDescription;
    int nFlagsSize = 0;
    int nDossierSize = 0;
    int nStartSize = 0;
    // The archive's path, asked for once, when the set files are in memory: a run that stops
    // before that leaves where the path comes from alone.
    std::function<CString()> readArchivePath;
    BOOL bNoStartScr = FALSE;
};

// Shows one message (afx_mb type: icon and OK) and returns once the user has dismissed it. The
// archive is still open while it is shown, so no other program can touch it meanwhile.
using InstallMessageFn = std::function<void(const CString& strText, UINT nType)>;

// Every run ends in exactly one message, or in a framework exception (CFileException,
// CMemoryException) that is left to the caller; files close as it unwinds.
void InstallGraphicSet(const InstallRequest& request, const InstallMessageFn& showMessage);
