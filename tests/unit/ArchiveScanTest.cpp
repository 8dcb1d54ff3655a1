#include "ArchiveBuilder.h"
#include "archive/ArchiveScan.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

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
    Bytes archive;
};

void RunCases(const std::vector<ScanCase>& cases) {
    for (const ScanCase& row : cases) {
        SCOPED_TRACE(row.pszName);
        const auto& c = row.c;
        CTempFolder folder;
        folder.Write("a.dat", row.archive);
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
         HeaderAndRecords(0, {{100, "DOSSIER.SHP"}, {200, "END"}})},
        {"0x90 0x01 is 400 entries; the last one is reached",
         {100, 10, 10, FALSE, {1, -1, {9000, 0, 0, 0}, 1 + 400 + 1}},
         [] {
             Records records;
             for (DWORD i = 0; i < 399; ++i)
                 records.push_back({1000 + 10 * i, "OTHER" + std::to_string(i)});
             records.push_back({9000, "DOSSIER.SHP"});
             records.push_back({9100, "END"});
             return HeaderAndRecords(400, records);
         }()},
        {"names in any letter case",
         {100, 100, 100, FALSE, {4, -1, {1000, 2000, 3000, 4000}, 1 + 8}},
         HeaderAndRecords(9, {{1000, "dossier.shp"},
                              {1100, "x"},
                              {2000, "Flags1.Shp"},
                              {2100, "x"},
                              {3000, "startscr.SHP"},
                              {3100, "x"},
                              {4000, "sTrT.sHp"},
                              {4100, "x"},
                              {5000, "never read"}})},
        {"N steps with three matches stop at the step count; STRT.SHP lies past the directory",
         {100, 100, 100, FALSE, {3, -1, {1000, 2000, 3000, 0}, 1 + 5 + 3}},
         HeaderAndRecords(5, {{1000, "DOSSIER.SHP"},
                              {1100, "x"},
                              {2000, "FLAGS1.SHP"},
                              {2100, "x"},
                              {3000, "STARTSCR.SHP"},
                              {3100, "x"},
                              {3200, "y"},
                              {4000, "STRT.SHP"},
                              {4100, "x"}})},
        {"a 13-byte name without NUL names nothing",
         {10, 10, 10, FALSE, {1, -1, {0, 1100, 0, 0}, 1 + 4}},
         HeaderAndRecords(3, {{1000, "DOSSIER.SHPXY"}, {1100, "FLAGS1.SHP\0\0X"s}, {1200, "END"}})},
        {"a target right after a matched record only ends that slot",
         {100, 10, 10, FALSE, {1, -1, {1000, 0, 0, 0}, 1 + 4}},
         HeaderAndRecords(3, {{1000, "DOSSIER.SHP"}, {1100, "FLAGS1.SHP"}, {1200, "END"}})},
        {"the scan stops right after the fourth match",
         {100, 100, 100, FALSE, {4, -1, {3000, 2000, 4000, 1000}, 1 + 9}},
         HeaderAndRecords(200, {{1000, "STRT.SHP"},
                                {1100, "a"},
                                {2000, "FLAGS1.SHP"},
                                {2100, "b"},
                                {2200, "c"},
                                {3000, "DOSSIER.SHP"},
                                {3100, "d"},
                                {4000, "STARTSCR.SHP"},
                                {4100, "e"},
                                {5000, "f"}})},
        {"a later match of the same name replaces the offset",
         {100, 10, 10, FALSE, {2, -1, {2000, 0, 0, 0}, 1 + 6}},
         HeaderAndRecords(5, {{1000, "DOSSIER.SHP"},
                              {1100, "a"},
                              {2000, "dossier.shp"},
                              {2100, "b"},
                              {2200, "END"}})},
        {"a slot error ends the scan, earlier matches kept",
         {100, 100, 100, FALSE, {1, targetFlags, {1000, 0, 0, 0}, 1 + 4}},
         HeaderAndRecords(8, {{1000, "DOSSIER.SHP"},
                              {1100, "a"},
                              {2000, "FLAGS1.SHP"},
                              {2099, "b"},
                              {3000, "STARTSCR.SHP"},
                              {3100, "c"},
                              {3200, "END"}})},
        // Bytes that a short read did not deliver are never taken as data.
        {"a header shorter than 21 bytes ends the scan",
         {10, 10, 10, FALSE, {0, -1, {0, 0, 0, 0}, 1}},
         Bytes(20, 1)},
        {"a short record ends the scan with what was found",
         {100, 10, 10, FALSE, {1, -1, {1000, 0, 0, 0}, 1 + 3}},
         [] {
             Bytes bytes =
                 HeaderAndRecords(6, {{1000, "DOSSIER.SHP"}, {1100, "a"}, {2000, "FLAGS1.SHP"}});
             bytes.pop_back();
             return bytes;
         }()},
        {"an unreadable following record: the flags room is unknown",
         {10, 10, 10, FALSE, {0, targetFlags, {0, 0, 0, 0}, 1 + 2}},
         [] {
             Bytes bytes = HeaderAndRecords(4, {{1000, "FLAGS1.SHP"}, {1100, "x"}});
             bytes.resize(bytes.size() - 5);
             return bytes;
         }()},
        {"an unknown start-screen room is tolerated under the flag",
         {10, 10, 10, TRUE, {1, -1, {0, 0, 1000, 0}, 1 + 2}},
         HeaderAndRecords(4, {{1000, "STARTSCR.SHP"}})},
    });
}

// Each target's room against a block of 200 bytes, the following record at dwFollowing.
TEST(ArchiveScan, SlotAgainstBlockSize) {
    struct Case {
        int nTarget;
        DWORD dwFollowing;
        BOOL bNoStartScr;
        bool bFits;
    };
    const std::vector<Case> cases = {
        {targetDossier, 1200, FALSE, true},
        {targetDossier, 1199, FALSE, false},
        {targetDossier, 1199, TRUE, false},
        {targetFlags, 1199, TRUE, false},
        {targetStartScr, 1199, FALSE, false},
        {targetStartScr, 1199, TRUE, true},
        {targetStrt, 1199, FALSE, false},
        {targetStrt, 1199, TRUE, true},
        // Offsets that fall back: the room would wrap to about 4 GiB.
        {targetDossier, 999, FALSE, false},
        {targetFlags, 0, TRUE, false},
        {targetStrt, 999, TRUE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ArchiveTargetName(c.nTarget)) + " following " +
                     std::to_string(c.dwFollowing) + (c.bNoStartScr ? " flag" : ""));
        CTempFolder folder;
        folder.Write("a.dat", HeaderAndRecords(3, {{1000, ArchiveTargetName(c.nTarget)},
                                                   {c.dwFollowing, "NEXT"},
                                                   {90000, "END"}}));
        CFile file;
        ASSERT_TRUE(file.Open(folder.Path("a.dat").c_str(), CFile::modeReadWrite));
        const ArchiveScanResult r = ScanArchiveDirectory(file, 200, 200, 200, c.bNoStartScr);
        EXPECT_EQ(r.nSlotError, c.bFits ? -1 : c.nTarget);
        EXPECT_EQ(r.nMatches, c.bFits ? 1 : 0);
        EXPECT_EQ(r.entries[c.nTarget].bFound, c.bFits ? TRUE : FALSE);
    }
}

} // namespace
