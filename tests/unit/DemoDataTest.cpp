// The demo folder must be usable as it stands: the tool reads the archive path back from the
// settings file, the scan finds all four entries with room for the catalogue's blocks, and every
// set file the catalogue names exists and fits its block.
#include "ArchiveBuilder.h"

#include "archive/ArchiveScan.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Settings.h"
#include "catalogue/StartupLoad.h"
#include "tools/demodata/DemoData.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(DemoData, ArchiveSettingsAndCatalogueFitEachOther) {
    CTempFolder dir;
    const std::string strWinePath = "Z:\\some demo\\Panzer2.dat";
    ASSERT_TRUE(demodata::WriteDemoData(dir.Path("demo"), strWinePath));
    const std::string strFolder = dir.Path("demo/RararIzorevo") + "/";

    // The settings file is byte for byte what the program itself writes for that path.
    ASSERT_TRUE(WriteSettingsFile(dir.Prefix().c_str(), strWinePath.c_str()));
    EXPECT_EQ(dir.Read("demo/RararIzorevo/pg2_flags.ini"), dir.Read(kSettingsFileName));
    const CStartupLoad load = LoadStartupFiles(strFolder.c_str());
    ASSERT_TRUE(load.m_pszFatal == nullptr && !load.m_readError);
    EXPECT_EQ(load.m_strDatPath, strWinePath);
    const CCatalogue& cat = load.m_cat;
    ASSERT_GT(cat.m_nFlagsSize, 0);
    ASSERT_GT(cat.m_nDossierSize, 0);
    ASSERT_GT(cat.m_nStartSize, 0);
    ASSERT_GE(cat.m_sets.size(), 3u);

    // Scanned with the start screen in play, so that its two rooms are tested as well.
    {
        CFile archive;
        ASSERT_TRUE(archive.Open(dir.Path("demo/Panzer2.dat").c_str(), CFile::modeReadWrite));
        ArchiveScanResult scan = ScanArchiveDirectory(archive, cat.m_nDossierSize, cat.m_nFlagsSize,
                                                      cat.m_nStartSize, FALSE);
        EXPECT_EQ(scan.nSlotError, -1);
        EXPECT_EQ(scan.nMatches, 4);
        for (const ArchiveEntryPos& entry : scan.entries)
            EXPECT_TRUE(entry.bFound);
    }

    // Each set file exists, fits its block and differs from every other one; one set restores
    // the start screen instead of naming a file.
    int nRestores = 0;
    std::set<Bytes> contents;
    std::size_t nFiles = 0;
    for (const CCatalogueSet& set : cat.m_sets) {
        ASSERT_TRUE(set.IsUsable()) << set.m_strDescription;
        EXPECT_FALSE(set.m_strDescription.empty());
        const std::pair<const std::string*, int> files[] = {
            {&set.m_strFlagsFile, cat.m_nFlagsSize},
            {&set.m_strDossierFile, cat.m_nDossierSize},
            {&set.m_strStartFile, cat.m_nStartSize}};
        for (const auto& [pstrName, nSize] : files) {
            if (AfxCompareNoCase(pstrName->c_str(), "008Startscr.shp") == 0) {
                ++nRestores;
                continue;
            }
            const Bytes bytes = dir.Read("demo/RararIzorevo/" + *pstrName);
            EXPECT_GT(bytes.size(), 0u) << *pstrName;
            EXPECT_LE(bytes.size(), static_cast<std::size_t>(nSize)) << *pstrName;
            contents.insert(bytes);
            ++nFiles;
        }
    }
    EXPECT_EQ(nRestores, 1);
    EXPECT_EQ(contents.size(), nFiles);
}

} // namespace
