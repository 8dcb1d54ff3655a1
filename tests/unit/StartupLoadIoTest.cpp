// The start-up load: which outcome each state of the two files gives; whatever the state, the
// load only reads the user's files, opening each at most once, and never writes, seeks or
// measures them.
#include "ArchiveBuilder.h"
#include "tests/support/CatalogueText.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Settings.h"
#include "catalogue/StartupLoad.h"
#include "framework/CStdioFile.h"
#include "tests/support/FileOpHook.h"

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
    const std::string strSettings = FormatSettings("D:\\Game\\Panzer2.dat");
    enum class State { Good, Missing, Folder, Held, Unreadable }; // Unreadable: its 2nd read fails
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
        int nOther = 0, nReads = 0; // writes, seeks, lengths, renames, ...; the catalogue's reads
        afx_test::SetFileOpHook([&](FileOp op, const char* pszPath) {
            if (op == FileOp::Open)
                ++opens[pszPath];
            else if (op != FileOp::Read && op != FileOp::Close)
                ++nOther;
            const bool bFail = c.catalogue == State::Unreadable && op == FileOp::Read &&
                               folder.Path(kCatalogueFileName) == pszPath && ++nReads == 2;
            return bFail ? afx_test::Fault::Fail : afx_test::Fault::None;
        });
        const CStartupLoad load = LoadStartupFiles(folder.Prefix().c_str());
        afx_test::SetFileOpHook(nullptr);
        EXPECT_EQ(nOther, 0);
        for (const auto& [strPath, nOpens] : opens)
            EXPECT_EQ(nOpens, 1) << strPath;
        EXPECT_STREQ(load.m_pszFatal, c.pszFatal);
        const bool bSettingsRead = c.settings == State::Good;
        EXPECT_EQ(load.m_bSettingsRead, bSettingsRead);
        EXPECT_EQ(load.m_strDatPath, bSettingsRead ? "D:\\Game\\Panzer2.dat" : "");
        // The dialog is given the sets read before a read error is thrown (of 100 sets, the first
        // 99; of an unreadable catalogue, those of its first read).
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

} // namespace
