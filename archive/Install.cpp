#include "archive/Install.h"

#include "archive/ArchiveScan.h"
#include "framework/CFile.h"
#include "framework/MessageBoxType.h"

#include <vector>

namespace {

using Block = std::vector<unsigned char>;

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

// A read that delivers fewer bytes than asked would leave zeros where data belongs.
void ReadWhole(CFile& file, void* pBuf, UINT nCount) {
    if (file.Read(pBuf, nCount) != nCount)
        AfxThrowFileException(CFileException::endOfFile, -1, file.GetFilePath());
}

// Opens a set file, checks that it fits its block and reads it into the block's beginning.
// FALSE after its message; a file found too long stays open until the run returns.
BOOL LoadSetFile(CFile& file, const CString& strFolder, const CString& strName, int nSize,
                 Block& block, const InstallMessageFn& showMessage) {
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
    ReadWhole(file, block.data(), static_cast<UINT>(nLength));
    file.Close();
    return TRUE;
}

// The checks that need no file: a set must be selected, name its three files, and the sizes
// must not be negative (taken as unsigned they would ask for gigabytes).
BOOL CheckRequest(const InstallRequest& request, const InstallMessageFn& showMessage) {
    CString strText;
    if (request.nSet < 0) {
        showMessage("ERROR! No graphic set is selected: Desc.txt lists none!", kWarning);
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

void WriteBlock(CFile& file, DWORD dwOffset, const Block& block) {
    file.Seek(dwOffset, CFile::begin);
    file.Write(block.data(), static_cast<UINT>(block.size()));
}

} // namespace

void InstallGraphicSet(const InstallRequest& request, const InstallMessageFn& showMessage) {
    if (!CheckRequest(request, showMessage))
        return;

    // All three blocks exist before any file is opened.
    Block startBlock(static_cast<size_t>(request.nStartSize));
    Block flagsBlock(static_cast<size_t>(request.nFlagsSize));
    Block dossierBlock(static_cast<size_t>(request.nDossierSize));

    const BOOL bRestore = AfxCompareNoCase(request.strStartFile, kRestoreStartName) == 0;

    // One file object serves each set file in turn, then the archive; whatever it holds when
    // the run returns is closed then, after the message.
    CFile file;
    if (!LoadSetFile(file, request.strFolder, request.strFlagsFile, request.nFlagsSize, flagsBlock,
                     showMessage) ||
        !LoadSetFile(file, request.strFolder, request.strDossierFile, request.nDossierSize,
                     dossierBlock, showMessage))
        return;
    // The start screen is loaded even when it will not be written.
    if (!bRestore && !LoadSetFile(file, request.strFolder, request.strStartFile, request.nStartSize,
                                  startBlock, showMessage))
        return;

    if (!file.Open(request.strArchivePath,
                   CFile::modeReadWrite | CFile::shareExclusive | CFile::typeBinary)) {
        showMessage("ERROR! Panzer2.dat file can not be opened!", kWarning);
        return;
    }

    const ArchiveScanResult scan = ScanArchiveDirectory(
        file, static_cast<DWORD>(request.nDossierSize), static_cast<DWORD>(request.nFlagsSize),
        static_cast<DWORD>(request.nStartSize), request.bNoStartScr);
    if (scan.nSlotError >= 0) {
        showMessage(kSlotErrorText[scan.nSlotError], kWarning);
        return;
    }
    const ArchiveEntryPos& dossier = scan.entries[targetDossier];
    const ArchiveEntryPos& flags = scan.entries[targetFlags];
    const ArchiveEntryPos& startScr = scan.entries[targetStartScr];
    const ArchiveEntryPos& strt = scan.entries[targetStrt];
    // Three matches do not prove that both entries written first were among them.
    if (scan.nMatches < 3 || !dossier.bFound || !flags.bFound) {
        showMessage(kSearchFault, kWarning);
        return;
    }
    const BOOL bWriteStart =
        !request.bNoStartScr && scan.nMatches >= 4 && startScr.bFound && (!bRestore || strt.bFound);

    // Writing in place must never grow the archive nor touch its header and directory: every
    // block that will be written (or read, for the restore) lies between the end of the directory
    // and the end of the file, checked before the first write.
    const ULONGLONG nArchiveLength = file.GetLength();
    const ULONGLONG nDataStart =
        kArchiveHeaderSize + static_cast<ULONGLONG>(kArchiveRecordSize) * scan.nEntries;
    const auto inside = [nArchiveLength, nDataStart](const ArchiveEntryPos& entry, int nSize) {
        return entry.dwOffset >= nDataStart &&
               static_cast<ULONGLONG>(entry.dwOffset) + static_cast<ULONGLONG>(nSize) <=
                   nArchiveLength;
    };
    int nOutside = -1;
    if (!inside(dossier, request.nDossierSize))
        nOutside = targetDossier;
    else if (!inside(flags, request.nFlagsSize))
        nOutside = targetFlags;
    else if (bWriteStart && (!inside(startScr, request.nStartSize) ||
                             (bRestore && !inside(strt, request.nStartSize))))
        nOutside = targetStartScr;
    if (nOutside >= 0) {
        showMessage(kSlotErrorText[nOutside], kWarning);
        return;
    }

    WriteBlock(file, dossier.dwOffset, dossierBlock);
    WriteBlock(file, flags.dwOffset, flagsBlock);

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
    if (bRestore) {
        file.Seek(strt.dwOffset, CFile::begin);
        ReadWhole(file, startBlock.data(), static_cast<UINT>(startBlock.size()));
    }
    WriteBlock(file, startScr.dwOffset, startBlock);
    file.Flush();
    strText.Format(
        "Congratulations! Flags, Dossier and Startscr for %s have been successfully installed!",
        request.strDescription.GetString());
    showMessage(strText, kSuccess);
}
