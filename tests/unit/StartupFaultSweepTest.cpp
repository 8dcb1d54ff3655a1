// Fails, or shortens, the k-th file operation of a settings save and of the start-up loading, for
// every k. A save leaves the old settings file or the new one, whole, and no other file; a
// load ends in an exception or a failed open, or in exactly the clean result; no file stays open.
#include "ArchiveBuilder.h"
#include "FaultInjector.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Settings.h"
#include "framework/CStdioFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
            // Saved means the new file is there; anything else leaves the old one.
            EXPECT_EQ(after, Text(bSaved ? strNew : kOldSettings));
            // Where the copy cannot be made or put in place, the file is rewritten in place;
            // every other fault ends the save.
            const bool bInPlace = injector.HitOp() == afx_test::FileOp::Create ||
                                  injector.HitOp() == afx_test::FileOp::Replace;
            if (injector.Hit() && !bInPlace) {
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

// The start-up loading as the dialog runs it: the settings file, then the catalogue, each
// opened, read and closed.
struct CStartup {
    bool bSettingsOpened = false;
    bool bCatalogueOpened = false;
    CString strPath = "C:\\Games\\Panzer2\\Panzer2.dat";
    CCatalogue cat;
    CatalogueResult result = CatalogueResult::Ok;

    void Load(const CTempFolder& folder) {
        CStdioFile file;
        const std::string strSettings = folder.Path(kSettingsFileName);
        bSettingsOpened = file.Open(strSettings.c_str(), CFile::modeRead | CFile::typeText);
        if (!bSettingsOpened)
            return;
        ReadDatPath(file, strPath);
        file.Close();
        const std::string strCatalogue = folder.Path(kCatalogueFileName);
        bCatalogueOpened = file.Open(strCatalogue.c_str(), CFile::modeRead | CFile::typeText);
        if (!bCatalogueOpened)
            return;
        result = ReadCatalogue(file, cat);
        file.Close();
    }
    bool operator==(const CStartup& o) const {
        if (strPath.str() != o.strPath.str() || result != o.result ||
            cat.m_nFlagsSize != o.cat.m_nFlagsSize || cat.m_nDossierSize != o.cat.m_nDossierSize ||
            cat.m_nStartSize != o.cat.m_nStartSize || cat.m_sets.size() != o.cat.m_sets.size())
            return false;
        for (std::size_t i = 0; i < cat.m_sets.size(); ++i) {
            const CCatalogueSet& a = cat.m_sets[i];
            const CCatalogueSet& b = o.cat.m_sets[i];
            if (a.m_strFlagsFile != b.m_strFlagsFile || a.m_strDossierFile != b.m_strDossierFile ||
                a.m_strStartFile != b.m_strStartFile || a.m_strDescription != b.m_strDescription)
                return false;
        }
        return true;
    }
};

TEST(FaultSweep, StartupLoadingFailsWholeOrNotAtAll) {
    // Long enough that the catalogue takes several reads of the text buffer.
    std::string strCatalogue = "Sets\r\n--\r\n16\r\n20\r\n24\r\nfiles\r\n";
    for (int i = 0; i < 99; ++i)
        strCatalogue += "flag" + std::to_string(i) + ".shp dos.shp 008Startscr.shp Set " +
                        std::string(200, static_cast<char>('a' + i % 26)) + "\r\n";
    CTempFolder folder;
    folder.Write(kSettingsFileName, Text(kOldSettings));
    folder.Write(kCatalogueFileName, Text(strCatalogue));
    CStartup clean;
    const std::size_t nOps = CountOps([&] { clean.Load(folder); });
    ASSERT_TRUE(clean.bCatalogueOpened);
    ASSERT_EQ(clean.cat.m_sets.size(), 99u);
    ASSERT_EQ(clean.strPath.str(), "D:\\keep.dat");

    int nFaults = 0, nRuns = 0;
    for (Fault fault : {Fault::Fail, Fault::Short}) {
        for (std::size_t k = 1; k <= nOps; ++k) {
            SCOPED_TRACE((fault == Fault::Fail ? "fail op " : "shorten op ") + std::to_string(k));
            CStartup run;
            bool bThrew = false;
            CFaultInjector injector(k, fault);
            try {
                run.Load(folder);
            } catch (const CFileException&) {
                bThrew = true;
            }
            nFaults += injector.Hit();
            ++nRuns;
            EXPECT_EQ(injector.OpenFiles(), 0);
            // A failed open is the tool's own error; otherwise the load is the clean one.
            if (!bThrew && run.bSettingsOpened && run.bCatalogueOpened) {
                EXPECT_TRUE(run == clean);
            }
            if (injector.Hit() && fault == Fault::Fail) {
                EXPECT_TRUE(bThrew || !run.bSettingsOpened || !run.bCatalogueOpened);
            }
        }
    }
    EXPECT_GT(nFaults, 0);
    RecordProperty("faults", nFaults);
    RecordProperty("runs", nRuns);
}

} // namespace
