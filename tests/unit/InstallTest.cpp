#include "ArchiveBuilder.h"
#include "archive/Install.h"
#include "framework/CFile.h"
#include "tests/support/FileOpHook.h"
#include "tests/model/InstallTexts.h"
#include "framework/MessageBoxType.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <sys/resource.h>

namespace {

constexpr UINT kWarning = afx_mb::kIconExclamation | afx_mb::kOk;
constexpr UINT kSuccess = afx_mb::kIconInformation | afx_mb::kOk;

using namespace install_text;
using kvtools::kStandardDossier;
using kvtools::kStandardFlags;
using kvtools::kStandardStart;
using kvtools::kStandardStrt;
const std::string kDoneAll = Done("Desert camo");
const std::string kDoneNoStart = DoneWithoutStart("Desert camo");

long PeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
long g_nPeakKiBAtMessage = 0; // the most memory the process held by the last message

Bytes Pattern(std::size_t nSize, unsigned char first) {
    Bytes bytes(nSize);
    for (std::size_t i = 0; i < nSize; ++i)
        bytes[i] = static_cast<unsigned char>(first + i);
    return bytes;
}

// A set, a standard archive and the messages of one install. Block sizes: flags 16, dossier
// 20, start 24; the flags file is shorter than its block, the other two fill theirs exactly.
class CInstallSetup {
public:
    CInstallSetup() {
        m_request.strFolder = m_folder.Prefix().c_str();
        m_request.nSet = 2;
        m_request.strFlagsFile = "flag1.shp";
        m_request.strDossierFile = "dos1.shp";
        m_request.strStartFile = "start1.shp";
        m_request.strDescription = "Desert camo";
        m_request.nFlagsSize = 16;
        m_request.nDossierSize = 20;
        m_request.nStartSize = 24;
        m_request.readArchivePath = [this] {
            ++m_nPathReads;
            return m_strArchive;
        };
        m_folder.Write("flag1.shp", Pattern(10, 0xF1));
        m_folder.Write("dos1.shp", Pattern(20, 0x31));
        m_folder.Write("start1.shp", Pattern(24, 0x61));
    }

    void WriteArchive(const Bytes& archive) {
        m_archive = archive;
        m_folder.Write("game.dat", archive);
    }
    void WriteArchive() { WriteArchive(BuildArchive(m_entries)); }

    // Runs one install; CFileExceptions are left to the caller.
    void Run() {
        m_messages.clear();
        InstallGraphicSet(m_request, [this](const CString& strText, UINT nType) {
            m_messages.push_back({strText.str(), nType});
            g_nPeakKiBAtMessage = PeakKiB();
            if (m_bProbeHold) {
                CFile other;
                m_heldDuringMessage.push_back(!other.Open(m_strArchive, CFile::modeRead));
            }
        });
    }

    // The data offset of the last entry called pszName, the one that the scan keeps.
    std::uint32_t Offset(const char* pszName) const {
        std::size_t nFound = m_entries.size();
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].strName == pszName)
                nFound = i;
        EXPECT_LT(nFound, m_entries.size()) << pszName;
        return EntryOffset(m_entries, nFound);
    }
    // The archive with block, zero-filled to nSize, over the data of the entry called pszName.
    Bytes With(Bytes archive, const char* pszName, Bytes block, int nSize) const {
        block.resize(static_cast<std::size_t>(nSize), 0);
        std::copy(block.begin(), block.end(), archive.begin() + Offset(pszName));
        return archive;
    }
    Bytes WithDossierAndFlags() const {
        return With(
            With(m_archive, "DOSSIER.SHP", m_folder.Read("dos1.shp"), m_request.nDossierSize),
            "FLAGS1.SHP", m_folder.Read("flag1.shp"), m_request.nFlagsSize);
    }
    Bytes WithAll() const {
        return With(WithDossierAndFlags(), "STARTSCR.SHP", m_folder.Read("start1.shp"),
                    m_request.nStartSize);
    }
    // STRT.SHP's first start-block bytes over STARTSCR.SHP.
    Bytes WithRestore() const {
        const auto strt = m_archive.begin() + Offset("STRT.SHP");
        return With(WithDossierAndFlags(), "STARTSCR.SHP", Bytes(strt, strt + m_request.nStartSize),
                    m_request.nStartSize);
    }

    CTempFolder m_folder;
    std::vector<ArchiveEntry> m_entries = kvtools::StandardEntries();
    InstallRequest m_request;
    CString m_strArchive = m_folder.Path("game.dat").c_str();
    int m_nPathReads = 0;
    Bytes m_archive;
    std::vector<std::pair<std::string, UINT>> m_messages;
    bool m_bProbeHold = true;
    std::vector<bool> m_heldDuringMessage;
};

