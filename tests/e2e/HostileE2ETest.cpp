// Hostile inputs through the real program: archive paths that name no archive, archives too
// short to hold a directory and one with the largest directory there can be, a set file that is a
// folder, and a catalogue of binary bytes. Each ends in a clear message, the program goes on, and
// no archive byte changes unless asked. (A start that ends the program: SettingsE2E.)
#include "harness.h"

#include "res/resource.h"
#include "tests/model/InstallTexts.h"
#include "tools/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

using e2e::CMessageBoxInfo;
using e2e::CProgramRun;
using kvtools::ArchiveEntry;
using kvtools::Bytes;

constexpr int kSize = 16; // every block

using namespace install_text;

std::string Str(const Bytes& b) { return std::string(b.begin(), b.end()); }

// The targets, each followed by a filler that ends its slot, after nFillers other entries.
std::vector<ArchiveEntry> Directory(std::size_t nFillers) {
    std::vector<ArchiveEntry> entries(nFillers, ArchiveEntry{"FILLER.SHP", 0});
    for (const char* pszName : {"DOSSIER.SHP", "FLAGS1.SHP", "STARTSCR.SHP", "STRT.SHP"}) {
        entries.push_back({pszName, kSize});
        entries.push_back({"GAP", 1});
    }
    return entries;
}

class CHostileRun : public CProgramRun {
public:
    bool Prepare() {
        const std::vector<CSet> sets = {{"f.shp", "d.shp", "s.shp", "Hostile set"}};
        if (!WriteSettings(PathOf("Panzer2.dat")) || !WriteCatalogue(kSize, kSize, kSize, sets))
            return false;
        for (const char* pszName : {"f", "d", "s"}) {
            const std::string strName = pszName;
            const std::string strBytes(kSize, static_cast<char>(std::toupper(pszName[0])));
            if (!WriteFile("RararIzorevo\\" + strName + ".shp", strBytes))
                return false;
        }
        return true;
    }
    // Types strPath into the path box, presses Install, reads the answer and dismisses it.
    CMessageBoxInfo InstallFrom(HWND dlg, const std::string& strPath) {
        if (!e2e::SetText(GetDlgItem(dlg, IDC_DATPATH), strPath))
            return {};
        e2e::Click(dlg, IDC_INSTALL);
        CMessageBoxInfo box = WaitAndReadMessageBox();
        if (box.m_h)
            e2e::Dismiss(box.m_h); // a box that stays is a failure of its own
        return box;
    }
};

void ExpectWarning(const CMessageBoxInfo& box, const std::string& strText) {
    ASSERT_TRUE(box.m_h) << "no message box for: " << strText;
    EXPECT_EQ(box.m_strText, strText);
    EXPECT_EQ(box.m_strCaption, "Kestrovane");
    EXPECT_EQ(box.m_buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.m_icon, e2e::EIcon::Exclamation) << e2e::IconName(box.m_icon);
}

TEST(HostileE2E, PathsAndArchivesThatCannotBeUsed) {
    CHostileRun run;
    ASSERT_TRUE(run.Prepare());
    ASSERT_TRUE(run.WriteFile("Folder.dat\\inside.txt", "x"));
    const std::string strGood = Str(kvtools::BuildArchive(Directory(3)));
    struct Case {
        const char* pszWhat;
        std::string strPath;
        std::string strText;
    };
    std::vector<Case> cases = {
        {"a folder", run.PathOf("Folder.dat"), kArchiveNotOpened},
        {"an empty path", "", kArchiveNotOpened},
        {"characters Windows refuses", run.PathOf("bad<name>|?.dat"), kArchiveNotOpened},
    };
    // Archives that must stay as they are, with their bytes.
    std::vector<std::pair<std::string, std::string>> kept;
    for (std::size_t n : {0, 20, 21}) {
        // 21 bytes: a header that claims entries the file does not hold.
        const std::string strName = "short" + std::to_string(n) + ".dat";
        ASSERT_TRUE(run.WriteFile(strName, strGood.substr(0, n)));
        cases.push_back({"a short archive", run.PathOf(strName), kSearchFault});
        kept.push_back({run.PathOf(strName), strGood.substr(0, n)});
    }
    // No copy of the original can be kept where a folder bears its name, and the copy itself is
    // never written to.
    ASSERT_TRUE(run.WriteFile("Guarded.dat", strGood));
    ASSERT_TRUE(run.WriteFile("Guarded.dat.bak\\inside.txt", "x"));
    cases.push_back({"a folder bearing the copy's name", run.PathOf("Guarded.dat"),
                     CopyNotKept(run.PathOf("Guarded.dat.bak"), kFolderHasCopysName)});
    ASSERT_TRUE(run.WriteFile("Panzer2.dat.bak", strGood));
    cases.push_back({"the copy's own name", run.PathOf("Panzer2.dat.bak"), kWriteToCopy});
    for (const char* pszName : {"Guarded.dat", "Panzer2.dat.bak"})
        kept.push_back({run.PathOf(pszName), strGood});
    ASSERT_TRUE(run.WriteFile("Panzer2.dat", strGood));
    ASSERT_TRUE(run.Start());
    HWND dlg = run.WaitMainDialog();
    ASSERT_TRUE(dlg);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pszWhat) + ": " + c.strPath);
        ExpectWarning(run.InstallFrom(dlg, c.strPath), c.strText);
        ASSERT_TRUE(run.IsRunning());
    }
    for (const auto& file : kept) {
        EXPECT_EQ(e2e::ReadWholeFile(file.first), file.second) << file.first;
    }

    // A set file that is a folder is named, and nothing is written.
    ASSERT_TRUE(DeleteFileA(run.ToolPathOf("s.shp").c_str()));
    ASSERT_TRUE(CreateDirectoryA(run.ToolPathOf("s.shp").c_str(), nullptr));
    ExpectWarning(run.InstallFrom(dlg, run.PathOf("Panzer2.dat")), NotOpened("s.shp"));
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf("Panzer2.dat")), strGood);
    ASSERT_TRUE(run.IsRunning());
}

