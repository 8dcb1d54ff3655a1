#include "archive/Install.h"

#include "archive/ArchiveBackup.h"
#include "archive/ArchiveScan.h"
#include "archive/InstallRanges.h"
#include "archive/ReadWhole.h"
#include "framework/CFile.h"
#include "framework/MessageBoxType.h"

#include <algorithm>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Zero fill and the restore are written in pieces of this size, so no block of the catalogue's
// size is ever held.
constexpr UINT kPiece = 64 * 1024;

constexpr UINT kWarning = afx_mb::kIconExclamation | afx_mb::kOk;
constexpr UINT kSuccess = afx_mb::kIconInformation | afx_mb::kOk;

// Set lines begin on this line of Desc.txt, one per list item.
constexpr int kFirstSetLine = 7;

const char* const kSlotErrorText[targetCount] = {
    "ERROR (DOSSIER)! Quick dossier switching can not be used for this Panzer2.dat!!",
    "ERROR (FLAGS1)! Quick flags switching can not be used for this Panzer2.dat!!",
    "ERROR (STARTSCR)! Quick  switching can not be used for this Panzer2.dat!!",
    "ERROR (STARTSCR)! Quick  switching can not be used for this Panzer2.dat!!"};

const char* const kSearchFault =
    "Search fault! Quick switching can not be used for this Panzer2.dat!!";

const char* const kWriteToCopy =
    "ERROR! The path names a .bak file, a copy of Panzer2.dat that an install keeps and never "
    "changes. Choose Panzer2.dat itself; to go back to the original, copy the .bak over it with "
    "the game closed.";

// Opens a set file, checks that it fits its block and keeps its bytes (the rest of the block is
// zeros, written with it). FALSE after its message; a file found too long stays open until the
// run returns.
BOOL LoadSetFile(CFile& file, const CString& strFolder, const CString& strName, int nSize,
                 Bytes& bytes, const InstallMessageFn& showMessage) {
    const CString strPath = strFolder + strName;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareExclusive | CFile::typeBinary)) {
        CString strText;
        strText.Format("ERROR! %s file can not be opened!", strName.GetString());
        showMessage(strText, kWarning);
        return FALSE;
    }
    const ULONGLONG nLength = file.GetLength();
    if (nLength > static_cast<ULONGLONG>(nSize)) {
        CString strText;
        strText.Format("ERROR! The size of %s file is more than %d", strName.GetString(), nSize);
        showMessage(strText, kWarning);
        return FALSE;
    }
    bytes.resize(static_cast<size_t>(nLength));
    ReadWhole(file, bytes.data(), static_cast<UINT>(nLength));
    file.Close();
    return TRUE;
}

// The checks that need no file: a set must be selected, name its three files, and the sizes
// must not be negative (taken as unsigned they would ask for gigabytes).
BOOL CheckRequest(const InstallRequest& request, const InstallMessageFn& showMessage) {
    CString strText;
    if (request.nSet < 0) {
        showMessage(request.nListed > 0
                        ? "ERROR! No graphic set is selected: choose one from the list!"
                        : "ERROR! No graphic set is selected: Desc.txt lists none!",
                    kWarning);
        return FALSE;
    }
    if (request.strFlagsFile.IsEmpty() || request.strDossierFile.IsEmpty() ||
        request.strStartFile.IsEmpty()) {
        strText.Format("ERROR! The graphic set \"%s\" (line %d of Desc.txt) does not give three "
                       "usable file names!",
                       request.strDescription.GetString(), kFirstSetLine + request.nSet);
        showMessage(strText, kWarning);
        return FALSE;
    }
    const struct {
        const char* pszBlock;
        int nSize;
    } sizes[] = {{"flags", request.nFlagsSize},
                 {"dossier", request.nDossierSize},
                 {"start screen", request.nStartSize}};
    for (const auto& size : sizes) {
        if (size.nSize < 0) {
            strText.Format("ERROR! Desc.txt gives the %s block a negative size (%d)!",
                           size.pszBlock, size.nSize);
            showMessage(strText, kWarning);
            return FALSE;
        }
    }
    return TRUE;
}

// Writes a block of dwSize bytes at dwOffset: the set file's bytes, then zeros up to the size.
void WriteBlock(CFile& file, DWORD dwOffset, const Bytes& bytes, DWORD dwSize) {
    static const unsigned char zeros[kPiece] = {};
    file.Seek(dwOffset, CFile::begin);
    const DWORD dwData = static_cast<DWORD>(std::min<size_t>(bytes.size(), dwSize));
    if (dwData > 0)
        file.Write(bytes.data(), dwData);
    for (DWORD dwLeft = dwSize - dwData; dwLeft > 0;) {
        const UINT nPiece = dwLeft < kPiece ? dwLeft : kPiece;
        file.Write(zeros, nPiece);
        dwLeft -= nPiece;
    }
}

// Copies dwSize bytes at dwFrom to dwTo, a piece at a time: the ranges judged before keep the
// two apart, so no piece is read from where one was written.
void CopyBlock(CFile& file, DWORD dwFrom, DWORD dwTo, DWORD dwSize) {
    std::vector<unsigned char> piece(std::min<DWORD>(dwSize, kPiece));
    for (DWORD dwDone = 0; dwDone < dwSize;) {
        const UINT nPiece = std::min<DWORD>(dwSize - dwDone, kPiece);
        file.Seek(static_cast<LONGLONG>(dwFrom) + dwDone, CFile::begin);
        ReadWhole(file, piece.data(), nPiece);
        file.Seek(static_cast<LONGLONG>(dwTo) + dwDone, CFile::begin);
        file.Write(piece.data(), nPiece);
        dwDone += nPiece;
    }
}

} // namespace

