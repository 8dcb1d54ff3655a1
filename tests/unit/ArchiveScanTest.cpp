#include "ArchiveBuilder.h"
#include "archive/ArchiveScan.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Counts the reads the scan makes through the file object.
class CCountingFile : public CFile {
public:
    UINT Read(void* lpBuf, UINT nCount) override {
        ++m_nReads;
        return CFile::Read(lpBuf, nCount);
    }
    int m_nReads = 0;
};

struct Expected {
    int nMatches;
    int nSlotError;
    // Data offset of each target, 0 for "not found".
    DWORD dwOffsets[targetCount];
    int nReads;
};

struct ScanCase {
    const char* pszName;
    struct {
        DWORD dwDossier, dwFlags, dwStart;
        BOOL bNoStartScr;
        Expected expected;
    } c;
    std::function<Bytes()> build;
};

// N records called OTHERnnn with rising offsets.
CArchiveBuilder& Fillers(CArchiveBuilder& b, int nCount, DWORD dwFirst) {
    for (int i = 0; i < nCount; ++i)
        b.Record(dwFirst + 10 * i, "OTHER" + std::to_string(i));
    return b;
}

void RunCases(const std::vector<ScanCase>& cases) {
    for (const ScanCase& row : cases) {
        SCOPED_TRACE(row.pszName);
        const auto& c = row.c;
        CTempFolder folder;
        folder.Write("a.dat", row.build());
        CCountingFile file;
        ASSERT_TRUE(file.Open(folder.Path("a.dat").c_str(), CFile::modeReadWrite));
        const ArchiveScanResult r =
            ScanArchiveDirectory(file, c.dwDossier, c.dwFlags, c.dwStart, c.bNoStartScr);
        EXPECT_EQ(r.nMatches, c.expected.nMatches);
        EXPECT_EQ(r.nSlotError, c.expected.nSlotError);
        for (int t = 0; t < targetCount; ++t) {
            SCOPED_TRACE(ArchiveTargetName(t));
            const DWORD dwWant = c.expected.dwOffsets[t];
            EXPECT_EQ(r.entries[t].bFound, dwWant != 0 ? TRUE : FALSE);
            if (dwWant != 0 && r.entries[t].bFound) {
                EXPECT_EQ(r.entries[t].dwOffset, dwWant);
            }
        }
        EXPECT_EQ(file.m_nReads, c.expected.nReads);
    }
}

TEST(ArchiveScan, DirectoryWalk) {
    RunCases({
        {"no entries: only the header is read",
         {10, 10, 10, FALSE, {0, -1, {0, 0, 0, 0}, 1}},
         [] {
             CArchiveBuilder b;
             b.Header(0).Record(100, "DOSSIER.SHP").Record(200, "END");
             return b.Get();
         }},
        {"0x90 0x01 is 400 entries; the last one is reached",
         {100, 10, 10, FALSE, {1, -1, {9000, 0, 0, 0}, 1 + 400 + 1}},
         [] {
             CArchiveBuilder b;
             b.Header(0x90, 0x01);
             Fillers(b, 399, 1000).Record(9000, "DOSSIER.SHP").Record(9100, "END");
             return b.Get();
         }},
        {"names in any letter case",
         {100, 100, 100, FALSE, {4, -1, {1000, 2000, 3000, 4000}, 1 + 8}},
         [] {
             CArchiveBuilder b;
             b.Header(9).Record(1000, "dossier.shp").Record(1100, "x");
             b.Record(2000, "Flags1.Shp").Record(2100, "x");
             b.Record(3000, "startscr.SHP").Record(3100, "x");
             b.Record(4000, "sTrT.sHp").Record(4100, "x").Record(5000, "never read");
             return b.Get();
         }},
        {"names past the N records are entry data: never a target",
         {100, 100, 100, FALSE, {2, -1, {1000, 2000, 0, 0}, 1 + 4 + 2}},
         [] {
             CArchiveBuilder b;
             b.Header(4).Record(1000, "DOSSIER.SHP").Record(1100, "x");
             b.Record(2000, "FLAGS1.SHP").Record(2100, "x");
             b.Record(3000, "STARTSCR.SHP").Record(3100, "x");
             b.Record(4000, "STRT.SHP").Record(4100, "x").Record(5000, "never read");
             return b.Get();
         }},
        {"N steps with three matches stop at the step count; STRT.SHP lies past the directory",
         {100, 100, 100, FALSE, {3, -1, {1000, 2000, 3000, 0}, 1 + 5 + 3}},
         [] {
             CArchiveBuilder b;
             b.Header(5).Record(1000, "DOSSIER.SHP").Record(1100, "x");
             b.Record(2000, "FLAGS1.SHP").Record(2100, "x");
             b.Record(3000, "STARTSCR.SHP").Record(3100, "x");
             b.Record(3200, "y").Record(4000, "STRT.SHP").Record(4100, "x");
             return b.Get();
         }},
        {"a 13-byte name without NUL names nothing",
         {10, 10, 10, FALSE, {1, -1, {0, 1100, 0, 0}, 1 + 4}},
         [] {
             CArchiveBuilder b;
             b.Header(3).Record(1000, "DOSSIER.SHPXY").Record(1100, "FLAGS1.SHP\0\0X");
             b.Record(1200, "END");
             return b.Get();
         }},
        {"a target right after a matched record only ends that slot",
         {100, 10, 10, FALSE, {1, -1, {1000, 0, 0, 0}, 1 + 4}},
         [] {
             CArchiveBuilder b;
             b.Header(3).Record(1000, "DOSSIER.SHP").Record(1100, "FLAGS1.SHP");
             b.Record(1200, "END");
             return b.Get();
         }},
        {"the scan stops right after the fourth match",
         {100, 100, 100, FALSE, {4, -1, {3000, 2000, 4000, 1000}, 1 + 9}},
         [] {
             CArchiveBuilder b;
             b.Header(200).Record(1000, "STRT.SHP").Record(1100, "a");
             b.Record(2000, "FLAGS1.SHP").Record(2100, "b").Record(2200, "c");
             b.Record(3000, "DOSSIER.SHP").Record(3100, "d");
             b.Record(4000, "STARTSCR.SHP").Record(4100, "e");
             Fillers(b, 50, 5000);
             return b.Get();
         }},
        {"a later match of the same name replaces the offset",
         {100, 10, 10, FALSE, {2, -1, {2000, 0, 0, 0}, 1 + 6}},
         [] {
             CArchiveBuilder b;
             b.Header(5).Record(1000, "DOSSIER.SHP").Record(1100, "a");
             b.Record(2000, "dossier.shp").Record(2100, "b").Record(2200, "END");
             return b.Get();
         }},
        {"a slot error ends the scan, earlier matches kept",
         {100, 100, 100, FALSE, {1, targetFlags, {1000, 0, 0, 0}, 1 + 4}},
         [] {
             CArchiveBuilder b;
             b.Header(8).Record(1000, "DOSSIER.SHP").Record(1100, "a");
             b.Record(2000, "FLAGS1.SHP").Record(2099, "b");
             b.Record(3000, "STARTSCR.SHP").Record(3100, "c").Record(3200, "END");
             return b.Get();
         }},
    });
}

