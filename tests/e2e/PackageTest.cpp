// The release zip as a new user meets it: unpacked into a fresh folder, pointed at an archive with
// Browse, one set of the example catalogue installed.
#include "harness.h"

#include "res/resource.h"
#include "tests/model/InstallTexts.h"
#include "tools/SettingsBytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace e2e;

namespace {

std::string Pattern(char c, size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += static_cast<char>(c + i % 7);
    return s;
}

// Copies a folder's files and folders into another (which may exist), one file at a time.
bool CopyTree(const std::string& from, const std::string& to) {
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(from, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        const std::string target =
            to + "\\" + std::filesystem::relative(it->path(), from, ec).string();
        if (it->is_directory())
            std::filesystem::create_directories(target, ec);
        else if (!CopyFileA(it->path().string().c_str(), target.c_str(), FALSE))
            return false;
    }
    return !ec;
}

// The first start lists no set; after the set line of the catalogue's notes is added where the
// guide says, that set installs.
TEST(Package, UnpackedZipStartsEmptyAndInstallsTheSetAddedToItsCatalogue) {
    // The test set-up unpacks the zip into KV_PACKAGE_DIR\app and puts a demo archive in ...\demo.
    const char* pszPackage = std::getenv("KV_PACKAGE_DIR");
    ASSERT_NE(pszPackage, nullptr) << "KV_PACKAGE_DIR is not set: run the tests with ctest";
    CProgramRun run;
    ASSERT_TRUE(CopyTree(std::string(pszPackage) + "\\app", run.Folder()));
    // Each zip carries the executable of its own width, as these tests are built.
    DWORD dwType = 0;
    ASSERT_TRUE(GetBinaryTypeA(run.PathOf("Kestrovane.exe").c_str(), &dwType));
    EXPECT_EQ(dwType, sizeof(void*) == 8 ? DWORD{SCS_64BIT_BINARY} : DWORD{SCS_32BIT_BINARY});

    HWND dlg = run.StartMainDialog(run.PathOf("Kestrovane.exe"));
    ASSERT_TRUE(dlg);
    EXPECT_EQ(ComboCount(GetDlgItem(dlg, IDC_SETS)), 0);
    Click(dlg, IDC_INSTALL);
    ASSERT_TRUE(run.AnswerMessageBox(install_text::kNoneListed, EIcon::Exclamation));
    ASSERT_TRUE(Press(dlg, IDOK));
    DWORD code = 0;
    ASSERT_TRUE(run.WaitExit(&code));

    // The notes' first example goes right after line 6, before the empty line ending the list.
    const std::string catalogue = ReadWholeFile(run.ToolPathOf("Desc.txt"));
    const size_t end = catalogue.find("\r\n\r\n");
    const size_t example = catalogue.find("\r\nflags_grey.shp ", end);
    ASSERT_NE(example, std::string::npos);
    const std::string line =
        catalogue.substr(example + 2, catalogue.find('\n', example + 2) - example - 1);
    ASSERT_TRUE(
        run.WriteFile("RararIzorevo\\Desc.txt", std::string(catalogue).insert(end + 2, line)));
    const std::string archive = run.PathOf("Panzer2.dat");
    ASSERT_TRUE(CopyFileA((std::string(pszPackage) + "\\demo\\Panzer2.dat").c_str(),
                          archive.c_str(), FALSE));
    // Its files, each shorter than its block.
    const std::string flags = Pattern('F', 5000), dossier = Pattern('D', 9000),
                      start = Pattern('S', 19000);
    ASSERT_TRUE(run.WriteFile("RararIzorevo\\flags_grey.shp", flags));
    ASSERT_TRUE(run.WriteFile("RararIzorevo\\dossier_grey.shp", dossier));
    ASSERT_TRUE(run.WriteFile("RararIzorevo\\start_grey.shp", start));
    const std::string before = ReadWholeFile(archive);
    ASSERT_FALSE(before.empty());

    dlg = run.StartMainDialog(run.PathOf("Kestrovane.exe"));
    ASSERT_TRUE(dlg);
    EXPECT_EQ(ItemText(dlg, IDC_DATPATH), "C:\\Games\\Panzer2\\Panzer2.dat");
    EXPECT_EQ(ComboItems(GetDlgItem(dlg, IDC_SETS)), std::vector<std::string>{"Field grey, 1939"});
    EXPECT_EQ(ComboCurSel(GetDlgItem(dlg, IDC_SETS)), 0);

    ASSERT_TRUE(run.Browse(dlg, archive, archive)) << ItemText(dlg, IDC_DATPATH);
    EXPECT_EQ(ReadWholeFile(run.ToolPathOf("pg2_flags.ini")), kvtools::settingsFileBytes(archive));

    Click(dlg, IDC_INSTALL);
    ASSERT_TRUE(run.AnswerMessageBox(install_text::Done("Field grey, 1939"), EIcon::Information));

    // Each block went in whole, zero-filled to the catalogue's size; the length is unchanged.
    const std::string after = ReadWholeFile(archive);
    ASSERT_EQ(after.size(), before.size());
    struct Block {
        const std::string* pData;
        size_t nBlock;
    };
    for (const Block& b : {Block{&flags, 6000}, Block{&dossier, 10000}, Block{&start, 20000}}) {
        const size_t at = after.find(*b.pData);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(after.substr(at + b.pData->size(), b.nBlock - b.pData->size()),
                  std::string(b.nBlock - b.pData->size(), '\0'));
    }
    ASSERT_TRUE(Press(dlg, IDOK));
    EXPECT_TRUE(run.WaitExit(&code));
}

} // namespace
