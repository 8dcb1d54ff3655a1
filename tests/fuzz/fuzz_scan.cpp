// The directory scan on arbitrary archive bytes, with block sizes and the no-start-screen flag
// taken from the front of the input, against what the archive rules say it finds: the same
// matches, found entries, offsets and slot error, and the same number of reads, made strictly in
// sequence without a seek or a write.
#include "FuzzInput.h"
#include "archive/ArchiveScan.h"
#include "tests/support/FileOpHook.h"
#include "tests/model/ArchiveModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    CFuzzInput in(pData, nSize);
    const DWORD dwDossier = in.Take(4), dwFlags = in.Take(4), dwStart = in.Take(4);
    const BOOL bNoStartScr = in.Take(1) & 1;
    const Bytes archive = in.Rest();

    const CFuzzFiles files;
    memfiles::Put("Panzer2.dat", archive);
    int nReads = 0, nSeeks = 0, nWrites = 0;
    afx_test::SetFileOpHook([&](afx_test::FileOp op, const char*) {
        nReads += op == afx_test::FileOp::Read;
        nSeeks += op == afx_test::FileOp::Seek;
        nWrites += op == afx_test::FileOp::Write;
        return afx_test::Fault::None;
    });
    ArchiveScanResult scan;
    {
        CFile file;
        FUZZ_CHECK(file.Open("Panzer2.dat", CFile::modeReadWrite | CFile::typeBinary));
        scan = ScanArchiveDirectory(file, dwDossier, dwFlags, dwStart, bNoStartScr);
    }
    afx_test::SetFileOpHook(nullptr);
    FUZZ_CHECK(nSeeks == 0 && nWrites == 0);
    FUZZ_CHECK(*memfiles::Find("Panzer2.dat") == archive);

    const archive_model::ScanFacts want =
        archive_model::Scan(archive, dwDossier, dwFlags, dwStart, bNoStartScr);
    FUZZ_CHECK(nReads == want.nReads); // one read per record, none after the fourth match
    FUZZ_CHECK(scan.nMatches == want.nMatches);
    FUZZ_CHECK(scan.nSlotError == want.nSlotError);
    for (int t = 0; t < targetCount; ++t) {
        FUZZ_CHECK(!scan.entries[t].bFound == !want.bFound[t]);
        FUZZ_CHECK(!want.bFound[t] || scan.entries[t].dwOffset == want.dwOffset[t]);
    }
    return 0;
}
