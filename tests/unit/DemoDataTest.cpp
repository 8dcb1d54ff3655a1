// The demo folder must be usable as it stands: the scan finds all four entries with room for the
// catalogue's blocks, and every set file the catalogue names exists and fits its block.
#include "ArchiveBuilder.h"

#include "archive/ArchiveScan.h"
#include "framework/CStdioFile.h"
#include "tools/demodata/DemoData.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

struct CatalogueLines {
    int nSizes[3] = {-1, -1, -1}; // flags, dossier, start screen
    std::vector<std::vector<std::string>> sets; // the three names of each set line
};

CatalogueLines ReadCatalogue(const std::string& strPath) {
    CatalogueLines cat;
    CStdioFile file;
    EXPECT_TRUE(file.Open(strPath.c_str(), CFile::modeRead));
    CString line;
    for (int nLine = 1; file.ReadString(line) && !line.IsEmpty(); ++nLine) {
        if (nLine >= 3 && nLine <= 5) {
            EXPECT_EQ(std::sscanf(line, "%d", &cat.nSizes[nLine - 3]), 1) << line.str();
        }
        if (nLine < 7)
            continue;
        char sz[3][100] = {};
        EXPECT_EQ(std::sscanf(line, "%99s %99s %99s", sz[0], sz[1], sz[2]), 3) << line.str();
        cat.sets.push_back({sz[0], sz[1], sz[2]});
    }
    return cat;
}

TEST(DemoData, ArchiveAndCatalogueFitEachOther) {
    CTempFolder dir;
    const std::string strWinePath = "Z:\\demo\\Panzer2.dat";
    ASSERT_TRUE(demodata::WriteDemoData(dir.Path("demo"), strWinePath));
    const std::string strFolder = dir.Path("demo/RararIzorevo") + "/";

    const Bytes settings = dir.Read("demo/RararIzorevo/pg2_flags.ini");
    EXPECT_EQ(std::string(settings.begin(), settings.end()),
              "/* PG2-flags.ini\r\npg2-panzer2.dat=" + strWinePath + "\r\n/* end PG2-flags.ini\r\n");

    const CatalogueLines cat = ReadCatalogue(strFolder + "Desc.txt");
    ASSERT_GT(cat.nSizes[0], 0);
    ASSERT_GT(cat.nSizes[1], 0);
    ASSERT_GT(cat.nSizes[2], 0);
    ASSERT_GE(cat.sets.size(), 3u);

    // Scanned with the start screen in play, so its two rooms are tested as well.
    CFile archive;
    ASSERT_TRUE(archive.Open(dir.Path("demo/Panzer2.dat").c_str(), CFile::modeReadWrite));
    ArchiveScanResult scan = ScanArchiveDirectory(archive, cat.nSizes[1], cat.nSizes[0],
                                                  cat.nSizes[2], FALSE);
    EXPECT_EQ(scan.nSlotError, -1);
    EXPECT_EQ(scan.nMatches, 4);
    for (const ArchiveEntryPos& entry : scan.entries)
        EXPECT_TRUE(entry.bFound);

    // Each set file exists, fits its block and differs from every other one.
    int nRestores = 0;
    std::set<Bytes> contents;
    size_t nFiles = 0;
    for (const auto& names : cat.sets) {
        for (int k = 0; k < 3; ++k) {
            if (k == 2 && AfxCompareNoCase(names[k].c_str(), "008Startscr.shp") == 0) {
                ++nRestores;
                continue;
            }
            const std::string strPath = strFolder + names[k];
            ASSERT_TRUE(std::filesystem::exists(strPath)) << names[k];
            const Bytes bytes = dir.Read("demo/RararIzorevo/" + names[k]);
            EXPECT_GT(bytes.size(), 0u) << names[k];
            EXPECT_LE(bytes.size(), static_cast<size_t>(cat.nSizes[k])) << names[k];
            contents.insert(bytes);
            ++nFiles;
        }
    }
    EXPECT_EQ(nRestores, 1);
    EXPECT_EQ(contents.size(), nFiles);
}

} // namespace
