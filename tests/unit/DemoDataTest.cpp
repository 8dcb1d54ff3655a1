// The demo folder must be usable as it stands: the tool reads the archive path back from the
// settings file, and every set of the catalogue installs, in turn, with and without the start
// screen, leaving the archive's length, header and directory as they were.
#include "ArchiveBuilder.h"

#include "archive/Install.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Settings.h"
#include "catalogue/StartupLoad.h"
#include "framework/MessageBoxType.h"
#include "tools/demodata/DemoData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

TEST(DemoData, ArchiveSettingsAndCatalogueFitEachOther) {
    CTempFolder dir;
    const std::string strWinePath = "Z:\\some demo\\Panzer2.dat";
    ASSERT_TRUE(demodata::WriteDemoData(dir.Path("demo"), strWinePath));
    const std::string strFolder = dir.Path("demo/RararIzorevo") + "/";

    // The settings file is byte for byte what the program itself writes for that path.
    ASSERT_TRUE(WriteSettingsFile(dir.Prefix().c_str(), strWinePath.c_str(), nullptr));
    EXPECT_EQ(dir.Read("demo/RararIzorevo/pg2_flags.ini"), dir.Read(kSettingsFileName));
    const CStartupLoad load = LoadStartupFiles(strFolder.c_str(), nullptr);
    ASSERT_TRUE(load.m_pszFatal == nullptr && !load.m_readError);
    EXPECT_EQ(load.m_strDatPath, strWinePath);
    const CCatalogue& cat = load.m_cat;
    ASSERT_GE(cat.m_sets.size(), 3u);
    ASSERT_GT(std::min({cat.m_nFlagsSize, cat.m_nDossierSize, cat.m_nStartSize}), 0);

    const Bytes before = dir.Read("demo/Panzer2.dat");
    ASSERT_GE(before.size(), 21u);
    const std::size_t nDirectoryEnd = 21 + 17 * (before[0] + 256u * before[1]);
    for (BOOL bNoStartScr : {FALSE, TRUE}) {
        for (std::size_t i = 0; i < cat.m_sets.size(); ++i) {
            const CCatalogueSet& set = cat.m_sets[i];
            SCOPED_TRACE(set.m_strDescription + (bNoStartScr ? ", no start screen" : ""));
            InstallRequest request;
            request.strFolder = strFolder.c_str();
            request.nSet = static_cast<int>(i);
            request.strFlagsFile = set.m_strFlagsFile;
            request.strDossierFile = set.m_strDossierFile;
            request.strStartFile = set.m_strStartFile;
            request.strDescription = set.m_strDescription;
            request.nFlagsSize = cat.m_nFlagsSize;
            request.nDossierSize = cat.m_nDossierSize;
            request.nStartSize = cat.m_nStartSize;
            request.readArchivePath = [&dir] {
                return CString(dir.Path("demo/Panzer2.dat").c_str());
            };
            request.bNoStartScr = bNoStartScr;
            std::vector<UINT> types;
            InstallGraphicSet(request,
                              [&types](const CString&, UINT nType) { types.push_back(nType); });
            EXPECT_EQ(types, std::vector<UINT>{afx_mb::kIconInformation | afx_mb::kOk});
            const Bytes after = dir.Read("demo/Panzer2.dat");
            ASSERT_EQ(after.size(), before.size());
            EXPECT_TRUE(std::equal(before.begin(), before.begin() + nDirectoryEnd, after.begin()));
        }
    }

    // The set files differ from one another; one set restores the start screen instead of naming
    // a file.
    int nRestores = 0;
    std::set<Bytes> contents;
    std::size_t nFiles = 0;
    for (const CCatalogueSet& set : cat.m_sets) {
        for (const std::string* pstrName :
             {&set.m_strFlagsFile, &set.m_strDossierFile, &set.m_strStartFile}) {
            if (AfxCompareNoCase(pstrName->c_str(), kRestoreStartName) == 0) {
                ++nRestores;
                continue;
            }
            contents.insert(dir.Read("demo/RararIzorevo/" + *pstrName));
            ++nFiles;
        }
    }
    EXPECT_EQ(nRestores, 1);
    EXPECT_EQ(contents.size(), nFiles);
}

} // namespace
