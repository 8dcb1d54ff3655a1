// The framework's file classes over the Win32 back end, in this process: which system error
// becomes which cause, what no sharing keeps out, and the open modes, on real files.
#include "harness.h"

#include "framework/CFile.h"
#include "framework/CStdioFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class FileBackend : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_strDir = e2e::ExeDir() + "\\file-runs\\" + info->name();
        ASSERT_TRUE(e2e::WriteWholeFile(Path("data.bin"), "0123456789"));
        ::CreateDirectoryA(Path("folder").c_str(), nullptr);
    }
    void TearDown() override {
        for (const char* name : {"data.bin", "other.bin", "new.bin", "text.txt"})
            ::DeleteFileA(Path(name).c_str());
        ::RemoveDirectoryA(Path("folder").c_str());
        ::RemoveDirectoryA(m_strDir.c_str());
        ::RemoveDirectoryA((e2e::ExeDir() + "\\file-runs").c_str()); // once the last one is gone
    }
    std::string Path(const char* pszName) const { return m_strDir + "\\" + pszName; }

    std::string m_strDir;
};

TEST_F(FileBackend, OpenFailuresCarryTheirCauseAndPath) {
    struct Case {
        std::string strPath;
        UINT nFlags;
        int nCause;
    };
    const Case cases[] = {
        {Path("missing.bin"), CFile::modeRead, CFileException::fileNotFound},
        {Path("missing.bin"), CFile::modeReadWrite, CFileException::fileNotFound},
        {Path("nofolder\\new.bin"), CFile::modeRead, CFileException::badPath},
        {Path("nofolder\\new.bin"), CFile::modeCreate | CFile::modeWrite, CFileException::badPath},
        {Path("bad<name>.bin"), CFile::modeRead, CFileException::badPath},
        {Path("folder"), CFile::modeRead, CFileException::accessDenied},
        {Path("folder"), CFile::modeCreate | CFile::modeWrite, CFileException::accessDenied},
    };
    for (const Case& c : cases) {
        CFile file;
        CFileException e;
        EXPECT_FALSE(file.Open(c.strPath.c_str(), c.nFlags, &e)) << c.strPath;
        EXPECT_EQ(e.m_cause, c.nCause) << c.strPath << " (system error " << e.m_lOsError << ")";
        EXPECT_EQ(e.m_strFileName.str(), c.strPath);
    }
}

// While one CFile holds a file nothing else opens, truncates, replaces or deletes it.
TEST_F(FileBackend, AnOpenFileIsNotShared) {
    CFile holder;
    ASSERT_TRUE(holder.Open(Path("data.bin").c_str(), CFile::modeRead));
    for (UINT nFlags : {UINT(CFile::modeRead), UINT(CFile::modeReadWrite),
                        UINT(CFile::modeCreate | CFile::modeWrite)}) {
        CFile other;
        CFileException e;
        EXPECT_FALSE(other.Open(Path("data.bin").c_str(), nFlags, &e)) << nFlags;
        EXPECT_EQ(e.m_cause, CFileException::sharingViolation) << nFlags;
    }
    EXPECT_FALSE(CFile::Remove(Path("data.bin").c_str()));
    ASSERT_TRUE(e2e::WriteWholeFile(Path("other.bin"), "x"));
    EXPECT_FALSE(CFile::Replace(Path("other.bin").c_str(), Path("data.bin").c_str()));
    EXPECT_EQ(holder.GetLength(), 10u);
    holder.Close();
    EXPECT_EQ(e2e::ReadWholeFile(Path("data.bin")), "0123456789");
}

TEST_F(FileBackend, OpenModesTruncateOrKeep) {
    struct Case {
        const char* pszName;
        UINT nFlags;
        ULONGLONG nLength;
    };
    const Case cases[] = {
        {"data.bin", CFile::modeCreate | CFile::modeWrite, 0},
        {"data.bin", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite, 10},
        {"data.bin", CFile::modeReadWrite, 10},
        {"new.bin", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(e2e::WriteWholeFile(Path("data.bin"), "0123456789"));
        CFile file;
        ASSERT_TRUE(file.Open(Path(c.pszName).c_str(), c.nFlags)) << c.pszName << " " << c.nFlags;
        EXPECT_EQ(file.GetLength(), c.nLength) << c.pszName << " " << c.nFlags;
    }
}

TEST_F(FileBackend, PositionsWritesAndReadsPastTheEnd) {
    CFile file;
    ASSERT_TRUE(file.Open(Path("data.bin").c_str(), CFile::modeReadWrite));
    EXPECT_EQ(file.Seek(4, CFile::begin), 4u);
    EXPECT_EQ(file.Seek(2, CFile::current), 6u);
    char buf[16];
    EXPECT_EQ(file.Read(buf, 16), 4u);
    EXPECT_EQ(file.Read(buf, 16), 0u);
    EXPECT_EQ(file.Seek(-10, CFile::end), 0u);
    file.Write("AB", 2);
    file.Flush();
    try {
        file.Seek(-11, CFile::end);
        ADD_FAILURE() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::badSeek);
    }
    EXPECT_EQ(file.Seek(12, CFile::begin), 12u);
    EXPECT_EQ(file.Read(buf, 4), 0u);
    file.Write("Z", 1);
    file.Close();
    EXPECT_EQ(e2e::ReadWholeFile(Path("data.bin")), std::string("AB23456789\0\0Z", 13));
}

TEST_F(FileBackend, ReplaceAndRemove) {
    ASSERT_TRUE(e2e::WriteWholeFile(Path("other.bin"), "new"));
    EXPECT_TRUE(CFile::Replace(Path("other.bin").c_str(), Path("data.bin").c_str()));
    EXPECT_EQ(e2e::ReadWholeFile(Path("data.bin")), "new");
    CFileException e;
    EXPECT_FALSE(CFile::Replace(Path("other.bin").c_str(), Path("data.bin").c_str(), &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(e2e::ReadWholeFile(Path("data.bin")), "new");
    EXPECT_TRUE(CFile::Remove(Path("data.bin").c_str()));
    EXPECT_FALSE(CFile::Remove(Path("data.bin").c_str()));
}

TEST_F(FileBackend, TextModeIsTheSameAsEverywhere) {
    {
        CStdioFile file;
        ASSERT_TRUE(file.Open(Path("text.txt").c_str(), CFile::modeCreate | CFile::modeWrite));
        file.WriteString("one\ntwo\n");
        file.Close();
    }
    EXPECT_EQ(e2e::ReadWholeFile(Path("text.txt")), "one\r\ntwo\r\n");
    CStdioFile file;
    ASSERT_TRUE(file.Open(Path("text.txt").c_str(), CFile::modeRead));
    CString line;
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_EQ(line.str(), "one");
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_EQ(line.str(), "two");
    EXPECT_FALSE(file.ReadString(line));
}

} // namespace
