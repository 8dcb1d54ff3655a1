#include "catalogue/Settings.h"
#include "framework/CStdioFile.h"
#include "framework/FileFaults.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::string_literals;

const char kDefault[] = "C:\\Games\\Panzer2\\Panzer2.dat";

// A fresh folder per test, given with a trailing slash as the tool's folder always is.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ = ::testing::TempDir() + "kv_settings_XXXXXX";
        ASSERT_NE(::mkdtemp(templ.data()), nullptr);
        m_strDir = templ + "/";
    }
    void TearDown() override {
        afx_test::SetFileOpHook(nullptr);
        std::remove(Path().c_str());
        std::remove((Path() + ".new").c_str());
        ::rmdir(m_strDir.c_str());
    }
    std::string Path() const { return m_strDir + kSettingsFileName; }
    void WriteRaw(const std::string& bytes) const {
        std::ofstream(Path(), std::ios::binary) << bytes;
    }
    std::string ReadRaw(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& path) const {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0;
    }
    // What the start-up would show in the path box for a settings file of these bytes.
    std::string Load(const std::string& bytes) const {
        WriteRaw(bytes);
        CStdioFile file;
        EXPECT_TRUE(file.Open(Path().c_str(), CFile::modeRead | CFile::typeText));
        CString path = kDefault;
        ReadDatPath(file, path);
        return path.str();
    }

    std::string m_strDir;
};

