#include "Latin1CodePage.h"

#include "catalogue/Settings.h"
#include "framework/CStdioFile.h"
#include "tests/support/FaultInjector.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Utf16File.h"
#include "tools/SettingsBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::string_literals;

using kvtools::settingsFileBytes;

const char kDefault[] = "C:\\Games\\Panzer2\\Panzer2.dat";
// The settings file that a save finds there before.
const std::string kOld = settingsFileBytes("D:\\keep.dat");
const CLatin1CodePage kLatin1;

// A fresh folder per test, given with a trailing slash as the tool's folder always is.
class Settings : public ::testing::Test {
protected:
    void TearDown() override { afx_test::SetFileOpHook(nullptr); }
    std::string Path() const { return m_strDir + kSettingsFileName; }
    void WriteRaw(const std::string& bytes) const {
        m_folder.Write(kSettingsFileName, Bytes(bytes.begin(), bytes.end()));
    }
    std::string ReadRaw(const std::string& strName = kSettingsFileName) const {
        const Bytes bytes = m_folder.Read(strName);
        return std::string(bytes.begin(), bytes.end());
    }
    // The folder's entries: each name, with a mark for folders.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_strDir))
            names.insert(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
        return names;
    }
    // What the start-up would show in the path box for a settings file of these bytes.
    std::string Load(const std::string& bytes, const CLegacyCodePage* pLegacy = nullptr) const {
        WriteRaw(bytes);
        CStdioFile file;
        EXPECT_TRUE(file.Open(Path().c_str(), CFile::modeRead | CFile::typeText));
        CString path = kDefault;
        ReadDatPath(file, path, pLegacy);
        return path.str();
    }

    CTempFolder m_folder;
    const std::string m_strDir = m_folder.Prefix();
};

