// CFile and CStdioFile on real files: open modes and their failures, positions, replace and
// remove, failures injected through the file-operation hook, and how often text files touch the
// disk.
#include "ArchiveBuilder.h"

#include "framework/CStdioFile.h"
#include "framework/FileFaults.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using afx_test::Fault;
using afx_test::FileOp;

namespace {

// Sets the hook for one scope.
class CHookScope {
public:
    explicit CHookScope(afx_test::FileOpHook hook) { afx_test::SetFileOpHook(std::move(hook)); }
    ~CHookScope() { afx_test::SetFileOpHook(nullptr); }
};

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(FileCases, OpenFailuresNameCauseAndPath) {
    CTempFolder dir;
    std::filesystem::create_directory(dir.Path("folder"));
    struct Case {
        const char* pszName;
        UINT nFlags;
        int nCause;
    };
    const Case cases[] = {
        {"missing.bin", CFile::modeRead, CFileException::fileNotFound},
        {"missing.bin", CFile::modeReadWrite, CFileException::fileNotFound},
        {"missing.bin", CFile::modeWrite, CFileException::fileNotFound},
        {"nofolder/new.bin", CFile::modeCreate | CFile::modeWrite, CFileException::badPath},
        {"folder", CFile::modeRead, CFileException::accessDenied},
        {"folder", CFile::modeReadWrite, CFileException::accessDenied},
        {"folder", CFile::modeCreate | CFile::modeWrite, CFileException::accessDenied},
    };
    for (const Case& c : cases) {
        const std::string strPath = dir.Path(c.pszName);
        CFile file;
        CFileException e;
        EXPECT_FALSE(file.Open(strPath.c_str(), c.nFlags, &e)) << c.pszName;
        EXPECT_EQ(e.m_cause, c.nCause) << c.pszName << " " << c.nFlags;
        EXPECT_EQ(e.m_strFileName.str(), strPath);
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("missing.bin")));

    CFile file;
    CFileException e;
    EXPECT_FALSE(file.Open("", CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::badPath);
}

TEST(FileCases, OpenModesCreateTruncateOrKeep) {
    CTempFolder dir;
    struct Case {
        const char* pszLabel;
        bool bExists;
        UINT nFlags;
        ULONGLONG nLength; // after the open
    };
    const Case cases[] = {
        {"create truncates", true, CFile::modeCreate | CFile::modeWrite, 0},
        {"create, read and write", true, CFile::modeCreate | CFile::modeReadWrite, 0},
        {"no-truncate keeps", true, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite,
         5},
        {"plain write keeps", true, CFile::modeWrite, 5},
        {"read-write keeps", true, CFile::modeReadWrite, 5},
        {"create makes it", false, CFile::modeCreate | CFile::modeWrite, 0},
        {"no-truncate makes it", false,
         CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite, 0},
    };
    for (const Case& c : cases) {
        const std::string strPath = dir.Path("mode.bin");
        std::filesystem::remove(strPath);
        if (c.bExists)
            dir.Write("mode.bin", Text("hello"));
        CFile file;
        ASSERT_TRUE(file.Open(strPath.c_str(), c.nFlags)) << c.pszLabel;
        EXPECT_EQ(file.GetLength(), c.nLength) << c.pszLabel;
        EXPECT_EQ(file.GetFilePath().str(), strPath);
        file.Close();
        EXPECT_EQ(dir.Read("mode.bin").size(), c.nLength) << c.pszLabel;
    }
}

TEST(FileCases, SeekLengthAndReadsPastTheEnd) {
    CTempFolder dir;
    dir.Write("pos.bin", Text("0123456789"));
    CFile file;
    ASSERT_TRUE(file.Open(dir.Path("pos.bin").c_str(), CFile::modeReadWrite));
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.Seek(4, CFile::begin), 4u);
    EXPECT_EQ(file.Seek(2, CFile::current), 6u);
    char buf[16] = {};
    EXPECT_EQ(file.Read(buf, 16), 4u); // only what is left
    EXPECT_EQ(std::string(buf, 4), "6789");
    EXPECT_EQ(file.Read(buf, 16), 0u);
    EXPECT_EQ(file.Seek(-1, CFile::end), 9u);
    EXPECT_EQ(file.Read(buf, 1), 1u);
    EXPECT_EQ(buf[0], '9');
    // Beyond the end is a valid place to read nothing from, or to write at.
    EXPECT_EQ(file.Seek(20, CFile::begin), 20u);
    EXPECT_EQ(file.Read(buf, 4), 0u);
    file.Write("X", 1);
    EXPECT_EQ(file.GetLength(), 21u);