TEST_F(SettingsFile, LineTwoInAllItsForms) {
    const std::string longPath = "D:\\" + std::string(250, 'p') + "\\Panzer2.dat";
    struct Case {
        const char* pszWhat;
        std::string bytes;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"as written", "/* PG2-flags.ini\r\npg2-panzer2.dat=D:\\P2\\Panzer2.dat\r\n/* end\r\n",
         "D:\\P2\\Panzer2.dat"},
        {"empty file", "", kDefault},
        {"one line only", "pg2-panzer2.dat=D:\\x.dat\r\n", kDefault},
        {"key on line 1 only", "pg2-panzer2.dat=D:\\x.dat\r\n\r\n", kDefault},
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
        {"bare LF", "c\npg2-panzer2.dat=D:\\x.dat\nz\n", "D:\\x.dat"},
        {"no line end at all", "c\npg2-panzer2.dat=D:\\x.dat", "D:\\x.dat"},
        {"text on line 1 and after",
         "pg2-panzer2.dat=E:\\no.dat\r\npg2-panzer2.dat=D:\\x.dat\r\n"
         "pg2-panzer2.dat=F:\\no.dat\r\nmore\r\n",
         "D:\\x.dat"},
        {"Ctrl-Z ends the file",
         "c\r\npg2-panzer2.dat=D:\\x.dat\x1A"
         "tail\r\n",
         "D:\\x.dat"},
        {"Ctrl-Z before line 2", "c\r\n\x1Apg2-panzer2.dat=D:\\x.dat\r\n", kDefault},
        {"lone CR stays in the path", "c\r\npg2-panzer2.dat=D:\\a\rb.dat\r\n", "D:\\a\rb.dat"},
        {"long path", "c\r\npg2-panzer2.dat=" + longPath + "\r\n", longPath},
        // A NUL ends the line's text: nothing after it counts, and an empty path is no path.
        {"NUL right after the key", "c\npg2-panzer2.dat=\v\0 D:\\x.dat\n"s, kDefault},
        {"NUL inside the path", "c\npg2-panzer2.dat=D:\\a\0b.dat\n"s, "D:\\a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Load(c.bytes), c.expected) << c.pszWhat;
}

TEST_F(SettingsFile, WritesThreeCrLfLinesExactly) {
    ASSERT_TRUE(WriteSettingsFile(m_strDir.c_str(), "C:\\Program Files\\Game\\Panzer2.dat"));
    EXPECT_EQ(ReadRaw(Path()), "/* PG2-flags.ini\r\n"
                               "pg2-panzer2.dat=C:\\Program Files\\Game\\Panzer2.dat\r\n"
                               "/* end PG2-flags.ini\r\n");
    EXPECT_FALSE(Exists(Path() + ".new"));
}

TEST_F(SettingsFile, RewriteReplacesEverythingAndReadsBack) {
    WriteRaw("old line 1\r\npg2-panzer2.dat=D:\\old.dat\r\nextra\r\nlines\r\n");
    const std::vector<std::string> paths = {
        "C:\\Program Files\\Game\\Panzer2.dat",
        "Z:\\" + std::string(240, 'n') + "\\" + std::string(14, 'm') + ".dat",
        "D:\\a.dat",
    };
    for (const std::string& path : paths) {
        ASSERT_TRUE(WriteSettingsFile(m_strDir.c_str(), path.c_str()));
        const std::string bytes = ReadRaw(Path());
        EXPECT_EQ(bytes,
                  "/* PG2-flags.ini\r\npg2-panzer2.dat=" + path + "\r\n/* end PG2-flags.ini\r\n");
        EXPECT_EQ(Load(bytes), path);
    }
}

TEST_F(SettingsFile, FailedRewriteKeepsTheOldFile) {
    const std::string old =
        "/* PG2-flags.ini\r\npg2-panzer2.dat=D:\\keep.dat\r\n/* end PG2-flags.ini\r\n";
    using afx_test::Fault;
    using afx_test::FileOp;
    struct Case {
        const char* pszWhat;
        FileOp failing;
        bool bThrows; // a failure after the open reaches the caller as the framework's exception
    };
    const std::vector<Case> cases = {
        {"temporary file cannot be made", FileOp::Open, false},
        {"write fails", FileOp::Write, true},
        {"flush fails", FileOp::Flush, true},
        {"replace fails", FileOp::Replace, false},
    };
    for (const Case& c : cases) {
        WriteRaw(old);
        afx_test::SetFileOpHook(
            [&](FileOp op, const char*) { return op == c.failing ? Fault::Fail : Fault::None; });
        bool bThrew = false;
        try {
            EXPECT_FALSE(WriteSettingsFile(m_strDir.c_str(), "E:\\new.dat")) << c.pszWhat;
        } catch (const CFileException& e) {
            bThrew = true;
            EXPECT_EQ(e.m_cause, CFileException::diskFull) << c.pszWhat;
        }
        afx_test::SetFileOpHook(nullptr);
        EXPECT_EQ(bThrew, c.bThrows) << c.pszWhat;
        EXPECT_EQ(ReadRaw(Path()), old) << c.pszWhat;
        EXPECT_FALSE(Exists(Path() + ".new")) << c.pszWhat;
    }
}

TEST_F(SettingsFile, MissingFolderCannotBeWritten) {
    const std::string missing = m_strDir + "nowhere/";
    EXPECT_FALSE(WriteSettingsFile(missing.c_str(), "D:\\a.dat"));
    EXPECT_FALSE(Exists(missing));
}

TEST(ToolFolder, AppendsTheFolderNameAndRefusesWhatDoesNotFit) {
    struct Case {
        std::string curDir;
        bool bFits;
        std::string folder;
    };
    const std::vector<Case> cases = {
        {"C:\\Games", true, "C:\\Games\\RararIzorevo\\"},
        {"C:\\", true, "C:\\\\RararIzorevo\\"}, // a drive root keeps its own backslash
        {"Z:\\" + std::string(242, 'd'), true, "Z:\\" + std::string(242, 'd') + "\\RararIzorevo\\"},
        {"Z:\\" + std::string(243, 'd'), false, ""},
        {std::string(1000, 'd'), false, ""},
    };
    for (const Case& c : cases) {
        char szFolder[kFolderSize];
        std::memset(szFolder, 'x', sizeof szFolder);
        EXPECT_EQ(BuildToolFolder(c.curDir.c_str(), szFolder, sizeof szFolder), c.bFits)
            << c.curDir.size();
        EXPECT_EQ(std::string(szFolder), c.folder) << c.curDir.size();
    }
}

} // namespace
