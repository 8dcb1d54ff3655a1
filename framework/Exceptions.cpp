#include "framework/Exceptions.h"

#include <new>

namespace {

const char* const kCauseTexts[] = {
    "No error occurred.",
    "An unknown error occurred while accessing %1.",
    "%1 was not found.",
    "%1 contains an invalid path.",
    "%1 could not be opened because there are too many open files.",
    "Access to %1 was denied.",
    "An invalid file handle was associated with %1.",
    "%1 could not be removed because it is the current directory.",
    "%1 could not be created because the directory is full.",
    "Seek failed on %1",
    "A hardware I/O error was reported while accessing %1.",
    "A sharing violation occurred while accessing %1.",
    "A locking violation occurred while accessing %1.",
    "Disk full while accessing %1.",
    "An attempt was made to access %1 past its end.",
};

} // namespace

CString CFileException::GetErrorMessage() const {
    const int nTexts = static_cast<int>(sizeof kCauseTexts / sizeof kCauseTexts[0]);
    const char* text =
        (m_cause >= 0 && m_cause < nTexts) ? kCauseTexts[m_cause] : kCauseTexts[generic];
    const char* name = m_strFileName.IsEmpty() ? "an unnamed file" : m_strFileName.GetString();
    CString out;
    for (const char* p = text; *p; ++p) {
        if (p[0] == '%' && p[1] == '1') {
            out += name;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

void AfxThrowFileException(int cause, long lOsError, const char* pszFileName) {
    throw CFileException(cause, lOsError, pszFileName);
}
