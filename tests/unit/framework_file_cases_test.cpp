// CFile and CStdioFile on real files: open modes and their failures, positions, replace, rename,
// unique files and remove, failures injected through the file-operation hook, and how often text
// files touch the disk.
#include "ArchiveBuilder.h"

#include "framework/CStdioFile.h"
#include "tests/support/FileOpHook.h"

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

// Replace takes the target's place whatever is there; Rename never replaces anything; neither
// moves a file that is open. A move that fails leaves both files as they were.
TEST(FileCases, ReplaceAndRenameMoveOrLeaveBoth) {
    struct Case {
        const char* pszLabel;
        BOOL (*pfnMove)(const char*, const char*, CFileException*);
        const char* pszTarget; // content before, or nullptr when there is none
        const char* pszHeld;   // the file held open meanwhile, if any
        BOOL bMoved;
        int nCause;
    };
    const Case cases[] = {
        {"replace over a file", CFile::Replace, "the old, longer content", nullptr, TRUE, 0},
        {"replace to a new name", CFile::Replace, nullptr, nullptr, TRUE, 0},
        {"rename to a new name", CFile::Rename, nullptr, nullptr, TRUE, 0},
        {"rename over a file", CFile::Rename, "old", nullptr, FALSE, CFileException::generic},
        {"rename over an empty file", CFile::Rename, "", nullptr, FALSE, CFileException::generic},
        {"replace over an open file", CFile::Replace, "old", "target", FALSE,
         CFileException::sharingViolation},
        {"replace of an open file", CFile::Replace, "old", "source", FALSE,
         CFileException::sharingViolation},
        {"rename of an open file", CFile::Rename, nullptr, "source", FALSE,
         CFileException::sharingViolation},
    };
    for (const Case& c : cases) {
        CTempFolder dir;
        dir.Write("source", Text("new"));
        if (c.pszTarget)
            dir.Write("target", Text(c.pszTarget));
        CFile held;
        if (c.pszHeld) {
            ASSERT_TRUE(held.Open(dir.Path(c.pszHeld).c_str(), CFile::modeRead));
        }
        CFileException e;
        EXPECT_EQ(c.pfnMove(dir.Path("source").c_str(), dir.Path("target").c_str(), &e), c.bMoved)
            << c.pszLabel;
        held.Abort();
        EXPECT_EQ(dir.Read("target"), Text(c.bMoved      ? "new"
                                           : c.pszTarget ? c.pszTarget
                                                         : ""))
            << c.pszLabel;
        EXPECT_EQ(std::filesystem::exists(dir.Path("source")), !c.bMoved) << c.pszLabel;
        EXPECT_EQ(std::filesystem::exists(dir.Path("target")), c.bMoved || c.pszTarget)
            << c.pszLabel;
        if (!c.bMoved) {
            EXPECT_EQ(e.m_cause, c.nCause) << c.pszLabel;
            continue;
        }
        // The source is gone now: moving it again fails and leaves the target alone.
        EXPECT_FALSE(c.pfnMove(dir.Path("source").c_str(), dir.Path("target").c_str(), &e));
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound) << c.pszLabel;
        EXPECT_EQ(dir.Read("target"), Text("new")) << c.pszLabel;
    }

    CTempFolder dir;
    dir.Write("target", Text("x"));
    EXPECT_TRUE(CFile::Remove(dir.Path("target").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("target")));
    EXPECT_FALSE(CFile::Remove(dir.Path("target").c_str()));
}

// Each unique file is new, in the folder given, open for reading and writing, and not shared.
TEST(FileCases, UniqueFilesAreNewAndUnshared) {
    CTempFolder dir;
    CFile first, second;
    ASSERT_TRUE(first.OpenUnique(dir.Prefix().c_str(), "x."));
    ASSERT_TRUE(second.OpenUnique(dir.Prefix().c_str(), "x."));
    const std::string strFirst = first.GetFilePath().str();
    EXPECT_NE(strFirst, second.GetFilePath().str());
    for (const CFile* pFile : {&first, &second}) {
        const std::string strPath = pFile->GetFilePath().str();
        EXPECT_EQ(strPath.rfind(dir.Prefix() + "x.", 0), 0u) << strPath;
        EXPECT_EQ(strPath.substr(strPath.size() - 4), ".tmp") << strPath;
        EXPECT_EQ(pFile->GetLength(), 0u) << strPath;
    }
    first.Write("abc", 3);
    first.SeekToBegin();
    char buf[3];
    EXPECT_EQ(first.Read(buf, 3), 3u);
    CFile other;
    CFileException e;
    EXPECT_FALSE(other.Open(strFirst.c_str(), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
    first.Close();
    EXPECT_EQ(dir.Read(strFirst.substr(dir.Prefix().size())), Text("abc"));
}

// Names that something else takes between the draw and the create are passed over, and never
// touched; a folder that cannot hold the file ends in its cause.
TEST(FileCases, UniqueFilesPassOverTakenNames) {
    struct Case {
        const char* pszLabel;
        const char* pszFolder; // under the test folder
        int nTaken;            // names taken just before their create: a file, a folder, a file...
        Fault createFault;
        int nCause; // none: the file is made
    };
    const Case cases[] = {
        {"three names taken", "", 3, Fault::None, CFileException::none},
        {"every name taken", "", 1000, Fault::None, CFileException::directoryFull},
        {"create refused", "", 0, Fault::Fail, CFileException::generic},
        {"missing folder", "missing/", 0, Fault::None, CFileException::badPath},
        {"no separator", "dir", 0, Fault::None, CFileException::badPath},
    };
    for (const Case& c : cases) {
        CTempFolder dir;
        std::vector<std::string> taken;
        CHookScope hook([&](FileOp op, const char* pszPath) {
            if (op != FileOp::Create)
                return Fault::None;
            if (static_cast<int>(taken.size()) < c.nTaken) {
                taken.push_back(pszPath);
                if (taken.size() % 2)
                    std::ofstream(pszPath) << "taken";
                else
                    std::filesystem::create_directory(pszPath);
            }
            return c.createFault;
        });
        CFile file;
        CFileException e;
        const BOOL bMade = file.OpenUnique((dir.Prefix() + c.pszFolder).c_str(), "x.", &e);
        EXPECT_EQ(bMade, c.nCause == CFileException::none) << c.pszLabel;
        EXPECT_EQ(file.IsOpen(), bMade) << c.pszLabel;
        if (!bMade) {
            EXPECT_EQ(e.m_cause, c.nCause) << c.pszLabel;
        }
        std::size_t nFiles = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
            nFiles += entry.is_regular_file();
        EXPECT_EQ(nFiles, (taken.size() + 1) / 2 + bMade) << c.pszLabel;
        for (std::size_t i = 0; i < taken.size(); i += 2)
            EXPECT_EQ(dir.Read(taken[i].substr(dir.Prefix().size())), Text("taken"));
    }
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