// Only the two successes carry the information icon.
struct InstallCase {
    const char* pszName;
    std::function<void(CInstallSetup&)> arrange; // may write the archive itself
    std::string strText;
    std::function<Bytes(const CInstallSetup&)> expected;
};

Bytes Unchanged(const CInstallSetup& b) { return b.m_archive; }
Bytes DossierAndFlags(const CInstallSetup& b) { return b.WithDossierAndFlags(); }
Bytes All(const CInstallSetup& b) { return b.WithAll(); }
Bytes Restore(const CInstallSetup& b) { return b.WithRestore(); }

void RunCases(const std::vector<InstallCase>& cases) {
    for (const InstallCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        CInstallSetup b;
        c.arrange(b);
        if (b.m_archive.empty())
            b.WriteArchive();
        b.Run();
        ASSERT_EQ(b.m_messages.size(), 1u);
        EXPECT_EQ(b.m_messages[0].first, c.strText);
        EXPECT_EQ(b.m_messages[0].second,
                  c.strText.rfind("Congratulations", 0) == 0 ? kSuccess : kWarning);
        EXPECT_EQ(b.m_folder.Read("game.dat"), c.expected(b));
        // Whenever the archive was opened, nobody else can open it while the message is up.
        if (c.strText.rfind("ERROR!", 0) != 0) {
            EXPECT_TRUE(b.m_heldDuringMessage[0]);
        }
        CFile after; // and it is closed once the message is gone
        EXPECT_TRUE(after.Open(b.m_folder.Path("game.dat").c_str(), CFile::modeRead));
    }
}

void Rename(CInstallSetup& b, std::size_t i, const char* pszName) {
    b.m_entries[i].strName = pszName;
}

// What an install says and writes when a set file or an entry does not fit, or an entry is
// missing. (The fault sweep's clean runs install a whole set, one without the start screen and one
// restored from STRT.SHP, and judge each by the rules.)
TEST(Install, OutcomesAndArchiveBytes) {
    RunCases({
        {"dossier file one byte over its block",
         [](CInstallSetup& b) { b.m_folder.Write("dos1.shp", Pattern(21, 1)); },
         TooLong("dos1.shp", 20), Unchanged},
        {"start file one byte over its block, even with no start screen",
         [](CInstallSetup& b) {
             b.m_request.bNoStartScr = TRUE;
             b.m_folder.Write("start1.shp", Pattern(25, 1));
         },
         TooLong("start1.shp", 24), Unchanged},
        {"a dossier file that is there, its path over 260 characters",
         [](CInstallSetup& b) {
             b.m_folder.Write(std::string(245, 'd'), Pattern(20, 1));
             b.m_request.strDossierFile = std::string(245, 'd').c_str();
         },
         PathTooLong(std::string(245, 'd')), Unchanged},
        {"flags slot one byte small",
         [](CInstallSetup& b) { b.m_entries[kStandardFlags].dwRoom = 15; }, kFlagsSlot, Unchanged},
        {"only two entries found",
         [](CInstallSetup& b) {
             Rename(b, kStandardStart, "X1");
             Rename(b, kStandardStrt, "X2");
         },
         kSearchFault, Unchanged},
        {"three matches without FLAGS1.SHP",
         [](CInstallSetup& b) { Rename(b, kStandardFlags, "DOSSIER.SHP"); }, kSearchFault,
         Unchanged},
        {"four matches without DOSSIER.SHP",
         [](CInstallSetup& b) { Rename(b, kStandardDossier, "STRT.SHP"); }, kSearchFault,
         Unchanged},
        {"no STRT.SHP: dossier and flags written, then the warning",
         [](CInstallSetup& b) { Rename(b, kStandardStrt, "X2"); }, kStrtAbsent, DossierAndFlags},
        {"no STRT.SHP with no start screen is a success",
         [](CInstallSetup& b) {
             Rename(b, kStandardStrt, "X2");
             b.m_request.bNoStartScr = TRUE;
         },
         kDoneNoStart, DossierAndFlags},
        {"four matches without STARTSCR.SHP",
         [](CInstallSetup& b) { Rename(b, kStandardStart, "STRT.SHP"); }, kStrtAbsent,
         DossierAndFlags},
        {"restore with four matches but no STRT.SHP",
         [](CInstallSetup& b) {
             Rename(b, kStandardStrt, "STARTSCR.SHP");
             b.m_request.strStartFile = "008Startscr.shp";
         },
         kStrtAbsent, DossierAndFlags},
        // The later STARTSCR.SHP record wins.
        {"a set file is installed without STRT.SHP when four matches were counted",
         [](CInstallSetup& b) { Rename(b, kStandardStrt, "STARTSCR.SHP"); }, kDoneAll, All},
    });
}

