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

const char* const kSetPathTooLong =
    "ERROR! %s file can not be opened: its path in the tool's folder is too long (it must stay "
    "under 260 characters). Give it a shorter name in Desc.txt, or move the tool to a folder with "
    "a shorter path.";

const char* const kWriteToCopy =
    "ERROR! The path names a .bak file, a copy of Panzer2.dat that an install keeps and never "
    "changes. Choose Panzer2.dat itself; to go back to the original, copy the .bak over it with "
    "the game closed.";

// What an install does, worked out before anything is written: the set files' bytes, the archive
// and where its entries lie, and whether the start screen is written and from where.
struct CInstallPlan {
    Bytes flags, dossier, start;
    CString strRealPath; // the archive's real name (ArchiveRealPath)
    ArchiveScanResult scan;
    DWORD dwSize[targetCount] = {}; // each target's block size (STRT.SHP's: the start screen's)
    BOOL bRestore = FALSE;          // the start screen comes from STRT.SHP
    BOOL bWriteStart = FALSE;
};

// The checks that need no file: a set must be selected, name its three files, and the sizes
// must not be negative (taken as unsigned they would ask for gigabytes).
BOOL CheckRequest(const InstallRequest& request, CString& strRefusal) {
    if (request.nSet < 0) {
        strRefusal = request.nListed > 0
                         ? "ERROR! No graphic set is selected: choose one from the list!"
                         : "ERROR! No graphic set is selected: Desc.txt lists none!";
        return FALSE;
    }
    if (request.strFlagsFile.IsEmpty() || request.strDossierFile.IsEmpty() ||
        request.strStartFile.IsEmpty()) {
        strRefusal.Format("ERROR! The graphic set \"%s\" (line %d of Desc.txt) does not give "
                          "three usable file names!",
                          request.strDescription.GetString(), kFirstSetLine + request.nSet);
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
            strRefusal.Format("ERROR! Desc.txt gives the %s block a negative size (%d)!",
                              size.pszBlock, size.nSize);
            return FALSE;
        }
    }
    return TRUE;
}

// Opens a set file, checks that it fits its block and keeps its bytes (the rest of the block is
// zeros, written with it). A file found too long stays open until the run returns.
BOOL LoadSetFile(CFile& file, const CString& strFolder, const CString& strName, int nSize,
                 Bytes& bytes, CString& strRefusal) {
    const CString strPath = strFolder + strName;
    if (AfxIsPathTooLong(strPath)) {
        strRefusal.Format(kSetPathTooLong, strName.GetString());
        return FALSE;
    }
    if (!file.Open(strPath, CFile::modeRead | CFile::shareExclusive | CFile::typeBinary)) {
        strRefusal.Format("ERROR! %s file can not be opened!", strName.GetString());
        return FALSE;
    }
    const ULONGLONG nLength = file.GetLength();
    if (nLength > static_cast<ULONGLONG>(nSize)) {
        strRefusal.Format("ERROR! The size of %s file is more than %d", strName.GetString(), nSize);
        return FALSE;
    }
    bytes.resize(static_cast<size_t>(nLength));
    ReadWhole(file, bytes.data(), static_cast<UINT>(nLength));
    file.Close();
    return TRUE;
}

// Plan: the request, the set files (the start screen's even when it will not be written), then
// the archive, opened in file, and its directory's four entries.
BOOL PlanInstall(const InstallRequest& request, CFile& file, CInstallPlan& plan,
                 CString& strRefusal) {
    if (!CheckRequest(request, strRefusal))
        return FALSE;
    plan.bRestore = AfxCompareNoCase(request.strStartFile, kRestoreStartName) == 0;
    if (!LoadSetFile(file, request.strFolder, request.strFlagsFile, request.nFlagsSize, plan.flags,
                     strRefusal) ||
        !LoadSetFile(file, request.strFolder, request.strDossierFile, request.nDossierSize,
                     plan.dossier, strRefusal) ||
        (!plan.bRestore && !LoadSetFile(file, request.strFolder, request.strStartFile,
                                        request.nStartSize, plan.start, strRefusal)))
        return FALSE;

    // A copy kept by an install is the way back to the original: it is never written to, under
    // whatever name it is reached.
    plan.strRealPath = ArchiveRealPath(request.readArchivePath());
    if (IsArchiveBackupPath(plan.strRealPath)) {
        strRefusal = kWriteToCopy;
        return FALSE;
    }
    if (IsBackupPathTooLong(plan.strRealPath)) {
        strRefusal = kArchivePathTooLong;
        return FALSE;
    }
    if (!file.Open(plan.strRealPath,
                   CFile::modeReadWrite | CFile::shareExclusive | CFile::typeBinary)) {
        strRefusal = "ERROR! Panzer2.dat file can not be opened!";
        return FALSE;
    }

    plan.dwSize[targetDossier] = static_cast<DWORD>(request.nDossierSize);
    plan.dwSize[targetFlags] = static_cast<DWORD>(request.nFlagsSize);
    plan.dwSize[targetStartScr] = plan.dwSize[targetStrt] = static_cast<DWORD>(request.nStartSize);
    const ArchiveScanResult& scan = plan.scan =
        ScanArchiveDirectory(file, plan.dwSize[targetDossier], plan.dwSize[targetFlags],
                             plan.dwSize[targetStartScr], request.bNoStartScr);
    if (scan.nSlotError >= 0) {
        strRefusal = kSlotErrorText[scan.nSlotError];
        return FALSE;
    }
    // Three matches do not prove that both entries written first were among them.
    if (scan.nMatches < 3 || !scan.entries[targetDossier].bFound ||
        !scan.entries[targetFlags].bFound) {
        strRefusal = kSearchFault;
        return FALSE;
    }
    plan.bWriteStart = !request.bNoStartScr && scan.nMatches >= 4 &&
                       scan.entries[targetStartScr].bFound &&
                       (!plan.bRestore || scan.entries[targetStrt].bFound);
    return TRUE;
}