// One archive with the target at offset 1000 and the following record at 1000 + nRoom.
Bytes SlotArchive(int nTarget, DWORD dwFollowing) {
    CArchiveBuilder b;
    b.Header(3).Record(1000, ArchiveTargetName(nTarget)).Record(dwFollowing, "NEXT");
    b.Record(90000, "END");
    return b.Get();
}

TEST(ArchiveScan, SlotAgainstBlockSize) {
    struct Case {
        int nTarget;
        DWORD dwFollowing;
        BOOL bNoStartScr;
        bool bFits;
    };
    const DWORD dwBlock = 200;
    const std::vector<Case> cases = {
        {targetDossier, 1200, FALSE, true},
        {targetDossier, 1199, FALSE, false},
        {targetDossier, 1199, TRUE, false},
        {targetFlags, 1200, TRUE, true},
        {targetFlags, 1199, TRUE, false},
        {targetStartScr, 1200, FALSE, true},
        {targetStartScr, 1199, FALSE, false},
        {targetStartScr, 1199, TRUE, true},
        {targetStrt, 1200, FALSE, true},
        {targetStrt, 1199, FALSE, false},
        {targetStrt, 1199, TRUE, true},
        // Offsets that fall back: the room would wrap to about 4 GiB.
        {targetDossier, 999, FALSE, false},
        {targetFlags, 0, TRUE, false},
        {targetStartScr, 999, FALSE, false},
        {targetStrt, 999, TRUE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ArchiveTargetName(c.nTarget)) + " following " +
                     std::to_string(c.dwFollowing) + (c.bNoStartScr ? " flag" : ""));
        CTempFolder folder;
        folder.Write("a.dat", SlotArchive(c.nTarget, c.dwFollowing));
        CFile file;
        ASSERT_TRUE(file.Open(folder.Path("a.dat").c_str(), CFile::modeReadWrite));
        const ArchiveScanResult r =
            ScanArchiveDirectory(file, dwBlock, dwBlock, dwBlock, c.bNoStartScr);
        EXPECT_EQ(r.nSlotError, c.bFits ? -1 : c.nTarget);
        EXPECT_EQ(r.nMatches, c.bFits ? 1 : 0);
        EXPECT_EQ(r.entries[c.nTarget].bFound, c.bFits ? TRUE : FALSE);
    }
}

TEST(ArchiveScan, ShortReadsAreNeverTakenAsData) {
    auto cut = [](Bytes bytes, std::size_t nSize) {
        bytes.resize(nSize);
        return bytes;
    };
    RunCases({
        {"a header shorter than 21 bytes ends the scan",
         {10, 10, 10, FALSE, {0, -1, {0, 0, 0, 0}, 1}},
         [cut] {
             CArchiveBuilder b;
             b.Header(1).Record(1000, "DOSSIER.SHP");
             return cut(b.Get(), 20);
         }},
        {"a short record ends the scan with what was found",
         {100, 10, 10, FALSE, {1, -1, {1000, 0, 0, 0}, 1 + 3}},
         [cut] {
             CArchiveBuilder b;
             b.Header(6).Record(1000, "DOSSIER.SHP").Record(1100, "a");
             b.Record(2000, "FLAGS1.SHP");
             return cut(b.Get(), b.Size() - 1);
         }},
        {"a record past the end is not the previous record again",
         {100, 10, 10, FALSE, {0, targetDossier, {0, 0, 0, 0}, 1 + 3}},
         [] {
             CArchiveBuilder b;
             b.Header(6).Record(1000, "a").Record(2000, "DOSSIER.SHP");
             return b.Get();
         }},
        {"an unreadable following record: the flags room is unknown",
         {10, 10, 10, FALSE, {0, targetFlags, {0, 0, 0, 0}, 1 + 2}},
         [cut] {
             CArchiveBuilder b;
             b.Header(4).Record(1000, "FLAGS1.SHP").Record(1100, "x");
             return cut(b.Get(), b.Size() - 5);
         }},
        {"an unknown start-screen room is tolerated under the flag",
         {10, 10, 10, TRUE, {1, -1, {0, 0, 1000, 0}, 1 + 2}},
         [] {
             CArchiveBuilder b;
             b.Header(4).Record(1000, "STARTSCR.SHP");
             return b.Get();
         }},
    });
}

} // namespace
