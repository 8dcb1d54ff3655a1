// Fails, or shortens, the k-th file operation of a settings save and of the start-up load, for
// every k. A save leaves the old settings file or the new one, whole, and no other file; a load
// ends in exactly one outcome: a fatal message, a read error, or exactly the clean result. No run
// leaves a file open, as the system counts them.
#include "ArchiveBuilder.h"
#include "tests/support/FaultInjector.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Settings.h"
#include "catalogue/StartupLoad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>

namespace {

using afx_test::Fault;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

const std::string kOldSettings =
    "/* PG2-flags.ini\r\npg2-panzer2.dat=D:\\keep.dat\r\n/* end PG2-flags.ini\r\n";
const char kNewPath[] = "E:\\Games\\Panzer2\\Panzer2.dat";

// The count of operations of one clean run, with what that run must leave.
template <typename Run> std::size_t CountOps(Run run) {
    CFaultInjector counter(0, Fault::None);
    run();
    EXPECT_EQ(counter.OpenFiles(), 0);
    return counter.Ops();
}

TEST(FaultSweep, SettingsSaveKeepsOldOrNewFileWhole) {
    CTempFolder folder;
    const std::string strNew = "/* PG2-flags.ini\r\npg2-panzer2.dat=" + std::string(kNewPath) +
                               "\r\n/* end PG2-flags.ini\r\n";
    const std::size_t nOps = CountOps([&] {
        folder.Write(kSettingsFileName, Text(kOldSettings));
        EXPECT_TRUE(WriteSettingsFile(folder.Prefix().c_str(), kNewPath));
    });
    ASSERT_EQ(folder.Read(kSettingsFileName), Text(strNew));
    int nFaults = 0, nRuns = 0;
    for (Fault fault : {Fault::Fail, Fault::Short}) {
        for (std::size_t k = 1; k <= nOps; ++k) {
            SCOPED_TRACE((fault == Fault::Fail ? "fail op " : "shorten op ") + std::to_string(k));
            folder.Write(kSettingsFileName, Text(kOldSettings));
            bool bSaved = false, bThrew = false;
            CFaultInjector injector(k, fault);
            try {
                bSaved = WriteSettingsFile(folder.Prefix().c_str(), kNewPath);
            } catch (const CFileException&) {
                bThrew = true;
            }
            nFaults += injector.Hit();
            ++nRuns;
            EXPECT_EQ(injector.OpenFiles(), 0);
            const Bytes after = folder.Read(kSettingsFileName);
            // Saved means the new file is there; anything else leaves the old one. A fault that
            // changes nothing (a write taken in part is written on) leaves the save to succeed.
            EXPECT_EQ(after, Text(bSaved ? strNew : kOldSettings));
            EXPECT_TRUE(bSaved || injector.Hit());
            // Where the copy cannot be made, the file is rewritten in place, and a replace whose
            // folder did not reach the disk stands; every other fault ends the save.
            const bool bMaySave = injector.HitOp() == afx_test::FileOp::Create ||
                                  injector.HitOp() == afx_test::FileOp::SyncFolder;
            if (injector.Hit() && !bMaySave) {
                EXPECT_TRUE(bThrew || !bSaved);
            }
            // No copy is left behind.
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);
        }
    }
    EXPECT_GT(nFaults, 0);
    RecordProperty("faults", nFaults);
    RecordProperty("runs", nRuns);
}

bool SameSets(const CCatalogue& a, const CCatalogue& b) {
    auto fields = [](const CCatalogueSet& set) {
        return std::tie(set.m_strFlagsFile, set.m_strDossierFile, set.m_strStartFile,
                        set.m_strDescription);
    };
    return a.m_nFlagsSize == b.m_nFlagsSize && a.m_nDossierSize == b.m_nDossierSize &&
           a.m_nStartSize == b.m_nStartSize &&
           std::equal(a.m_sets.begin(), a.m_sets.end(), b.m_sets.begin(), b.m_sets.end(),
                      [&](const CCatalogueSet& x, const CCatalogueSet& y) {
                          return fields(x) == fields(y);
                      });
}

TEST(FaultSweep, StartupLoadEndsInExactlyOneOutcome) {
    // Long enough that the catalogue takes several reads of the text buffer.
    std::string strCatalogue = "Sets\r\n--\r\n16\r\n20\r\n24\r\nfiles\r\n";
    for (int i = 0; i < 99; ++i)
        strCatalogue += "flag" + std::to_string(i) + ".shp dos.shp 008Startscr.shp Set " +
                        std::string(200, static_cast<char>('a' + i % 26)) + "\r\n";
    CTempFolder folder;
    folder.Write(kSettingsFileName, Text(kOldSettings));
    folder.Write(kCatalogueFileName, Text(strCatalogue));
    CStartupLoad clean;
    const std::size_t nOps = CountOps([&] { clean = LoadStartupFiles(folder.Prefix().c_str()); });
    ASSERT_TRUE(clean.m_pszFatal == nullptr && !clean.m_readError);
    ASSERT_EQ(clean.m_cat.m_sets.size(), 99u);
    ASSERT_EQ(clean.m_strDatPath, "D:\\keep.dat");

    int nFaults = 0, nRuns = 0;
    for (Fault fault : {Fault::Fail, Fault::Short}) {
        for (std::size_t k = 1; k <= nOps; ++k) {
            SCOPED_TRACE((fault == Fault::Fail ? "fail op " : "shorten op ") + std::to_string(k));
            CFaultInjector injector(k, fault);
            const CStartupLoad run = LoadStartupFiles(folder.Prefix().c_str());
            nFaults += injector.Hit();
            ++nRuns;
            EXPECT_EQ(injector.OpenFiles(), 0);
            const bool bFatal = run.m_pszFatal != nullptr;
            const bool bReadError = static_cast<bool>(run.m_readError);
            EXPECT_FALSE(bFatal && bReadError);
            // A failure is never taken for a clean load; a shortened read changes nothing.
            EXPECT_EQ(bFatal || bReadError, injector.Hit() && fault == Fault::Fail);
            if (bReadError) {
                try {
                    std::rethrow_exception(run.m_readError);
                } catch (const CFileException&) {
                } catch (...) {
                    ADD_FAILURE() << "not a file exception";
                }
            }
            // Only a failed open is fatal here (too many sets needs a 100th line), and a failed
            // settings file is never followed by its path.
            if (bFatal) {
                EXPECT_EQ(injector.HitOp(), afx_test::FileOp::Open);
                EXPECT_STREQ(run.m_pszFatal,
                             run.m_bSettingsRead ? kCatalogueOpenError : kSettingsOpenError);
            }
            if (run.m_bSettingsRead) {
                EXPECT_EQ(run.m_strDatPath, clean.m_strDatPath);
            }
            if (!bFatal && !bReadError) {
                EXPECT_TRUE(run.m_bSettingsRead && SameSets(run.m_cat, clean.m_cat));
            }
        }
    }
    EXPECT_GT(nFaults, 0);
    RecordProperty("faults", nFaults);
    RecordProperty("runs", nRuns);
}

} // namespace
