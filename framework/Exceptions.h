// The framework's exceptions. They are thrown by value and caught once, at message dispatch,
// where the framework reports them (see ExceptionReport.h).
#pragma once

#include "framework/CString.h"

class CException {
public:
    virtual ~CException() = default;
    // The text shown to the user; empty when the exception carries none.
    virtual CString GetErrorMessage() const { return CString(); }
};

class CMemoryException : public CException {
public:
    CString GetErrorMessage() const override { return "Out of memory."; }
};

class CFileException : public CException {
public:
    enum {
        none = 0,
        generic = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14
    };

    CFileException(int cause = none, long lOsError = -1, const char* pszFileName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(pszFileName) {}

    // The cause's text with %1 replaced by the file name ("an unnamed file" when there is none).
    CString GetErrorMessage() const override;

    int m_cause;
    long m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, long lOsError = -1,
                                        const char* pszFileName = nullptr);
