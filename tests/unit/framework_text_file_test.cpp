#include "framework/CStdioFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string TempPath(const char* name) {
    return ::testing::TempDir() + std::to_string(::getpid()) + "_" + name;
}

void WriteRaw(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

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
    std::string path = TempPath("lines.txt");
    for (const Case& c : cases) {
        WriteRaw(path, c.bytes);
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
    std::remove(path.c_str());
}

TEST(TextFile, WritesCrLf) {
    std::string path = TempPath("out.txt");
    {
        CStdioFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        f.WriteString("one\ntwo\n");
        f.Close();
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "one\r\ntwo\r\n");
    std::remove(path.c_str());
}

TEST(File, SecondOpenIsSharingViolation) {
    std::string path = TempPath("locked.bin");
    WriteRaw(path, "data");
    CFile a, b;
    ASSERT_TRUE(a.Open(path.c_str(), CFile::modeRead));
    CFileException e;
    EXPECT_FALSE(b.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite, &e));
    EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
    EXPECT_EQ(a.GetLength(), 4u); // the failed create did not truncate it
    std::remove(path.c_str());
}

} // namespace
