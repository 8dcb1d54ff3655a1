// Hostile inputs through the real program: a folder where the copy of the archive goes, the
// largest directory there can be, and a catalogue of binary bytes. Each ends in a clear message,
// the program goes on, and no archive byte changes unless asked. (Other paths that name no
// archive, short archives and a set file that is a folder: the file contract, run on Win32 in
// this program too, and the install's unit tests. A start that ends the program: SettingsE2E.)
#include "harness.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Settings.h"
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

constexpr int kSize = 16; // every block, as the minimal layout has it

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
    using CProgramRun::CProgramRun;
    // The minimal layout's set, its files filling their blocks.
    bool Prepare() {
        if (!WriteMinimalLayout())
            return false;
        for (const char* pszName : {"f", "d", "s"}) {
            const std::string strName = pszName;
            const std::string strBytes(kSize, static_cast<char>(std::toupper(pszName[0])));
            if (!WriteFile("RararIzorevo\\" + strName + ".shp", strBytes))
                return false;
        }
        return true;
    }
    // Types strPath into the path box, presses Install and answers the message box.
    bool InstallFrom(HWND dlg, const std::string& strPath, const std::string& strText,
                     e2e::EIcon icon) {
        if (!e2e::SetText(GetDlgItem(dlg, IDC_DATPATH), strPath))
            return false;
        e2e::Click(dlg, IDC_INSTALL);
        return AnswerMessageBox(strText, icon);
    }
};

// Win32 tells a folder that bears the copy's name from a file: no copy, and nothing written.
// 65,535 records, the most the header can count: the targets are the last ones.
TEST(HostileE2E, AFolderWhereTheCopyGoesAndTheLargestDirectory) {
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
    const std::string strGuarded = Str(kvtools::BuildArchive(Directory(3)));
    ASSERT_TRUE(run.WriteFile("Guarded.dat", strGuarded));
    ASSERT_TRUE(run.WriteFile("Guarded.dat.bak\\inside.txt", "x"));
    ASSERT_TRUE(run.WriteFile("Panzer2.dat", Str(archive)));
    HWND dlg = run.StartMainDialog();
    ASSERT_TRUE(dlg);
    EXPECT_TRUE(run.InstallFrom(dlg, run.PathOf("Guarded.dat"),
                                CopyNotKept(run.PathOf("Guarded.dat.bak"), kFolderHasCopysName),
                                e2e::EIcon::Exclamation));
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf("Guarded.dat")), strGuarded);
    // An emptied path box names no archive, not the one typed before.
    EXPECT_TRUE(run.InstallFrom(dlg, "", kArchiveNotOpened, e2e::EIcon::Exclamation));
    EXPECT_TRUE(run.InstallFrom(dlg, run.PathOf("Panzer2.dat"), Done("Description"),
                                e2e::EIcon::Information));
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf("Panzer2.dat")), strExpected);
}

