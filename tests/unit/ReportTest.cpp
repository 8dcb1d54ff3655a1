// How the framework reports: the message-box type rule, the application name (the boxes'
// caption), the file exceptions' texts, and the report of escaping exceptions.
#include "framework/AppName.h"
#include "framework/ExceptionReport.h"
#include "framework/MessageBoxType.h"

#include <gtest/gtest.h>

namespace {

TEST(Report, MessageBoxTypeAddsExclamationOnlyToIconlessBoxesOfTheFourButtonSets) {
    struct Case {
        UINT nIn, nOut;
    };
    const Case cases[] = {
        {0x00, 0x30},     // OK
        {0x01, 0x31},     // OK, Cancel
        {0x02, 0x02},     // Abort, Retry, Ignore: left alone
        {0x03, 0x33},     // Yes, No, Cancel
        {0x04, 0x34},     // Yes, No
        {0x05, 0x05},     // Retry, Cancel: left alone
        {0x06, 0x06},     // Cancel, Try Again, Continue: left alone
        {0x10, 0x10},     // stop icon kept
        {0x20, 0x20},     // question icon kept
        {0x40, 0x40},     // information icon kept
        {0x34, 0x34},     // an icon already there
        {0x1000, 0x1030}, // other flags survive
        {0x1014, 0x1014},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AfxMessageBoxType(c.nIn), c.nOut) << std::hex << c.nIn;
}

TEST(Report, AppNameIsTheFileNameWithoutItsExtension) {
    struct Case {
        const char *pszPath, *pszName;
    };
    const Case cases[] = {
        {"C:\\Tools\\Kestrovane.exe", "Kestrovane"},
        {"Z:\\tmp\\copy\\Other Name.EXE", "Other Name"},
        {"Kestrovane.exe", "Kestrovane"},
        {"C:Kestrovane.exe", "Kestrovane"},
        {"/home/user/Kestrovane.v2.exe", "Kestrovane.v2"},
        {"C:\\dir.with.dots\\Tool", "Tool"},
        {"C:\\dir\\.hidden", ".hidden"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(AfxAppNameFromPath(c.pszPath), c.pszName) << c.pszPath;
}

// The texts word for word are the guide's (tools/check-guide-messages); here, that each cause
// has its own, and that all but none's name the file.
TEST(Report, FileExceptionTextsByCause) {
    const char* words[] = {"No error", "unknown", "not found", "invalid path", "too many",
                           "denied",   "handle",  "removed",   "created",      "Seek",
                           "hardware", "sharing", "locking",   "Disk full",    "past its end"};
    for (int cause = CFileException::none; cause <= CFileException::endOfFile; ++cause) {
        const std::string text = CFileException(cause, -1, "F.X").GetErrorMessage().str();
        EXPECT_NE(text.find(words[cause]), std::string::npos) << text;
        EXPECT_EQ(text.find("F.X") == std::string::npos, cause == CFileException::none) << text;
    }
    EXPECT_EQ(CFileException(99, -1, "F.X").GetErrorMessage().str(),
              CFileException(CFileException::generic, -1, "F.X").GetErrorMessage().str());
    EXPECT_EQ(CFileException(2).GetErrorMessage().str(), "an unnamed file was not found.");
}

struct CNamedException : CException {
    explicit CNamedException(const char* psz) : m_psz(psz) {}
    CString GetErrorMessage() const override { return m_psz; }
    const char* m_psz;
};

TEST(Report, ExceptionTextAndIconFollowItsKind) {
    const CExceptionReport file =
        AfxExceptionReport(CFileException(CFileException::fileNotFound, 2, "Z:\\a\\Desc.txt"));
    EXPECT_STREQ(file.strText, "Z:\\a\\Desc.txt was not found.");
    EXPECT_EQ(file.nType, 0x10u);

    const CExceptionReport unnamed = AfxExceptionReport(CFileException(CFileException::diskFull));
    EXPECT_STREQ(unnamed.strText, "Disk full while accessing an unnamed file.");
    EXPECT_EQ(unnamed.nType, 0x10u);

    const CExceptionReport memory = AfxExceptionReport(CMemoryException());
    EXPECT_STREQ(memory.strText, "Out of memory.");
    EXPECT_EQ(memory.nType, 0x1030u);
    EXPECT_STREQ(AfxMemoryReport().strText, "Out of memory.");

    EXPECT_STREQ(AfxExceptionReport(CException()).strText, "Internal application error.");
    EXPECT_STREQ(AfxExceptionReport(CNamedException("Odd state.")).strText, "Odd state.");
    EXPECT_EQ(AfxExceptionReport(CNamedException("Odd state.")).nType, 0x10u);
    EXPECT_STREQ(AfxForeignExceptionReport(nullptr).strText, "Internal application error.");
    EXPECT_STREQ(AfxForeignExceptionReport("").strText, "Internal application error.");
    EXPECT_STREQ(AfxForeignExceptionReport("vector::_M_range_check").strText,
                 "vector::_M_range_check");
}

} // namespace
