#include "ArchiveBuilder.h"

#include "framework/CFile.h"
#include "tests/support/FileOpHook.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FileException, TextsByCause) {
    const char* texts[] = {"No error occurred.",
                           "An unknown error occurred while accessing f.",
                           "f was not found.",
                           "f contains an invalid path.",
                           "f could not be opened because there are too many open files.",
                           "Access to f was denied.",
                           "An invalid file handle was associated with f.",
                           "f could not be removed because it is the current directory.",
                           "f could not be created because the directory is full.",
                           "Seek failed on f",
                           "A hardware I/O error was reported while accessing f.",
                           "A sharing violation occurred while accessing f.",
                           "A locking violation occurred while accessing f.",
                           "Disk full while accessing f.",
                           "An attempt was made to access f past its end."};
    for (int cause = 0; cause < 15; ++cause)
        EXPECT_EQ(CFileException(cause, -1, "f").GetErrorMessage().str(), texts[cause]) << cause;
    EXPECT_EQ(CFileException(99, -1, "f").GetErrorMessage().str(), texts[1]);
    EXPECT_EQ(CFileException(2).GetErrorMessage().str(), "an unnamed file was not found.");
}

TEST(File, FaultHookFailsAndCounts) {
    CTempFolder dir;
    const std::string path = dir.Path("fault.bin");
    dir.Write("fault.bin", Bytes(10, '0'));
    int nOps = 0;
    afx_test::SetFileOpHook([&](afx_test::FileOp op, const char*) {
        ++nOps;
        return op == afx_test::FileOp::Read ? afx_test::Fault::Short : afx_test::Fault::None;
    });
    char buf[10];
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
        EXPECT_EQ(f.Read(buf, 10), 5u);
        EXPECT_EQ(f.Read(buf, 1), 0u);
    }
    EXPECT_EQ(nOps, 4); // open, two reads, close
    afx_test::SetFileOpHook([](afx_test::FileOp op, const char*) {
        return op == afx_test::FileOp::Write ? afx_test::Fault::Fail : afx_test::Fault::None;
    });
    CFile w;
    ASSERT_TRUE(w.Open(path.c_str(), CFile::modeWrite));
    try {
        w.Write("x", 1);
        ADD_FAILURE() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.m_strFileName.str(), path);
    }
    afx_test::SetFileOpHook(nullptr);
    w.Close();
}

} // namespace
