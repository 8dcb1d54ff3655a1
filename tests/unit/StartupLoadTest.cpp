// The start-up load: which outcome each state of the two files gives; whatever the state, the
// load only reads the user's files, opening each at most once, and never writes, seeks or
// measures them.
#include "ArchiveBuilder.h"
#include "tests/support/CatalogueText.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Settings.h"
#include "catalogue/StartupLoad.h"
#include "framework/CStdioFile.h"
#include "tests/support/FaultInjector.h"
#include "tools/SettingsBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using afx_test::FileOp;

// The messages come in the order of the files: the settings file's before anything of the
// catalogue, and the stored path is known whenever the settings file was read.
TEST(StartupLoad, OutcomeOfEachStateOfTheFiles) {
    const std::string strSettings = FormatSettings("D:\\Game\\Panzer2.dat", nullptr);
    enum class State { Good, Missing, Folder, Held, Unreadable }; // Unreadable: its 3rd read fails
    struct Case {
        const char* pszWhat;
        State settings;
        State catalogue;
        int nSets;
        const char* pszFatal;
    };
    const Case cases[] = {
        {"both good", State::Good, State::Good, 99, nullptr},
        {"no sets", State::Good, State::Good, 0, nullptr},
        {"settings missing", State::Missing, State::Missing, 0, kSettingsOpenError},
        {"settings a folder", State::Folder, State::Good, 1, kSettingsOpenError},
        {"catalogue missing", State::Good, State::Missing, 0, kCatalogueOpenError},
        {"catalogue held open", State::Good, State::Held, 1, kCatalogueOpenError},
        {"100 sets", State::Good, State::Good, 100, kTooManySetsError},
        {"catalogue unreadable after its first sets", State::Good, State::Unreadable, 99, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CTempFolder folder;
        CFile held;
        for (auto [state, pszName, text] :
             {std::make_tuple(c.settings, kSettingsFileName, strSettings),
              std::make_tuple(c.catalogue, kCatalogueFileName, CatalogueText(c.nSets, 10, 64))}) {
            if (state == State::Folder)
                std::filesystem::create_directory(folder.Path(pszName));
            else if (state != State::Missing)
                folder.Write(pszName, Bytes(text.begin(), text.end()));
            if (state == State::Held) {
                ASSERT_TRUE(held.Open(folder.Path(pszName).c_str(), CFile::modeRead));
            }
        }
        std::map<std::string, int> opens;
        // Writes, lengths, renames, ... (a seek back past a file's first bytes is a read's); the
        // catalogue's reads.
        int nOther = 0, nReads = 0;
        afx_test::SetFileOpHook([&](FileOp op, const char* pszPath) {
            if (op == FileOp::Open)
                ++opens[pszPath];
            else if (op != FileOp::Read && op != FileOp::Seek && op != FileOp::Close)
                ++nOther;
            const bool bFail = c.catalogue == State::Unreadable && op == FileOp::Read &&
                               folder.Path(kCatalogueFileName) == pszPath && ++nReads == 3;
            return bFail ? afx_test::Fault::Fail : afx_test::Fault::None;
        });
        const CStartupLoad load = LoadStartupFiles(folder.Prefix().c_str(), nullptr);
        afx_test::SetFileOpHook(nullptr);
        EXPECT_EQ(nOther, 0);
        for (const auto& [strPath, nOpens] : opens)
            EXPECT_EQ(nOpens, 1) << strPath;
        EXPECT_STREQ(load.m_pszFatal, c.pszFatal);
        const bool bSettingsRead = c.settings == State::Good;
        EXPECT_EQ(load.m_bSettingsRead, bSettingsRead);
        EXPECT_EQ(load.m_strDatPath, bSettingsRead ? "D:\\Game\\Panzer2.dat" : "");
        // The dialog is given the sets read before a read error is thrown (of 100 sets, the first
        // 99; of an unreadable catalogue, those of its first block).
        std::size_t nShown = 0;
        const auto show = [&](const CCatalogue& cat) { nShown = cat.m_sets.size(); };
        if (c.catalogue == State::Unreadable) {
            EXPECT_THROW(ShowCatalogueRead(load, show), CFileException);
            EXPECT_TRUE(nShown > 0 && nShown < 99u) << nShown;
        } else {
            ShowCatalogueRead(load, show);
            EXPECT_EQ(nShown, c.catalogue == State::Good && bSettingsRead
                                  ? std::min(c.nSets, kMaxSets)
                                  : 0);
        }
    }
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

// Fails, or shortens, the k-th file operation of the load, for every k: it ends in exactly one
// outcome, a fatal message, a read error, or exactly the clean result, and leaves no file open.
TEST(StartupLoad, FaultSweepEndsInExactlyOneOutcome) {
    using afx_test::Fault;
    // Long enough that the catalogue takes several reads of the text buffer.
    std::string strCatalogue = "Sets\r\n--\r\n16\r\n20\r\n24\r\nfiles\r\n";
    for (int i = 0; i < 99; ++i)
        strCatalogue += "flag" + std::to_string(i) + ".shp dos.shp 008Startscr.shp Set " +
                        std::string(200, static_cast<char>('a' + i % 26)) + "\r\n";
    CTempFolder folder;
    const std::string strSettings = kvtools::settingsFileBytes("D:\\keep.dat");
    folder.Write(kSettingsFileName, Bytes(strSettings.begin(), strSettings.end()));
    folder.Write(kCatalogueFileName, Bytes(strCatalogue.begin(), strCatalogue.end()));
    CStartupLoad clean;
    std::size_t nOps = 0;
    {
        CFaultInjector counter(0, Fault::None);
        clean = LoadStartupFiles(folder.Prefix().c_str(), nullptr);
        EXPECT_EQ(counter.OpenFiles(), 0);
        nOps = counter.Ops();
    }
    ASSERT_TRUE(clean.m_pszFatal == nullptr && !clean.m_readError);
    ASSERT_EQ(clean.m_cat.m_sets.size(), 99u);
    ASSERT_EQ(clean.m_strDatPath, "D:\\keep.dat");

    int nFaults = 0, nRuns = 0;
    for (Fault fault : {Fault::Fail, Fault::Short}) {
        for (std::size_t k = 1; k <= nOps; ++k) {
            SCOPED_TRACE((fault == Fault::Fail ? "fail op " : "shorten op ") + std::to_string(k));
            CFaultInjector injector(k, fault);
            const CStartupLoad run = LoadStartupFiles(folder.Prefix().c_str(), nullptr);
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
