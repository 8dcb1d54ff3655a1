// What the framework shows for an exception that left a message handler: one message box, whose
// text and type depend on the exception.
#pragma once

#include "framework/Exceptions.h"

struct CExceptionReport {
    CString strText;
    UINT nType; // MB_ flags: the icon and, for running out of memory, system-modal
};

// File exceptions: the cause's text with the stop icon. Out of memory: "Out of memory." with the
// exclamation icon, system-modal. Others: their own text, or "Internal application error.".
CExceptionReport AfxExceptionReport(const CException& e);
CExceptionReport AfxMemoryReport();
// An exception that is not the framework's; pszText may be null or empty.
CExceptionReport AfxForeignExceptionReport(const char* pszText);