    for (auto seek : std::vector<std::function<void()>>{
             [&] { file.Seek(-22, CFile::end); },
             [&] { file.Seek(-1, CFile::begin); },
             [&] { file.Seek(0, 3); },
         }) {
        try {
            seek();
            ADD_FAILURE() << "no exception";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, CFileException::badSeek);
            EXPECT_EQ(e.m_strFileName.str(), dir.Path("pos.bin"));
        }
    }
    file.Close();
    Bytes expected = Text("0123456789");
    expected.resize(20, 0);
    expected.push_back('X');
    EXPECT_EQ(dir.Read("pos.bin"), expected);
}

TEST(FileCases, ReplaceAndRemove) {
    CTempFolder dir;
    dir.Write("target", Text("the old, longer content"));
    dir.Write("source", Text("new"));
    CFileException e;
    EXPECT_TRUE(CFile::Replace(dir.Path("source").c_str(), dir.Path("target").c_str(), &e));
    EXPECT_EQ(dir.Read("target"), Text("new"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("source")));

    // A missing source leaves the target as it is.
    EXPECT_FALSE(CFile::Replace(dir.Path("source").c_str(), dir.Path("target").c_str(), &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(dir.Read("target"), Text("new"));

    EXPECT_TRUE(CFile::Remove(dir.Path("target").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("target")));
    EXPECT_FALSE(CFile::Remove(dir.Path("target").c_str()));
}

// A failure at each operation surfaces as its cause, names the file, and leaves no handle
// behind: the file opens again afterwards.
TEST(FileCases, InjectedFailuresThrowTheirCause) {
    CTempFolder dir;
    const std::string strPath = dir.Path("fault.bin");
    struct Case {
        const char* pszLabel;
        FileOp op;
        Fault fault;
        std::function<void(CFile&)> run;
        int nCause;
    };
    char buf[8];
    const std::vector<Case> cases = {
        {"read", FileOp::Read, Fault::Fail, [&](CFile& f) { f.Read(buf, 8); },
         CFileException::hardIO},
        {"short write", FileOp::Write, Fault::Short, [](CFile& f) { f.Write("abcdef", 6); },
         CFileException::diskFull},
        {"flush", FileOp::Flush, Fault::Fail, [](CFile& f) { f.Flush(); },
         CFileException::diskFull},
        {"seek", FileOp::Seek, Fault::Fail, [](CFile& f) { f.Seek(1, CFile::begin); },
         CFileException::badSeek},
        {"length", FileOp::Length, Fault::Fail, [](CFile& f) { f.GetLength(); },
         CFileException::generic},
        {"close", FileOp::Close, Fault::Fail, [](CFile& f) { f.Close(); },
         CFileException::diskFull},
    };
    for (const Case& c : cases) {
        dir.Write("fault.bin", Text("content"));
        {
            CFile file;
            ASSERT_TRUE(file.Open(strPath.c_str(), CFile::modeReadWrite));
            CHookScope hook(
                [&](FileOp op, const char*) { return op == c.op ? c.fault : Fault::None; });
            try {
                c.run(file);
                ADD_FAILURE() << c.pszLabel << ": no exception";
            } catch (const CFileException& e) {
                EXPECT_EQ(e.m_cause, c.nCause) << c.pszLabel;
                EXPECT_EQ(e.m_strFileName.str(), strPath) << c.pszLabel;
            }
        }
        CFile again;
        EXPECT_TRUE(again.Open(strPath.c_str(), CFile::modeReadWrite)) << c.pszLabel;
    }
}

// The same for text files, whose every failed read is generic and every failed write or close
// a full disk.
TEST(FileCases, InjectedTextFailuresThrowTheirCause) {
    CTempFolder dir;
    const std::string strPath = dir.Path("fault.txt");
    struct Case {
        const char* pszLabel;
        FileOp op;
        Fault fault;
        UINT nFlags;
        std::function<void(CStdioFile&)> run;
        int nCause;
    };
    CString line;
    const std::vector<Case> cases = {
        {"read a line", FileOp::Read, Fault::Fail, CFile::modeRead,
         [&](CStdioFile& f) { f.ReadString(line); }, CFileException::generic},
        {"write, then close", FileOp::Write, Fault::Fail, CFile::modeCreate | CFile::modeWrite,
         [](CStdioFile& f) {
             f.WriteString("one\n");
             f.Close();
         },
         CFileException::diskFull},
        {"short write, then close", FileOp::Write, Fault::Short,
         CFile::modeCreate | CFile::modeWrite,
         [](CStdioFile& f) {
             f.WriteString("one\n");
             f.Close();
         },
         CFileException::diskFull},
        {"close", FileOp::Close, Fault::Fail, CFile::modeCreate | CFile::modeWrite,
         [](CStdioFile& f) {
             f.WriteString("one\n");
             f.Close();
         },
         CFileException::diskFull},
        {"flush", FileOp::Flush, Fault::Fail, CFile::modeCreate | CFile::modeWrite,
         [](CStdioFile& f) {
             f.WriteString("one\n");
             f.Flush();
         },
         CFileException::diskFull},
    };
    for (const Case& c : cases) {
        dir.Write("fault.txt", Text("line\r\n"));
        {
            CStdioFile file;
            ASSERT_TRUE(file.Open(strPath.c_str(), c.nFlags));
            CHookScope hook(
                [&](FileOp op, const char*) { return op == c.op ? c.fault : Fault::None; });
            try {
                c.run(file);
                ADD_FAILURE() << c.pszLabel << ": no exception";
            } catch (const CFileException& e) {
                EXPECT_EQ(e.m_cause, c.nCause) << c.pszLabel;
                EXPECT_EQ(e.m_strFileName.str(), strPath) << c.pszLabel;
            }
            EXPECT_FALSE(c.op == FileOp::Close && file.IsOpen()) << c.pszLabel;
        }
        CFile again;
        EXPECT_TRUE(again.Open(strPath.c_str(), CFile::modeReadWrite)) << c.pszLabel;
    }
}

// Text goes to and from the disk in blocks, never a system call per byte or per line.
TEST(FileCases, TextFilesMoveInBlocks) {
    CTempFolder dir;
    const std::string strPath = dir.Path("long.txt");
    const int nLines = 10000;
    int nWrites = 0, nReads = 0;
    CHookScope hook([&](FileOp op, const char*) {
        nWrites += op == FileOp::Write;
        nReads += op == FileOp::Read;
        return Fault::None;
    });
    {
        CStdioFile file;
        ASSERT_TRUE(file.Open(strPath.c_str(), CFile::modeCreate | CFile::modeWrite));
        for (int i = 0; i < nLines; ++i)
            file.WriteString(("line " + std::to_string(i) + "\n").c_str());
        file.Close();
    }
    const std::size_t nBytes = dir.Read("long.txt").size();
    ASSERT_GT(nBytes, 100000u);
    EXPECT_LE(nWrites, static_cast<int>(nBytes / 1024) + 1);

    CStdioFile file;
    ASSERT_TRUE(file.Open(strPath.c_str(), CFile::modeRead));
    CString line;
    int nRead = 0;
    while (file.ReadString(line)) {
        if (nRead == 9999) {
            EXPECT_EQ(line.str(), "line 9999");
        }
        ++nRead;
    }
    EXPECT_EQ(nRead, nLines);
    EXPECT_LE(nReads, static_cast<int>(nBytes / 1024) + 2);
}

} // namespace