void InstallGraphicSet(const InstallRequest& request, const InstallMessageFn& showMessage) {
    if (!CheckRequest(request, showMessage))
        return;
    const DWORD dwFlagsSize = static_cast<DWORD>(request.nFlagsSize);
    const DWORD dwDossierSize = static_cast<DWORD>(request.nDossierSize);
    const DWORD dwStartSize = static_cast<DWORD>(request.nStartSize);

    const BOOL bRestore = AfxCompareNoCase(request.strStartFile, kRestoreStartName) == 0;

    // One file object serves each set file in turn, then the archive; whatever it holds when
    // the run returns is closed then, after the message. Only the files' bytes are held.
    CFile file;
    Bytes flags, dossier, start;
    if (!LoadSetFile(file, request.strFolder, request.strFlagsFile, request.nFlagsSize, flags,
                     showMessage) ||
        !LoadSetFile(file, request.strFolder, request.strDossierFile, request.nDossierSize, dossier,
                     showMessage))
        return;
    // The start screen is loaded even when it will not be written.
    if (!bRestore && !LoadSetFile(file, request.strFolder, request.strStartFile, request.nStartSize,
                                  start, showMessage))
        return;

    const CString strArchivePath = request.readArchivePath();
    // A copy kept by an install is the way back to the original: it is never written to.
    if (IsArchiveBackupPath(strArchivePath)) {
        showMessage(kWriteToCopy, kWarning);
        return;
    }
    if (!file.Open(strArchivePath,
                   CFile::modeReadWrite | CFile::shareExclusive | CFile::typeBinary)) {
        showMessage("ERROR! Panzer2.dat file can not be opened!", kWarning);
        return;
    }

    const ArchiveScanResult scan =
        ScanArchiveDirectory(file, dwDossierSize, dwFlagsSize, dwStartSize, request.bNoStartScr);
    if (scan.nSlotError >= 0) {
        showMessage(kSlotErrorText[scan.nSlotError], kWarning);
        return;
    }
    const ArchiveEntryPos& dossierPos = scan.entries[targetDossier];
    const ArchiveEntryPos& flagsPos = scan.entries[targetFlags];
    const ArchiveEntryPos& startScrPos = scan.entries[targetStartScr];
    const ArchiveEntryPos& strtPos = scan.entries[targetStrt];
    // Three matches do not prove that both entries written first were among them.
    if (scan.nMatches < 3 || !dossierPos.bFound || !flagsPos.bFound) {
        showMessage(kSearchFault, kWarning);
        return;
    }
    const BOOL bWriteStart = !request.bNoStartScr && scan.nMatches >= 4 && startScrPos.bFound &&
                             (!bRestore || strtPos.bFound);

    // The slot rule proves each entry's room only against the record that follows it: every
    // range is judged against the whole directory before anything is written.
    std::vector<InstallRange> ranges = {
        {targetDossier, dossierPos.dwOffset, dwDossierSize, InstallRange::write},
        {targetFlags, flagsPos.dwOffset, dwFlagsSize, InstallRange::write}};
    if (bWriteStart) {
        ranges.push_back({targetStartScr, startScrPos.dwOffset, dwStartSize, InstallRange::write});
        if (strtPos.bFound)
            ranges.push_back({targetStrt, strtPos.dwOffset, dwStartSize,
                              bRestore ? InstallRange::read : InstallRange::keep});
    }
    const int nRefused = JudgeInstallRanges(file, scan.nEntries, ranges);
    if (nRefused >= 0) {
        showMessage(kSlotErrorText[nRefused], kWarning);
        return;
    }

    // Before the first write into an archive, the archive as it is is kept beside it.
    CString strBackupError;
    if (!KeepOriginalArchive(file, strArchivePath, strBackupError)) {
        showMessage(strBackupError, kWarning);
        return;
    }

    WriteBlock(file, dossierPos.dwOffset, dossier, dwDossierSize);
    WriteBlock(file, flagsPos.dwOffset, flags, dwFlagsSize);

    CString strText;
    if (request.bNoStartScr) {
        file.Flush();
        strText.Format("Congratulations! Flags, Dossier for %s have been successfully installed!",
                       request.strDescription.GetString());
        showMessage(strText, kSuccess);
        return;
    }
    if (!bWriteStart) {
        file.Flush();
        showMessage("STRT.SHP seems to be absent! Quick StartScr switching can not be used for "
                    "this Panzer2.dat!!",
                    kWarning);
        return;
    }
    if (bRestore)
        CopyBlock(file, strtPos.dwOffset, startScrPos.dwOffset, dwStartSize);
    else
        WriteBlock(file, startScrPos.dwOffset, start, dwStartSize);
    file.Flush();
    strText.Format(
        "Congratulations! Flags, Dossier and Startscr for %s have been successfully installed!",
        request.strDescription.GetString());
    showMessage(strText, kSuccess);
}
