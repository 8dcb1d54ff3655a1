#include "framework/ExceptionReport.h"

#include "framework/MessageBoxType.h"

CExceptionReport AfxMemoryReport() {
    return {"Out of memory.", afx_mb::kOk | afx_mb::kIconExclamation | afx_mb::kSystemModal};
}

CExceptionReport AfxForeignExceptionReport(const char* pszText) {
    CString strText(pszText);
    if (strText.IsEmpty())
        strText = "Internal application error.";
    return {strText, afx_mb::kOk | afx_mb::kIconStop};
}

CExceptionReport AfxExceptionReport(const CException& e) {
    if (dynamic_cast<const CMemoryException*>(&e) != nullptr)
        return AfxMemoryReport();
    return AfxForeignExceptionReport(e.GetErrorMessage());
}
