// Message boxes and the report of an exception that left a handler.
#include "framework/afxwin.h"

#include "framework/ExceptionReport.h"
#include "framework/MessageBoxType.h"

#include <exception>
#include <new>

int AfxMessageBox(const char* lpszText, UINT nType, UINT) {
    CWinApp* pApp = AfxGetApp();
    // Owned by the main window, which may still be hidden (during its initialisation).
    HWND hOwner = nullptr;
    if (pApp != nullptr && pApp->m_pMainWnd != nullptr)
        hOwner = pApp->m_pMainWnd->m_hWnd;
    const char* pszCaption = pApp != nullptr ? pApp->m_pszAppName : nullptr;
    return ::MessageBoxA(hOwner, lpszText, pszCaption, AfxMessageBoxType(nType));
}

namespace {

void ReportException(const CException& e) {
    const CExceptionReport report = AfxExceptionReport(e);
    AfxMessageBox(report.strText, report.nType);
}

} // namespace

void AfxReportCurrentException() {
    try {
        throw;
    } catch (const CException& e) {
        ReportException(e);
    } catch (const std::bad_alloc&) {
        ReportException(CMemoryException());
    } catch (const std::exception& e) {
        const CExceptionReport report = AfxForeignExceptionReport(e.what());
        AfxMessageBox(report.strText, report.nType);
    } catch (...) {
        const CExceptionReport report = AfxForeignExceptionReport(nullptr);
        AfxMessageBox(report.strText, report.nType);
    }
}