// Judge: the slot rule proves each entry's room only against the record that follows it, so
// every range is judged against the whole directory before anything is written.
BOOL JudgeInstall(CFile& file, const CInstallPlan& plan, CString& strRefusal) {
    const auto range = [&plan](int nTarget, InstallRange::Use use) {
        return InstallRange{nTarget, plan.scan.entries[nTarget].dwOffset, plan.dwSize[nTarget],
                            use};
    };
    std::vector<InstallRange> ranges = {range(targetDossier, InstallRange::write),
                                        range(targetFlags, InstallRange::write)};
    if (plan.bWriteStart) {
        ranges.push_back(range(targetStartScr, InstallRange::write));
        if (plan.scan.entries[targetStrt].bFound)
            ranges.push_back(
                range(targetStrt, plan.bRestore ? InstallRange::read : InstallRange::keep));
    }
    const int nRefused = JudgeInstallRanges(file, plan.scan.nEntries, ranges);
    if (nRefused >= 0) {
        strRefusal = kSlotErrorText[nRefused];
        return FALSE;
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

// Write: the dossier, the flags and the start screen as planned, all handed to the disk before
// anything is told.
void WriteInstall(CFile& file, const CInstallPlan& plan) {
    const auto offset = [&plan](int nTarget) { return plan.scan.entries[nTarget].dwOffset; };
    WriteBlock(file, offset(targetDossier), plan.dossier, plan.dwSize[targetDossier]);
    WriteBlock(file, offset(targetFlags), plan.flags, plan.dwSize[targetFlags]);
    if (plan.bWriteStart && plan.bRestore)
        CopyBlock(file, offset(targetStrt), offset(targetStartScr), plan.dwSize[targetStartScr]);
    else if (plan.bWriteStart)
        WriteBlock(file, offset(targetStartScr), plan.start, plan.dwSize[targetStartScr]);
    file.Flush();
}

// Tell: what was installed, or that the start screen could not be.
void TellInstalled(const InstallRequest& request, const CInstallPlan& plan,
                   const InstallMessageFn& showMessage) {
    CString strText;
    if (request.bNoStartScr) {
        strText.Format("Congratulations! Flags, Dossier for %s have been successfully installed!",
                       request.strDescription.GetString());
        showMessage(strText, kSuccess);
    } else if (!plan.bWriteStart) {
        showMessage("STRT.SHP seems to be absent! Quick StartScr switching can not be used for "
                    "this Panzer2.dat!!",
                    kWarning);
    } else {
        strText.Format("Congratulations! Flags, Dossier and Startscr for %s have been "
                       "successfully installed!",
                       request.strDescription.GetString());
        showMessage(strText, kSuccess);
    }
}

} // namespace

void InstallGraphicSet(const InstallRequest& request, const InstallMessageFn& showMessage) {
    // One file object serves each set file in turn, then the archive; whatever it holds when
    // the run returns is closed then, after the message. Only the files' bytes are held.
    CFile file;
    CInstallPlan plan;
    CString strRefusal;
    // Before the first write into an archive, the archive as it is is kept beside it.
    if (!PlanInstall(request, file, plan, strRefusal) || !JudgeInstall(file, plan, strRefusal) ||
        !KeepOriginalArchive(file, plan.strRealPath, strRefusal)) {
        showMessage(strRefusal, kWarning);
        return;
    }
    WriteInstall(file, plan);
    TellInstalled(request, plan, showMessage);
}
