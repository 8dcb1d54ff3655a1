// The framework's file classes over the Win32 back end, in this process: which system error
// becomes which cause, what no sharing keeps out, and the open modes, on real files.
#include "harness.h"

#include "framework/CFile.h"
#include "framework/CStdioFile.h"
#include "tests/support/FileOpHook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// Replace takes the target's place; Rename never replaces, and neither moves a file that is
// open. A move that fails leaves both files as they were.
TEST_F(FileBackend, ReplaceAndRenameMoveOrLeaveBoth) {
    struct Case {
        const char* pszLabel;
        BOOL (*pfnMove)(const char*, const char*, CFileException*);
        const char* pszTarget; // content before, or nullptr when there is none
        bool bHoldSource;
        BOOL bMoved;
        int nCause;
    };
    const Case cases[] = {
        {"replace over a file", CFile::Replace, "0123456789", false, TRUE, 0},
        {"rename to a new name", CFile::Rename, nullptr, false, TRUE, 0},
        {"rename over a file", CFile::Rename, "0123456789", false, FALSE, CFileException::generic},
        {"rename of an open file", CFile::Rename, nullptr, true, FALSE,
         CFileException::sharingViolation},
    };
    for (const Case& c : cases) {
        ::DeleteFileA(Path("data.bin").c_str());
        if (c.pszTarget) {
            ASSERT_TRUE(e2e::WriteWholeFile(Path("data.bin"), c.pszTarget));
        }
        ASSERT_TRUE(e2e::WriteWholeFile(Path("other.bin"), "new"));
        CFile holder;
        if (c.bHoldSource) {
            ASSERT_TRUE(holder.Open(Path("other.bin").c_str(), CFile::modeRead));
        }
        CFileException e;
        EXPECT_EQ(c.pfnMove(Path("other.bin").c_str(), Path("data.bin").c_str(), &e), c.bMoved)
            << c.pszLabel;
        holder.Abort();
        EXPECT_EQ(::GetFileAttributesA(Path("other.bin").c_str()) != INVALID_FILE_ATTRIBUTES,
                  !c.bMoved)
            << c.pszLabel;
        if (c.bMoved) {
            EXPECT_EQ(e2e::ReadWholeFile(Path("data.bin")), "new") << c.pszLabel;
            continue;
        }
        EXPECT_EQ(e.m_cause, c.nCause) << c.pszLabel << " (system error " << e.m_lOsError << ")";
        EXPECT_EQ(::GetFileAttributesA(Path("data.bin").c_str()) != INVALID_FILE_ATTRIBUTES,
                  c.pszTarget != nullptr)
            << c.pszLabel;
        if (c.pszTarget) {
            EXPECT_EQ(e2e::ReadWholeFile(Path("data.bin")), c.pszTarget) << c.pszLabel;
        }
    }
    CFileException e;
    EXPECT_FALSE(CFile::Rename(Path("missing.bin").c_str(), Path("new.bin").c_str(), &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_TRUE(CFile::Remove(Path("other.bin").c_str()));
    EXPECT_FALSE(CFile::Remove(Path("other.bin").c_str()));
}

// Unique files are new, distinct, open for reading and writing and not shared, and can be
// renamed once closed.
TEST_F(FileBackend, UniqueFilesAreNewAndUnshared) {
    const std::string strFolder = m_strDir + "\\";
    CFile first, second;
    ASSERT_TRUE(first.OpenUnique(strFolder.c_str(), "x."));
    ASSERT_TRUE(second.OpenUnique(strFolder.c_str(), "x."));
    const std::string strPath = first.GetFilePath().str();
    EXPECT_NE(strPath, second.GetFilePath().str());
    EXPECT_EQ(strPath.rfind(strFolder + "x.", 0), 0u) << strPath;
    first.Write("abc", 3);
    first.SeekToBegin();
    char buf[3];
    EXPECT_EQ(first.Read(buf, 3), 3u);
    // Even a reader that would share everything is kept out.
    HANDLE hOther = ::CreateFileA(strPath.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD dwError = ::GetLastError();
    EXPECT_EQ(hOther, INVALID_HANDLE_VALUE);
    EXPECT_EQ(dwError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (hOther != INVALID_HANDLE_VALUE)
        ::CloseHandle(hOther);
    first.Close();
    EXPECT_TRUE(CFile::Rename(strPath.c_str(), Path("new.bin").c_str()));
    EXPECT_EQ(e2e::ReadWholeFile(Path("new.bin")), "abc");
    const std::string strSecond = second.GetFilePath().str();
    second.Close();
    EXPECT_TRUE(CFile::Remove(strSecond.c_str()));

    // A name that a file or a folder takes just before the create is passed over.
    std::vector<std::string> taken;
    afx_test::SetFileOpHook([&](afx_test::FileOp op, const char* pszPath) {
        if (op == afx_test::FileOp::Create && taken.size() < 2) {
            taken.push_back(pszPath);
            if (taken.size() == 1)
                e2e::WriteWholeFile(pszPath, "taken");
            else
                ::CreateDirectoryA(pszPath, nullptr);
        }
        return afx_test::Fault::None;
    });
    CFile third;
    const BOOL bThird = third.OpenUnique(strFolder.c_str(), "x.");
    afx_test::SetFileOpHook(nullptr);
    EXPECT_TRUE(bThird);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(e2e::ReadWholeFile(taken[0]), "taken");
    EXPECT_TRUE(::GetFileAttributesA(taken[1].c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    const std::string strThird = third.GetFilePath().str();
    third.Close();
    for (const std::string& strPath : {taken[0], strThird})
        EXPECT_TRUE(CFile::Remove(strPath.c_str())) << strPath;
    EXPECT_TRUE(::RemoveDirectoryA(taken[1].c_str()));

    CFile file;
    CFileException e;
    EXPECT_FALSE(file.OpenUnique((m_strDir + "\\nofolder\\").c_str(), "x.", &e));
    EXPECT_EQ(e.m_cause, CFileException::badPath) << "system error " << e.m_lOsError;
    EXPECT_FALSE(file.IsOpen());
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