TEST(HostileE2E, LargestDirectoryInstallsAtItsEnd) {
    // 65,535 records, the most the header can count: the targets are the last ones.
    const std::vector<ArchiveEntry> entries = Directory(65535 - 1 - 8);
    const Bytes archive = kvtools::BuildArchive(entries);
    ASSERT_EQ(archive[0] | archive[1] << 8, 65535);
    std::string strExpected = Str(archive);
    const char fill[] = {'D', 'F', 'S'}; // DOSSIER.SHP, FLAGS1.SHP, STARTSCR.SHP
    for (std::size_t t = 0; t < 3; ++t)
        strExpected.replace(kvtools::EntryOffset(entries, entries.size() - 8 + 2 * t), kSize,
                            std::string(kSize, fill[t]));

    CHostileRun run;
    ASSERT_TRUE(run.Prepare());
    ASSERT_TRUE(run.WriteFile("Panzer2.dat", Str(archive)));
    ASSERT_TRUE(run.Start());
    HWND dlg = run.WaitMainDialog();
    ASSERT_TRUE(dlg);
    const CMessageBoxInfo box = run.InstallFrom(dlg, run.PathOf("Panzer2.dat"));
    ASSERT_TRUE(box.m_h);
    EXPECT_EQ(box.m_strText, Done("Hostile set"));
    EXPECT_EQ(box.m_icon, e2e::EIcon::Information) << e2e::IconName(box.m_icon);
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf("Panzer2.dat")), strExpected);
}

TEST(HostileE2E, BinaryCatalogueStartsAndRefusesItsSets) {
    // 40 lines of every byte value but line feed and Ctrl-Z (NULs included) after the six
    // header lines: 40 sets whose names are no files.
    std::string strCatalogue = "Sets\r\n--\r\n16\r\n16\r\n16\r\nfiles\r\n";
    unsigned nSeed = 12345;
    for (int nLine = 0; nLine < 40; ++nLine) {
        for (int i = 0; i < 120; ++i) {
            nSeed = nSeed * 1103515245u + 12345u;
            char ch = static_cast<char>(nSeed >> 16);
            if (ch == '\n' || ch == '\x1A')
                ch = 'z';
            strCatalogue += ch;
        }
        strCatalogue += "\r\n";
    }
    CHostileRun run;
    ASSERT_TRUE(run.Prepare());
    ASSERT_TRUE(run.WriteFile("RararIzorevo\\Desc.txt", strCatalogue));
    const std::string strGood = Str(kvtools::BuildArchive(Directory(3)));
    ASSERT_TRUE(run.WriteFile("Panzer2.dat", strGood));
    ASSERT_TRUE(run.Start());
    HWND dlg = run.WaitMainDialog();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(e2e::ComboCount(GetDlgItem(dlg, IDC_SETS)), 40);
    const CMessageBoxInfo box = run.InstallFrom(dlg, run.PathOf("Panzer2.dat"));
    ASSERT_TRUE(box.m_h);
    EXPECT_EQ(box.m_strText.rfind("ERROR! ", 0), 0u) << box.m_strText;
    EXPECT_EQ(box.m_icon, e2e::EIcon::Exclamation) << e2e::IconName(box.m_icon);
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf("Panzer2.dat")), strGood);
    EXPECT_TRUE(run.IsRunning());
    ASSERT_TRUE(e2e::Press(dlg, IDOK));
    DWORD code = 99;
    ASSERT_TRUE(run.WaitExit(&code));
    EXPECT_EQ(code, 0u);
}

} // namespace