// A directory that claims more than the file holds: target i's record goes last and the file
// ends nKeep bytes into its data, inside the slot its record gives it.
std::function<void(CInstallSetup&)> CutAfter(std::size_t i, std::size_t nKeep,
                                             const char* pszStartFile = "start1.shp") {
    return [=](CInstallSetup& b) {
        const ArchiveEntry last = b.m_entries[i];
        b.m_entries.erase(b.m_entries.begin() + static_cast<long>(i));
        b.m_entries.push_back(last);
        Bytes archive = BuildArchive(b.m_entries);
        archive.resize(EntryOffset(b.m_entries, b.m_entries.size() - 1) + nKeep);
        b.WriteArchive(archive);
        b.m_request.strStartFile = pszStartFile;
    };
}

// A record whose data offset points into the directory itself; the following record still gives
// a slot that is large enough.
std::function<void(CInstallSetup&)> OffsetInto(std::size_t i, std::uint32_t dwOffset) {
    return [=](CInstallSetup& b) {
        Bytes archive = BuildArchive(b.m_entries);
        kvtools::set32(archive, kArchiveHeaderSize + kArchiveRecordSize * i, dwOffset);
        b.WriteArchive(archive);
    };
}

// Nothing is written, or read for the restore, outside the data: not past the end of the archive,
// not over the directory.
TEST(Install, BlocksStayInTheDataArea) {
    RunCases({
        {"STARTSCR.SHP past the end", CutAfter(kStandardStart, 23), kStartSlot, Unchanged},
        {"STRT.SHP past the end but not read", CutAfter(kStandardStrt, 0), kDoneAll, All},
        {"STRT.SHP data short for the restore", CutAfter(kStandardStrt, 23, "008Startscr.shp"),
         kStartSlot, Unchanged},
        {"STRT.SHP data just long enough for the restore",
         CutAfter(kStandardStrt, 24, "008Startscr.shp"), kDoneAll, Restore},
        {"FLAGS1.SHP data in the directory", OffsetInto(kStandardFlags, kArchiveHeaderSize + 17),
         kFlagsSlot, Unchanged},
        {"STARTSCR.SHP data where the directory begins",
         OffsetInto(kStandardStart, kArchiveHeaderSize), kStartSlot, Unchanged},
    });
}

// An archive of the records given, 700 bytes long. Block sizes stay dossier 20, flags 16,
// start 24.
using Recs = kvtools::ArchiveRecords;
std::function<void(CInstallSetup&)> Directory(Recs records, unsigned nCount = 0,
                                              const char* pszStartFile = "start1.shp",
                                              BOOL bNoStartScr = FALSE) {
    return [=](CInstallSetup& b) {
        b.WriteArchive(kvtools::BuildDirectory(records, nCount, 700));
        b.m_request.strStartFile = pszStartFile;
        b.m_request.bNoStartScr = bNoStartScr;
    };
}
using kvtools::PairsInOrder;
using kvtools::TargetRecords;