// What stands under the copy's names is judged by what it is, never followed: a .bak that leads to
// the archive itself, a .ba~ that links to a file of the user's, and a .ba~ left read-only; and a
// device typed as the archive. Each ends in its message at once, and no file changes.
TEST(HostileE2E, WhatStandsUnderTheCopysNamesAndADevice) {
    CHostileRun run;
    ASSERT_TRUE(run.Prepare());
    const std::string strArchive = Str(kvtools::BuildArchive(Directory(3)));
    const char* const archives[] = {"Panzer2.dat", "Linked.dat", "Kept.dat"};
    for (const char* pszName : archives)
        ASSERT_TRUE(run.WriteFile(pszName, strArchive));
    ASSERT_TRUE(run.WriteFile("victim.txt", "the user's own"));
    ASSERT_TRUE(run.WriteFile("Kept.dat.ba~", "left"));
    ASSERT_TRUE(SetFileAttributesA(run.PathOf("Kept.dat.ba~").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(e2e::MakeUnixLink("Panzer2.dat", run.PathOf("Panzer2.dat.bak")));
    ASSERT_TRUE(e2e::MakeUnixLink("victim.txt", run.PathOf("Linked.dat.ba~")));
    HWND dlg = run.StartMainDialog();
    ASSERT_TRUE(dlg);
    const auto notKept = [&run](const std::string& strArchive, const std::string& strWhy) {
        return CopyNotKept(run.PathOf(strArchive + ".bak"), strWhy);
    };
    EXPECT_TRUE(run.InstallFrom(dlg, run.PathOf("Panzer2.dat"),
                                notKept("Panzer2.dat", kCopysNameIsTheArchive),
                                e2e::EIcon::Exclamation));
    EXPECT_TRUE(
        run.InstallFrom(dlg, run.PathOf("Linked.dat"),
                        notKept("Linked.dat", LinkWhereTheCopyIsMade(run.PathOf("Linked.dat.ba~"))),
                        e2e::EIcon::Exclamation));
    EXPECT_TRUE(run.InstallFrom(dlg, run.PathOf("Kept.dat"),
                                notKept("Kept.dat", LeftoverStays(run.PathOf("Kept.dat.ba~"))),
                                e2e::EIcon::Exclamation));
    EXPECT_TRUE(run.InstallFrom(dlg, "COM1", kArchiveNotOpened, e2e::EIcon::Exclamation));
    for (const char* pszName : archives)
        EXPECT_EQ(e2e::ReadWholeFile(run.PathOf(pszName)), strArchive) << pszName;
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf("victim.txt")), "the user's own");
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf("Kept.dat.ba~")), "left");
    EXPECT_EQ(GetFileAttributesA(run.PathOf("Linked.dat.bak").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(run.PathOf("Kept.dat.bak").c_str()), INVALID_FILE_ATTRIBUTES);
    SetFileAttributesA(run.PathOf("Kept.dat.ba~").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(e2e::RemoveUnixLink(run.PathOf("Panzer2.dat.bak")));
    EXPECT_TRUE(e2e::RemoveUnixLink(run.PathOf("Linked.dat.ba~")));
}

// Starts that end at once in their message, with status 1: a catalogue that never ends (a link to
// /dev/zero), and a current folder one character too long for the tool's own files. One
// character shorter the tool starts, and refuses a set file that is there but whose path is over
// the same limit.
TEST(HostileE2E, DevicesAndPathsOverTheLimit) {
    const auto ends = [](CHostileRun& run, const std::string& strText) {
        ASSERT_TRUE(run.Start());
        const CMessageBoxInfo box = run.WaitAndReadMessageBox();
        e2e::ExpectMessageBox(box, strText, e2e::EIcon::Error);
        ASSERT_TRUE(e2e::Dismiss(box.m_h));
        DWORD code = 0;
        ASSERT_TRUE(run.WaitExit(&code));
        EXPECT_EQ(code, 1u);
    };
    {
        CHostileRun run;
        ASSERT_TRUE(run.Prepare());
        ASSERT_TRUE(DeleteFileA(run.ToolPathOf("Desc.txt").c_str()));
        ASSERT_TRUE(e2e::MakeUnixLink("/dev/zero", run.ToolPathOf("Desc.txt")));
        ends(run, kCatalogueOpenError);
        EXPECT_TRUE(e2e::RemoveUnixLink(run.ToolPathOf("Desc.txt")));
    }
    // With "\RararIzorevo\pg2_flags.ini", 260 characters.
    CHostileRun tooLong(233);
    ASSERT_TRUE(tooLong.Prepare());
    ends(tooLong, kFolderTooLongError);

    CHostileRun run(232);
    ASSERT_TRUE(run.Prepare());
    const std::string strArchive = Str(kvtools::BuildArchive(Directory(3)));
    ASSERT_TRUE(run.WriteFile("Panzer2.dat", strArchive));
    const std::string strName = "f2345678901.shp"; // the set file's path: 261 characters
    ASSERT_TRUE(run.WriteCatalogue(16, 16, 16, {{strName, "d.shp", "s.shp", "Description"}}));
    // Written where its path is shorter, into a folder that then takes the run's place.
    const std::string strShort = e2e::DirName(run.Folder()) + "\\s";
    ASSERT_TRUE(MoveFileA(run.Folder().c_str(), strShort.c_str()));
    ASSERT_TRUE(e2e::WriteWholeFile(strShort + "\\RararIzorevo\\" + strName, "flags"));
    ASSERT_TRUE(MoveFileA(strShort.c_str(), run.Folder().c_str()));
    HWND dlg = run.StartMainDialog();
    ASSERT_TRUE(dlg);
    EXPECT_TRUE(run.InstallFrom(dlg, run.PathOf("Panzer2.dat"), PathTooLong(strName),
                                e2e::EIcon::Exclamation));
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf("Panzer2.dat")), strArchive);
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
    HWND dlg = run.StartMainDialog();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(e2e::ComboCount(GetDlgItem(dlg, IDC_SETS)), 40);
    e2e::Click(dlg, IDC_INSTALL);
    const CMessageBoxInfo box = run.WaitAndReadMessageBox();
    // Whatever names the first line makes, its set is refused.
    EXPECT_EQ(box.m_strText.rfind("ERROR! ", 0), 0u) << box.m_strText;
    e2e::ExpectMessageBox(box, box.m_strText, e2e::EIcon::Exclamation);
    ASSERT_TRUE(e2e::Dismiss(box.m_h));
    EXPECT_EQ(e2e::ReadWholeFile(run.PathOf("Panzer2.dat")), strGood);
    EXPECT_TRUE(run.IsRunning());
    ASSERT_TRUE(e2e::Press(dlg, IDOK));
    DWORD code = 99;
    ASSERT_TRUE(run.WaitExit(&code));
    EXPECT_EQ(code, 0u);
}

} // namespace
