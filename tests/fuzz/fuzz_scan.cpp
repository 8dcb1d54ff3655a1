// The directory scan on arbitrary archive bytes, with block sizes and the no-start-screen flag
// taken from the front of the input. The scan only reads, in sequence; every entry it reports
// as having room must have it in the bytes themselves.
#include "ArchiveRoom.h"
#include "FuzzInput.h"
#include "archive/ArchiveScan.h"
#include "framework/FileFaults.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    CFuzzInput in(pData, nSize);
    const DWORD dwSize[targetCount] = {in.Take(4), in.Take(4), 0, 0};
    const DWORD dwStart = in.Take(4);
    const BOOL bNoStartScr = in.Take(1) & 1;
    const Bytes archive = in.Rest();

    const CTempFolder& folder = FuzzFolder();
    folder.Write("Panzer2.dat", archive);
    int nSeeks = 0, nWrites = 0;
    afx_test::SetFileOpHook([&](afx_test::FileOp op, const char*) {
        nSeeks += op == afx_test::FileOp::Seek;
        nWrites += op == afx_test::FileOp::Write;
        return afx_test::Fault::None;
    });
    ArchiveScanResult scan;
    {
        CFile file;
        FUZZ_CHECK(file.Open(folder.Path("Panzer2.dat").c_str(),
                             CFile::modeReadWrite | CFile::typeBinary));
        scan = ScanArchiveDirectory(file, dwSize[targetDossier], dwSize[targetFlags], dwStart,
                                    bNoStartScr);
    }
    afx_test::SetFileOpHook(nullptr);

    FUZZ_CHECK(nSeeks == 0 && nWrites == 0);
    FUZZ_CHECK(folder.Read("Panzer2.dat") == archive);
    FUZZ_CHECK(scan.nMatches >= 0 && scan.nMatches <= targetCount);
    FUZZ_CHECK(scan.nSlotError >= -1 && scan.nSlotError < targetCount);
    int nFound = 0;
    for (int t = 0; t < targetCount; ++t) {
        const ArchiveEntryPos& e = scan.entries[t];
        if (!e.bFound)
            continue;
        ++nFound;
        // Found with its room tolerated: nothing will be written there.
        if (bNoStartScr && (t == targetStartScr || t == targetStrt))
            continue;
        const DWORD dwNeed = t == targetDossier ? dwSize[targetDossier]
                             : t == targetFlags ? dwSize[targetFlags]
                                                : dwStart;
        FUZZ_CHECK(RoomProven(archive, t, e.dwOffset, dwNeed));
    }
    FUZZ_CHECK(nFound <= scan.nMatches);
    // A short archive is a directory without entries.
    if (archive.size() < kArchiveHeaderSize + kArchiveRecordSize)
        FUZZ_CHECK(scan.nMatches == 0 && scan.nSlotError == -1);
    return 0;
}