// The archive as it was, with each set file's bytes, zero-filled to its block size, put at its
// offset.
struct Put {
    std::uint32_t dwAt;
    const char* pszFile;
    int nSize;
};
std::function<Bytes(const CInstallSetup&)> Writes(std::vector<Put> puts) {
    return [=](const CInstallSetup& b) {
        Bytes archive = b.m_archive;
        for (const Put& p : puts) {
            Bytes block = b.m_folder.Read(p.pszFile);
            block.resize(static_cast<std::size_t>(p.nSize), 0);
            std::copy(block.begin(), block.end(), archive.begin() + p.dwAt);
        }
        return archive;
    };
}

// Every range an install writes, or reads for the restore, is judged against the whole
// directory: no block lands on another entry's data, on the restore's source, or on another
// block. Directories whose entries do not overlap install as ever.
TEST(Install, DirectoriesWhoseEntriesOverlap) {
    const auto sound =
        Writes({{400, "dos1.shp", 20}, {450, "flag1.shp", 16}, {500, "start1.shp", 24}});
    RunCases({
        {"FLAGS1.SHP's data inside the dossier block", Directory(TargetRecords(400, 410, 500, 600)),
         kDossierSlot, Unchanged},
        {"another entry shares the dossier's first byte and has data",
         Directory(TargetRecords(400, 450, 500, 600, {{400, "X"}, {430, "E"}})), kDossierSlot,
         Unchanged},
        {"the restore's source overlaps the flags block",
         Directory(TargetRecords(400, 450, 500, 440), 0, "008Startscr.shp"), kStartSlot, Unchanged},
        {"STARTSCR.SHP and STRT.SHP share their data", Directory(TargetRecords(400, 450, 500, 500)),
         kStartSlot, Unchanged},
        {"the last record's room read from the data runs over the next entry",
         Directory(
             [] {
                 Recs records = PairsInOrder(TargetRecords(400, 450, 500, 600), {1, 2, 3});
                 records.insert(records.end(), {{410, "X"}, {400, "DOSSIER.SHP"}, {0xFFFFFF, ""}});
                 return records;
             }(),
             8),
         kDossierSlot, Unchanged},
        // Sound directories.
        {"entries out of data order",
         Directory(PairsInOrder(TargetRecords(400, 450, 500, 600), {3, 2, 1, 0})), kDoneAll, sound},
        {"an empty entry shares the dossier's first byte", Directory([] {
             Recs records = TargetRecords(400, 450, 500, 600);
             records.insert(records.begin(), {400, "X"});
             return records;
         }()),
         kDoneAll, sound},
        {"another entry starts where the dossier block ends",
         Directory(TargetRecords(400, 450, 500, 600, {{420, "X"}, {700, "E"}})), kDoneAll, sound},
        {"shared start-screen data does not matter with no start screen",
         Directory(TargetRecords(400, 450, 500, 500), 0, "start1.shp", TRUE), kDoneNoStart,
         Writes({{400, "dos1.shp", 20}, {450, "flag1.shp", 16}})},
    });
}

// Catalogue sizes near 2^31 with small set files: the install holds the files' bytes, not
// blocks of those sizes, and a block larger than its slot ends in the slot's message. The restore
// of a start screen of 10^8 bytes (a sparse archive, and a copy of it kept already) copies it in
// pieces.
TEST(Install, MemoryFollowsTheData) {
    constexpr std::uint32_t kBig = 100000000, kSparse = 1000 + 2 * kBig + 30;
    const long nBefore = PeakKiB();
    RunCases({
        {"a block larger than its slot",
         [](CInstallSetup& b) {
             b.m_request.nFlagsSize = b.m_request.nDossierSize = b.m_request.nStartSize =
                 2147483647;
         },
         kDossierSlot, Unchanged},
        {"the restore of a start screen of 10^8 bytes",
         [](CInstallSetup& b) {
             Directory({{400, "DOSSIER.SHP"},
                        {430, "a"},
                        {450, "FLAGS1.SHP"},
                        {480, "b"},
                        {1000, "STARTSCR.SHP"},
                        {1000 + kBig, "c"},
                        {1000 + kBig, "STRT.SHP"},
                        {1000 + 2 * kBig, "d"}},
                       0, "008Startscr.shp")(b);
             b.m_request.nStartSize = static_cast<int>(kBig);
             std::filesystem::resize_file(b.m_folder.Path("game.dat"), kSparse);
             b.m_folder.Write("game.dat.bak", {});
         },
         kDoneAll,
         [](const CInstallSetup& b) {
             Bytes archive = Writes({{400, "dos1.shp", 20}, {450, "flag1.shp", 16}})(b);
             archive.resize(kSparse, 0); // STRT.SHP's zeros over STARTSCR.SHP's
             return archive;
         }},
    });
    // Measured at the last message, before the test reads the archive back.
    EXPECT_LT(g_nPeakKiBAtMessage - nBefore, 64 * 1024);
}

