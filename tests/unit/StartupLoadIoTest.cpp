// The start-up load: which outcome each state of the two files gives, and its file operations:
// the settings file and the catalogue are each opened once, read front to back in blocks without
// a seek, and closed; nothing is written. Without a seek no byte can be read twice, and a
// catalogue whose list ends early is not read to its end.
#include "ArchiveBuilder.h"
#include "CatalogueText.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Settings.h"
#include "catalogue/StartupLoad.h"
#include "framework/CStdioFile.h"
#include "framework/FileFaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace {

using afx_test::FileOp;

struct CFileOps {
    int nOpen = 0, nRead = 0, nClose = 0, nOther = 0;
};

// Loads the settings file and the catalogue as the dialog does before it shows, logging the
// operations on each.
void LoadLogged(const CTempFolder& folder, CFileOps& settings, CFileOps& catalogue,
                std::size_t& nSets) {
    const std::string strSettings = folder.Path(kSettingsFileName);
    afx_test::SetFileOpHook([&](FileOp op, const char* pszPath) {
        CFileOps& ops = strSettings == pszPath ? settings : catalogue;
        (op == FileOp::Open    ? ops.nOpen
         : op == FileOp::Read  ? ops.nRead
         : op == FileOp::Close ? ops.nClose
                               : ops.nOther)++;
        return afx_test::Fault::None;
    });
    const CStartupLoad load = LoadStartupFiles(folder.Prefix().c_str());
    afx_test::SetFileOpHook(nullptr);
    EXPECT_TRUE(load.m_bHasDatPath && !load.m_pszFatal && !load.m_readError);
    nSets = load.m_cat.m_sets.size();
}

// The messages come in the order of the files: the settings file's before anything of the
// catalogue, and the stored path is known whenever the settings file was read.
TEST(StartupLoad, OutcomeOfEachStateOfTheFiles) {
    const std::string strSettings = FormatSettings("D:\\Game\\Panzer2.dat");
    enum class State { Good, Missing, Folder, Held };
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
        {"settings held open", State::Held, State::Good, 1, kSettingsOpenError},
        {"catalogue missing", State::Good, State::Missing, 0, kCatalogueOpenError},
        {"catalogue a folder", State::Good, State::Folder, 0, kCatalogueOpenError},
        {"catalogue held open", State::Good, State::Held, 1, kCatalogueOpenError},
        {"100 sets", State::Good, State::Good, 100, kTooManySetsError},
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
        const CStartupLoad load = LoadStartupFiles(folder.Prefix().c_str());
        EXPECT_STREQ(load.m_pszFatal, c.pszFatal);
        EXPECT_FALSE(load.m_readError);
        const bool bSettingsRead = c.settings == State::Good;
        EXPECT_EQ(load.m_bSettingsRead, bSettingsRead);
        EXPECT_EQ(load.m_strDatPath, bSettingsRead ? "D:\\Game\\Panzer2.dat" : "");
        // Too many sets: the first 99 were read.
        EXPECT_EQ(load.m_cat.m_sets.size(),
                  c.catalogue == State::Good && bSettingsRead ? std::min(c.nSets, kMaxSets) : 0);
    }
}

TEST(StartupLoadIo, EachFileReadOnceInBlocks) {
    constexpr std::size_t kBlock = 4096; // the smallest read a text file may make, but the last
    const std::string strTail = CatalogueText(89, 1000, 1).substr(CatalogueText(0, 0, 1).size());
    std::string noLastLineEnd = CatalogueText(1, 12000, 65536);
    noLastLineEnd.resize(noLastLineEnd.size() - 2);
    struct Case {
        const char* pszName;
        std::string text;
        std::size_t nSets;
        std::size_t nBytesNeeded; // where reading may stop
    };
    std::vector<Case> cases = {
        {"99 sets with long descriptions", CatalogueText(99, 1000, 65536), 99, 0},
        {"one set", CatalogueText(1, 20, 65536), 1, 0},
        {"a last line of 12,000 characters without a line end", noLastLineEnd, 1, 0},
        {"the list ends at an empty line, 89 lines after it",
         CatalogueText(10, 1000, 65536) + "\r\n" + strTail, 10,
         CatalogueText(10, 1000, 65536).size() + 2},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        if (c.nBytesNeeded == 0)
            c.nBytesNeeded = c.text.size();
        CTempFolder folder;
        const std::string strSettings = FormatSettings("C:\\Games\\Panzer2\\Panzer2.dat");
        folder.Write(kSettingsFileName, Bytes(strSettings.begin(), strSettings.end()));
        folder.Write(kCatalogueFileName, Bytes(c.text.begin(), c.text.end()));

        CFileOps settings, catalogue;
        std::size_t nSets = 0;
        LoadLogged(folder, settings, catalogue, nSets);
        EXPECT_EQ(nSets, c.nSets);
        for (const CFileOps* ops : {&settings, &catalogue}) {
            EXPECT_EQ(ops->nOpen, 1);
            EXPECT_EQ(ops->nClose, 1);
            EXPECT_EQ(ops->nOther, 0); // no seek, no length, no write
        }
        EXPECT_LE(settings.nRead, 2);
        // Every read but the last fills a block; one more may find the end of the file.
        const int nBlocks = static_cast<int>((c.nBytesNeeded + kBlock - 1) / kBlock);
        EXPECT_GE(catalogue.nRead, nBlocks);
        EXPECT_LE(catalogue.nRead, nBlocks + 1);
    }
}

} // namespace
