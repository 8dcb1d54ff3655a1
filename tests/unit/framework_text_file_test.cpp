#include "ArchiveBuilder.h"

#include "framework/CStdioFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(TextFile, ReadsLines) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\n", {"a\rb"}},
        {"abc\x1A"
         "def\n",
         {"abc"}},
        {"abc\n\x1A"
         "def",
         {"abc"}},
        {"", {}},
        {std::string(20000, 'x') + "\n", {std::string(20000, 'x')}},
        {std::string(4095, 'y') + "\r\nz", {std::string(4095, 'y'), "z"}},
    };
    CTempFolder dir;
    const std::string path = dir.Path("lines.txt");
    for (const Case& c : cases) {
        dir.Write("lines.txt", Text(c.bytes));
        CStdioFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
        std::vector<std::string> got;
        CString line;
        while (f.ReadString(line))
            got.push_back(line.str());
        EXPECT_EQ(got, c.lines) << c.bytes.substr(0, 40);
        EXPECT_TRUE(line.IsEmpty());
        EXPECT_FALSE(f.ReadString(line));
    }
}

TEST(TextFile, WritesCrLf) {
    CTempFolder dir;
    CStdioFile f;
    ASSERT_TRUE(f.Open(dir.Path("out.txt").c_str(), CFile::modeCreate | CFile::modeWrite));
    f.WriteString("one\ntwo\n");
    f.Close();
    EXPECT_EQ(dir.Read("out.txt"), Text("one\r\ntwo\r\n"));
}

TEST(File, SecondOpenIsSharingViolation) {
    CTempFolder dir;
    const std::string path = dir.Path("locked.bin");
    dir.Write("locked.bin", Text("data"));
    CFile a, b;
    ASSERT_TRUE(a.Open(path.c_str(), CFile::modeRead));
    CFileException e;
    EXPECT_FALSE(b.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite, &e));
    EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
    EXPECT_EQ(a.GetLength(), 4u); // the failed create did not truncate it
}

} // namespace