TEST(Install, RequestsRefusedBeforeAnyFile) {
    struct Case {
        const char* pszName;
        std::function<void(InstallRequest&)> change;
        std::string strText;
    };
    const std::vector<Case> cases = {
        {"nothing listed", [](InstallRequest& r) { r.nSet = -1; }, kNoneListed},
        {"nothing selected from a list",
         [](InstallRequest& r) {
             r.nSet = -1;
             r.nListed = 3;
         },
         kChooseOne},
        {"a row without a start-screen name", [](InstallRequest& r) { r.strStartFile = ""; },
         Unusable("Desert camo", 9)},
        // Taken as unsigned, -1 would ask for 4 GiB per block.
        {"negative flags size", [](InstallRequest& r) { r.nFlagsSize = -1; },
         NegativeSize("flags", -1)},
        {"negative dossier size", [](InstallRequest& r) { r.nDossierSize = -5; },
         NegativeSize("dossier", -5)},
        {"negative start size, even with no start screen",
         [](InstallRequest& r) {
             r.nStartSize = -2147483647 - 1;
             r.bNoStartScr = TRUE;
         },
         NegativeSize("start screen", -2147483647 - 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        CInstallSetup b;
        b.WriteArchive();
        c.change(b.m_request);
        int nOps = 0;
        afx_test::SetFileOpHook([&nOps](afx_test::FileOp, const char*) {
            ++nOps;
            return afx_test::Fault::None;
        });
        b.m_bProbeHold = false;
        b.Run();
        afx_test::SetFileOpHook(nullptr);
        ASSERT_EQ(b.m_messages.size(), 1u);
        EXPECT_EQ(b.m_messages[0].first, c.strText);
        EXPECT_EQ(b.m_messages[0].second, kWarning);
        EXPECT_EQ(nOps, 0);
        EXPECT_EQ(b.m_nPathReads, 0);
        EXPECT_EQ(b.m_folder.Read("game.dat"), b.m_archive);
    }
}

TEST(Install, FilesHeldByAnotherProgram) {
    for (const char* pszHeld : {"game.dat", "dos1.shp"}) {
        SCOPED_TRACE(pszHeld);
        CInstallSetup b;
        b.WriteArchive();
        CFile other;
        ASSERT_TRUE(other.Open(b.m_folder.Path(pszHeld).c_str(), CFile::modeRead));
        b.Run();
        ASSERT_EQ(b.m_messages.size(), 1u);
        EXPECT_EQ(b.m_messages[0].first,
                  std::string(pszHeld) == "game.dat" ? kArchiveNotOpened : NotOpened("dos1.shp"));
        // The path is read only by a run that got past the set files.
        EXPECT_EQ(b.m_nPathReads, std::string(pszHeld) == "game.dat" ? 1 : 0);
        EXPECT_EQ(b.m_folder.Read("game.dat"), b.m_archive);
    }
}

// The first install keeps the archive as it was beside it, as game.dat.bak, and nothing ever
// changes that copy again; where something other than a file bears that name, or the name would
// be too long, nothing is written. (The fault sweep judges the copy a first install makes, and that
// a run that writes nothing makes none.)
TEST(Install, KeepsTheOriginal) {
    struct Case {
        const char* pszName;
        std::function<void(CInstallSetup&)> arrange; // may leave a game.dat.bak of its own
        std::string strRefusal = ""; // a part of the refusal; empty: the install goes through
    };
    const auto names = [](const CInstallSetup& b) {
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(b.m_folder.Path("")))
            found.insert(entry.path().filename().string());
        return found;
    };
    const std::vector<Case> cases = {
        {"an empty game.dat.bak", [](CInstallSetup& b) { b.m_folder.Write("game.dat.bak", {}); }},
        {"an archive the copy takes in several pieces",
         [](CInstallSetup& b) {
             b.m_entries.push_back({"BIG", 150000});
         }},
        {"what is left of a copy cut short",
         [](CInstallSetup& b) { b.m_folder.Write("game.dat.ba~", Pattern(7, 0x70)); }},
        {"a folder called game.dat.bak",
         [](CInstallSetup& b) {
             std::filesystem::create_directory(b.m_folder.Path("game.dat.bak"));
         },
         std::string("game.dat.bak. ") + kFolderHasCopysName},
        {"a device called game.dat.bak",
         [](CInstallSetup& b) {
             std::filesystem::create_symlink("/dev/null", b.m_folder.Path("game.dat.bak"));
         },
         "game.dat.bak. Something that is not a file"},
        {"the path leads to the copy through a link",
         [](CInstallSetup& b) {
             b.m_folder.Write("game.dat.bak", BuildArchive(b.m_entries));
             std::filesystem::create_symlink("game.dat.bak", b.m_folder.Path("link.dat"));
             b.m_strArchive = b.m_folder.Path("link.dat").c_str();
         },
         kWriteToCopy},
        {"a game.dat.bak that is the archive under another name",
         [](CInstallSetup& b) {
             std::filesystem::create_symlink("game.dat", b.m_folder.Path("game.dat.bak"));
         },
         "game.dat.bak. That name leads to Panzer2.dat itself"},
        {"a game.dat.ba~ that links to a file of the user's",
         [](CInstallSetup& b) {
             b.m_folder.Write("victim.txt", Pattern(5, 0x76));
             std::filesystem::create_symlink("victim.txt", b.m_folder.Path("game.dat.ba~"));
         },
         "game.dat.ba~, under which the copy is made first, is a link"},
        {"a game.dat.ba~ that links to nothing",
         [](CInstallSetup& b) {
             std::filesystem::create_symlink("missing.txt", b.m_folder.Path("game.dat.ba~"));
         },
         "game.dat.ba~, under which the copy is made first, is taken"},
        {"a folder called game.dat.ba~",
         [](CInstallSetup& b) {
             std::filesystem::create_directory(b.m_folder.Path("game.dat.ba~"));
         },
         "game.dat.ba~, under which the copy is made first: move"},
        {"a path too long for the copy",
         [](CInstallSetup& b) {
             std::string strPath = b.m_folder.Path("g");
             strPath += std::string(256 - strPath.size() - 4, 'g') + ".dat";
             b.m_folder.Write(strPath.substr(strPath.rfind('/') + 1), BuildArchive(b.m_entries));
             b.m_strArchive = strPath.c_str();
         },
         "its path is too long"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        CInstallSetup b;
        c.arrange(b);
        b.WriteArchive();
        const bool bBakBefore = std::filesystem::is_regular_file(b.m_folder.Path("game.dat.bak"));
        const Bytes bakBefore = bBakBefore ? b.m_folder.Read("game.dat.bak") : Bytes();
        // A copy is made by an install that goes through where none was; a copy cut short goes.
        const bool bCopyMade = c.strRefusal.empty() && !bBakBefore;
        std::set<std::string> expected = names(b);
        const Bytes victim = b.m_folder.Read("victim.txt");
        if (bCopyMade)
            expected.insert("game.dat.bak");
        if (c.strRefusal.empty())
            expected.erase("game.dat.ba~");
        b.Run();
        ASSERT_EQ(b.m_messages.size(), 1u);
        if (c.strRefusal.empty()) {
            EXPECT_EQ(b.m_messages[0], std::make_pair(kDoneAll, kSuccess));
        } else {
            EXPECT_NE(b.m_messages[0].first.find(c.strRefusal), std::string::npos)
                << b.m_messages[0].first;
            EXPECT_EQ(b.m_messages[0].second, kWarning);
            EXPECT_EQ(b.m_folder.Read("game.dat"), b.m_archive);
        }
        EXPECT_EQ(names(b), expected);
        EXPECT_EQ(b.m_folder.Read("victim.txt"), victim);
        if (bCopyMade || bBakBefore) {
            EXPECT_EQ(b.m_folder.Read("game.dat.bak"), bCopyMade ? b.m_archive : bakBefore);
        }
    }
}

} // namespace