TEST_F(Settings, LineTwoInAllItsForms) {
    const std::string longPath = "D:\\" + std::string(250, 'p') + "\\Panzer2.dat";
    struct Case {
        const char* pszWhat;
        std::string bytes;
        std::string expected;
        const CLegacyCodePage* pLegacy = nullptr; // the program's text is UTF-8 beside it
    };
    const std::vector<Case> cases = {
        {"as written", "/* PG2-flags.ini\r\npg2-panzer2.dat=D:\\P2\\Panzer2.dat\r\n/* end\r\n",
         "D:\\P2\\Panzer2.dat"},
        {"empty file", "", kDefault},
        {"one line only", "pg2-panzer2.dat=D:\\x.dat\r\n", kDefault},
        {"leading blank", "c\r\n pg2-panzer2.dat=D:\\x.dat\r\n", kDefault},
        {"other letter case", "c\r\nPG2-Panzer2.dat=D:\\x.dat\r\n", kDefault},
        {"blank before equals", "c\r\npg2-panzer2.dat =D:\\x.dat\r\n", kDefault},
        {"key alone", "c\r\npg2-panzer2.dat=\r\n", kDefault},
        {"only white space after key", "c\r\npg2-panzer2.dat= \t \r\n", kDefault},
        {"blanks after equals", "c\r\npg2-panzer2.dat=   D:\\Games\\Panzer2.dat\r\n",
         "D:\\Games\\Panzer2.dat"},
        {"tabs after equals", "c\r\npg2-panzer2.dat=\t\tD:\\x.dat\r\n", "D:\\x.dat"},
        {"trailing white space", "c\r\npg2-panzer2.dat=D:\\x.dat \t \r\n", "D:\\x.dat"},
        {"path with blanks", "c\r\npg2-panzer2.dat=C:\\Program Files\\Game\\Panzer2.dat\r\n",
         "C:\\Program Files\\Game\\Panzer2.dat"},
        {"text on line 1 and after",
         "pg2-panzer2.dat=E:\\no.dat\r\npg2-panzer2.dat=D:\\x.dat\r\n"
         "pg2-panzer2.dat=F:\\no.dat\r\nmore\r\n",
         "D:\\x.dat"},
        {"long path", "c\r\npg2-panzer2.dat=" + longPath + "\r\n", longPath},
        // A NUL ends the line's text: nothing after it counts, and an empty path is no path.
        {"NUL right after the key", "c\npg2-panzer2.dat=\v\0 D:\\x.dat\n"s, kDefault},
        {"NUL inside the path", "c\npg2-panzer2.dat=D:\\a\0b.dat\n"s, "D:\\a"},
        // Lines are kept to their first 64 KiB; what follows up to the line feed is skipped.
        {"lines longer than 64 KiB",
         std::string(65536, 'c') +
             "pg2-panzer2.dat=D:\\no.dat\npg2-panzer2.dat=" + std::string(70000, 'p') + "\n",
         std::string(65536 - 16, 'p')},
        {"legacy program: bytes as they stand", "c\npg2-panzer2.dat=D:\\\xE9t\xE9\n",
         "D:\\\xE9t\xE9"},
        {"a UTF-8 line", "c\npg2-panzer2.dat=D:\\Łódź\\ゲーム\\😀\n", "D:\\Łódź\\ゲーム\\😀",
         &kLatin1},
        // One sequence that is not UTF-8 makes the whole line legacy text.
        {"longer form than needed", "c\npg2-panzer2.dat=é\xE0\x9F\xA9\n", "Ã©à\u009F©", &kLatin1},
        {"two bytes for ASCII", "c\npg2-panzer2.dat=é\xC1\xBF\n", "Ã©Á¿", &kLatin1},
        {"surrogate", "c\npg2-panzer2.dat=é\xED\xA0\xA9\n", "Ã©í\u00A0©", &kLatin1},
        {"past U+10FFFF", "c\npg2-panzer2.dat=é\xF4\xA0\xA9\xA9\n", "Ã©ô\u00A0©©", &kLatin1},
        {"cut short", "c\npg2-panzer2.dat=é\xC3\n", "Ã©Ã", &kLatin1},
        // A character cut by the 64 KiB bound goes; the rest is still UTF-8.
        {"UTF-8 cut by the bound", "c\npg2-panzer2.dat=D:\\" + Repeated("é", 32760) + "\n",
         "D:\\" + Repeated("é", 32758), &kLatin1},
        {"UTF-16 after its mark", Utf16File("c\r\npg2-panzer2.dat=D:\\Łódź\\ゲーム\\😀\r\n", false),
         "D:\\Łódź\\ゲーム\\😀", &kLatin1},
        {"UTF-16 big-endian, half a pair", Utf16File("c\npg2-panzer2.dat=D:\\ą", true) + "\xD8\x3D",
         "D:\\ą\uFFFD", &kLatin1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Load(c.bytes, c.pLegacy), c.expected) << c.pszWhat;
}

// Three CR LF lines exactly, nothing of the old file kept, and no other file left beside it.
TEST_F(Settings, RewriteReplacesEverythingAndReadsBack) {
    WriteRaw("old line 1\r\npg2-panzer2.dat=D:\\old.dat\r\nextra\r\nlines\r\n");
    struct Case {
        std::string path;
        const CLegacyCodePage* pLegacy;
        std::string stored;
    };
    const std::vector<Case> cases = {
        {"C:\\Program Files\\Game\\Panzer2.dat", nullptr, "C:\\Program Files\\Game\\Panzer2.dat"},
        {"Z:\\" + std::string(240, 'n') + "\\" + std::string(14, 'm') + ".dat", nullptr,
         "Z:\\" + std::string(240, 'n') + "\\" + std::string(14, 'm') + ".dat"},
        {"D:\\a.dat", nullptr, "D:\\a.dat"},
        // A path that the legacy code page holds keeps the bytes it always had.
        {"D:\\Été", &kLatin1, "D:\\\xC9t\xE9"},
        // In the legacy code page "Ã©" has the bytes of "é" in UTF-8: stored in UTF-8, it reads
        // back.
        {"D:\\Ã©", &kLatin1, "D:\\Ã©"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteSettingsFile(m_strDir.c_str(), c.path.c_str(), c.pLegacy));
        const std::string bytes = ReadRaw();
        EXPECT_EQ(bytes, settingsFileBytes(c.stored));
        EXPECT_EQ(Load(bytes, c.pLegacy), c.path);
        EXPECT_EQ(Entries(), std::set<std::string>{kSettingsFileName});
    }
}

// Taking the rights of an ordinary user for file access (this thread's file-system user id), so
// that read-only files and folders refuse this process as they refuse a user; a process that is
// not root has them already.
class CUserRights {
public:
    CUserRights() : m_bRoot(::geteuid() == 0) {
        if (m_bRoot)
            ::setfsuid(kNobody);
    }
    ~CUserRights() {
        if (m_bRoot)
            ::setfsuid(0);
    }
    bool Taken() const { return !m_bRoot || ::setfsuid(-1) == static_cast<int>(kNobody); }

private:
    static constexpr uid_t kNobody = 65534;
    bool m_bRoot;
};

// Every way a save can go: it ends in the new file, or refuses with the old one whole, or throws
// with the old one whole.
TEST_F(Settings, SaveOutcomes) {
    const std::string strNew = settingsFileBytes("E:\\new.dat");
    using afx_test::Fault;
    using afx_test::FileOp;
    enum class Outcome { Saved, Refused, Throws };
    struct Case {
        const char* pszWhat;
        mode_t folderMode; // 0555: no file can be created in it; 0: the folder is missing
        mode_t settingsMode;
        bool bHoldSettings;
        const FileOp* pFailing;
        Outcome outcome;
        bool bLink = false; // the settings file is a link to "elsewhere.ini"
        const FileOp* pAlsoFailing = nullptr;
    };
    const FileOp write = FileOp::Write, flush = FileOp::Flush, replace = FileOp::Replace,
                 remove = FileOp::Remove;
    const Case cases[] = {
        {"no create right, settings writable: rewritten in place", 0555, 0666, false, nullptr,
         Outcome::Saved},
        {"no create right, settings read-only", 0555, 0444, false, nullptr, Outcome::Refused},
        {"no create right, settings held open", 0555, 0666, true, nullptr, Outcome::Refused},
        {"settings held open", 0777, 0666, true, nullptr, Outcome::Refused},
        {"folder missing", 0, 0666, false, nullptr, Outcome::Refused},
        {"write fails", 0777, 0666, false, &write, Outcome::Throws},
        {"flush fails", 0777, 0666, false, &flush, Outcome::Throws},
        {"replace fails", 0777, 0666, false, &replace, Outcome::Refused},
        {"replace fails, and so does the new file's removal", 0777, 0666, false, &replace,
         Outcome::Refused, false, &remove},
        {"settings read-only, folder writable", 0777, 0444, false, nullptr, Outcome::Refused},
        {"settings a link: written where it points", 0777, 0666, false, nullptr, Outcome::Saved,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        const std::string folder = c.folderMode ? m_strDir : m_strDir + "missing/";
        std::filesystem::remove_all(m_strDir);
        std::filesystem::create_directory(m_strDir);
        const std::string strReal = c.bLink ? "elsewhere.ini" : kSettingsFileName;
        const std::string real = m_strDir + strReal;
        std::ofstream(real, std::ios::binary) << kOld;
        if (c.bLink)
            std::filesystem::create_symlink("elsewhere.ini", Path());
        ::chmod(real.c_str(), c.settingsMode);
        ::chmod(m_strDir.c_str(), c.folderMode ? c.folderMode : 0777);
        CFile heldSettings;
        ASSERT_TRUE(!c.bHoldSettings || heldSettings.Open(Path().c_str(), CFile::modeRead));
        const auto before = Entries();

        Outcome outcome = Outcome::Refused;
        {
            CUserRights user;
            ASSERT_TRUE(user.Taken());
            afx_test::SetFileOpHook([&](FileOp op, const char* pszPath) {
                // A new file's name is never longer than the settings file's.
                EXPECT_TRUE(op != FileOp::Create ||
                            std::strlen(pszPath) <= (folder + kSettingsFileName).size())
                    << pszPath;
                return (c.pFailing && op == *c.pFailing) ||
                               (c.pAlsoFailing && op == *c.pAlsoFailing)
                           ? Fault::Fail
                           : Fault::None;
            });
            try {
                if (WriteSettingsFile(folder.c_str(), "E:\\new.dat", nullptr))
                    outcome = Outcome::Saved;
            } catch (const CFileException& e) {
                outcome = Outcome::Throws;
                EXPECT_EQ(e.m_cause, CFileException::diskFull);
                EXPECT_EQ(e.m_strFileName.str(), folder + kSettingsFileName);
            }
            afx_test::SetFileOpHook(nullptr);
        }
        heldSettings.Close();
        ::chmod(m_strDir.c_str(), 0777);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(ReadRaw(strReal), outcome == Outcome::Saved ? strNew : kOld);
        EXPECT_EQ(std::filesystem::is_symlink(Path()), c.bLink);
        if (!c.pAlsoFailing) { // no copy left behind, but one that could not be removed
            EXPECT_EQ(Entries(), before);
        }
    }
}

// Fails, or shortens, the k-th file operation of a save, for every k: the old settings file or the
// new one is left, whole, and no other file; no run leaves a file open, as the system counts them.
TEST_F(Settings, SaveFaultSweepKeepsOldOrNewFileWhole) {
    using afx_test::Fault;
    const char kNewPath[] = "E:\\Games\\Panzer2\\Panzer2.dat";
    const std::string strNew = settingsFileBytes(kNewPath);
    std::size_t nOps = 0;
    {
        CFaultInjector counter(0, Fault::None);
        WriteRaw(kOld);
        EXPECT_TRUE(WriteSettingsFile(m_strDir.c_str(), kNewPath, nullptr));
        EXPECT_EQ(counter.OpenFiles(), 0);
        nOps = counter.Ops();
    }
    ASSERT_EQ(ReadRaw(), strNew);
    int nFaults = 0, nRuns = 0;
    for (Fault fault : {Fault::Fail, Fault::Short}) {
        for (std::size_t k = 1; k <= nOps; ++k) {
            SCOPED_TRACE((fault == Fault::Fail ? "fail op " : "shorten op ") + std::to_string(k));
            WriteRaw(kOld);
            bool bSaved = false, bThrew = false;
            CFaultInjector injector(k, fault);
            try {
                bSaved = WriteSettingsFile(m_strDir.c_str(), kNewPath, nullptr);
            } catch (const CFileException&) {
                bThrew = true;
            }
            nFaults += injector.Hit();
            ++nRuns;
            EXPECT_EQ(injector.OpenFiles(), 0);
            const std::string after = ReadRaw();
            // Saved means the new file is there; anything else leaves the old one. A fault that
            // changes nothing (a write taken in part is written on) leaves the save to succeed.
            EXPECT_EQ(after, bSaved ? strNew : kOld);
            EXPECT_TRUE(bSaved || injector.Hit());
            // Where the copy cannot be made, the file is rewritten in place, and a replace whose
            // folder did not reach the disk stands; every other fault ends the save.
            const bool bMaySave = injector.HitOp() == afx_test::FileOp::Create ||
                                  injector.HitOp() == afx_test::FileOp::SyncFolder;
            if (injector.Hit() && !bMaySave) {
                EXPECT_TRUE(bThrew || !bSaved);
            }
            // No copy is left behind.
            EXPECT_EQ(Entries(), std::set<std::string>{kSettingsFileName});
        }
    }
    EXPECT_GT(nFaults, 0);
    RecordProperty("faults", nFaults);
    RecordProperty("runs", nRuns);
}

TEST_F(Settings, ToolFolderAppendsItsNameAndRefusesWhatDoesNotFit) {
    struct Case {
        std::string curDir;
        bool bFits;
        std::string folder;
        const CLegacyCodePage* pLegacy = nullptr;
    };
    // With "\\RararIzorevo\\pg2_flags.ini" the longest path the system opens: 259 characters.
    const std::string ja229 = Repeated("ゲ", 229);
    const std::vector<Case> cases = {
        {"C:\\Games", true, "C:\\Games\\RararIzorevo\\"},
        {"C:\\", true, "C:\\\\RararIzorevo\\"}, // a drive root keeps its own backslash
        {"Z:\\" + std::string(229, 'd'), true, "Z:\\" + std::string(229, 'd') + "\\RararIzorevo\\"},
        {"Z:\\" + std::string(230, 'd'), false, ""},
        {std::string(1000, 'd'), false, ""},
        {"Z:\\" + ja229, true, "Z:\\" + ja229 + "\\RararIzorevo\\", &kLatin1},
        {"Z:\\" + ja229 + "ゲ", false, "", &kLatin1},
        {"Z:\\" + Repeated("😀", 115), false, "", &kLatin1}, // two characters each to Windows
        {"Z:\\" + std::string(230, '\xA8'), false, ""},     // legacy text: a byte is a character
    };
    for (const Case& c : cases) {
        char szFolder[kFolderSize];
        std::memset(szFolder, 'x', sizeof szFolder);
        EXPECT_EQ(BuildToolFolder(c.curDir.c_str(), szFolder, sizeof szFolder, c.pLegacy), c.bFits)
            << c.curDir.size();
        EXPECT_EQ(std::string(szFolder), c.folder) << c.curDir.size();
    }
}

} // namespace
