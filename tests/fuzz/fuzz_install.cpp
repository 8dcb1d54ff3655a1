// The install on an arbitrary archive and catalogue row, with one file operation failed or
// shortened when the input asks. After every run: the archive keeps its length, no byte changes
// outside the blocks meant to be written, nothing is written where the bytes prove no room, and
// a success means every block landed whole.
//
// Input: a flag byte (bit 0 no start screen, bit 1 restore name, bits 2-3 fault kind, bits 4-5
// and 6-7 the flags and dossier names: 3 a name the catalogue refused, 2 a file that is not
// there, else the file given), the number of the file operation to fault, the three block sizes
// (signed 16-bit), the lengths of the three set files (one byte each), their bytes, then the
// archive.
#include "ArchiveRoom.h"
#include "FuzzInput.h"
#include "archive/Install.h"
#include "framework/CFile.h"
#include "framework/FileFaults.h"
#include "framework/MessageBoxType.h"

#include <algorithm>
#include <vector>

namespace {

struct CRange {
    std::size_t nFirst;
    std::size_t nSize;
};

// The bytes a block of nSize puts at the entry's offset: the file, then zeros.
void Place(Bytes& archive, DWORD dwOffset, Bytes block, int nSize) {
    block.resize(static_cast<std::size_t>(nSize), 0);
    std::copy(block.begin(), block.end(), archive.begin() + dwOffset);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    using afx_test::Fault;
    using afx_test::FileOp;
    CFuzzInput in(pData, nSize);
    const unsigned nFlags = in.Take(1);
    const unsigned nFaultAt = in.Take(1);
    const Fault fault = (nFlags >> 2 & 3) == 1   ? Fault::Fail
                        : (nFlags >> 2 & 3) == 2 ? Fault::Short
                                                 : Fault::None;
    InstallRequest request;
    request.nSet = 0;
    request.nFlagsSize = static_cast<std::int16_t>(in.Take(2));
    request.nDossierSize = static_cast<std::int16_t>(in.Take(2));
    request.nStartSize = static_cast<std::int16_t>(in.Take(2));
    const std::size_t nFlagsLen = in.Take(1), nDossierLen = in.Take(1), nStartLen = in.Take(1);
    const Bytes flagsFile = in.TakeBytes(nFlagsLen);
    const Bytes dossierFile = in.TakeBytes(nDossierLen);
    const Bytes startFile = in.TakeBytes(nStartLen);
    const Bytes archive = in.Rest();

    const CTempFolder& folder = FuzzFolder();
    folder.Write("f.shp", flagsFile);
    folder.Write("d.shp", dossierFile);
    folder.Write("s.shp", startFile);
    folder.Write("Panzer2.dat", archive);
    request.strFolder = folder.Prefix().c_str();
    const auto name = [](unsigned nChoice, const char* pszName) {
        return nChoice == 3 ? "" : nChoice == 2 ? "missing.shp" : pszName;
    };
    request.strFlagsFile = name(nFlags >> 4 & 3, "f.shp");
    request.strDossierFile = name(nFlags >> 6 & 3, "d.shp");
    request.strStartFile = nFlags & 2 ? "008STARTSCR.shp" : "s.shp";
    request.strDescription = "Fuzzed set";
    request.strArchivePath = folder.Path("Panzer2.dat").c_str();
    request.bNoStartScr = nFlags & 1;

    std::size_t nOps = 0, nOpsAtMessage = 0;
    bool bFaultedWrite =
        false; // a write, seek or flush of the archive was made to fail or fall short
    afx_test::SetFileOpHook([&](FileOp op, const char*) {
        if (++nOps != nFaultAt || fault == Fault::None)
            return Fault::None;
        bFaultedWrite = op == FileOp::Write || op == FileOp::Flush ||
                        (op == FileOp::Seek && fault == Fault::Fail);
        return fault;
    });
    std::vector<UINT> types;
    bool bThrew = false;
    try {
        InstallGraphicSet(request, [&](const CString&, UINT nType) {
            nOpsAtMessage = nOps;
            types.push_back(nType);
        });
    } catch (const CFileException&) {
        bThrew = true;
    }
    afx_test::SetFileOpHook(nullptr);

    FUZZ_CHECK(types.size() + (bThrew ? 1 : 0) == 1);
    const Bytes after = folder.Read("Panzer2.dat");
    FUZZ_CHECK(after.size() == archive.size());

    // The ranges an install may write, proven from the bytes alone.
    std::vector<CRange> allowed;
    const auto allow = [&](int t, int nBlock) {
        if (nBlock < 0)
            return;
        for (std::size_t at = kArchiveHeaderSize; at + kArchiveRecordSize <= archive.size();
             at += kArchiveRecordSize) {
            const DWORD dwOffset = OffsetAt(archive, at);
            if (RoomProven(archive, t, dwOffset, static_cast<DWORD>(nBlock)) &&
                static_cast<std::uint64_t>(dwOffset) + static_cast<std::uint64_t>(nBlock) <=
                    archive.size())
                allowed.push_back({dwOffset, static_cast<std::size_t>(nBlock)});
        }
    };
    allow(targetDossier, request.nDossierSize);
    allow(targetFlags, request.nFlagsSize);
    if (!request.bNoStartScr)
        allow(targetStartScr, request.nStartSize);
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == archive[i])
            continue;
        const bool bInside = std::any_of(allowed.begin(), allowed.end(), [i](const CRange& r) {
            return i >= r.nFirst && i - r.nFirst < r.nSize;
        });
        FUZZ_CHECK(bInside);
    }

    // The archive is closed again, whatever happened.
    {
        CFile file;
        FUZZ_CHECK(file.Open(request.strArchivePath, CFile::modeReadWrite));
    }

    const bool bSuccess = !types.empty() && types[0] == (afx_mb::kIconInformation | afx_mb::kOk);
    if (!bSuccess)
        return 0;
    FUZZ_CHECK(!(bFaultedWrite && nFaultAt <= nOpsAtMessage));
    // A success is true to the byte: rerun the install's intent on the original bytes.
    Bytes expected = archive;
    {
        CFile scanFile;
        folder.Write("copy.dat", archive);
        FUZZ_CHECK(scanFile.Open(folder.Path("copy.dat").c_str(), CFile::modeRead));
        const ArchiveScanResult scan =
            ScanArchiveDirectory(scanFile, static_cast<DWORD>(request.nDossierSize),
                                 static_cast<DWORD>(request.nFlagsSize),
                                 static_cast<DWORD>(request.nStartSize), request.bNoStartScr);
        Place(expected, scan.entries[targetDossier].dwOffset, dossierFile, request.nDossierSize);
        Place(expected, scan.entries[targetFlags].dwOffset, flagsFile, request.nFlagsSize);
        if (!request.bNoStartScr) {
            const DWORD dwStrt = scan.entries[targetStrt].dwOffset;
            const Bytes start = nFlags & 2 ? Bytes(archive.begin() + dwStrt,
                                                   archive.begin() + dwStrt + request.nStartSize)
                                           : startFile;
            Place(expected, scan.entries[targetStartScr].dwOffset, start, request.nStartSize);
        }
    }
    FUZZ_CHECK(after == expected);
    return 0;
}
