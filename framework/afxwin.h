// The framework's windowing classes over plain Win32 (ANSI functions throughout): the application
// object, windows and dialogs, the combo-box wrapper, dialog data exchange, message maps, the
// file-open dialog and message boxes.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "framework/CFile.h"
#include "framework/CString.h"
#include "framework/Exceptions.h"

#include <string>
#include <type_traits>

#define afx_msg

#ifndef ID_HELP
#define ID_HELP 0xE146 // 57670, the framework's standard Help command
#endif

class CCmdTarget;
class CWnd;
class CDataExchange;

// --- Message maps -------------------------------------------------------------------------------

// A handler is called through a small function made for it, so that every entry has one type.
typedef LRESULT (*AFX_PHANDLER)(CCmdTarget* pTarget);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // 0 ends the map
    UINT nCode;    // WM_COMMAND: the notification code
    UINT nID;      // WM_COMMAND: the control or command id
    AFX_PHANDLER pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* pBaseMap;
    const AFX_MSGMAP_ENTRY* lpEntries;
};

namespace afx_detail {
template <class> struct MemberOf;
template <class C, class R> struct MemberOf<R (C::*)()> {
    using Class = C;
    using Result = R;
};

template <auto F> LRESULT Invoke(CCmdTarget* pTarget) {
    using Class = typename MemberOf<decltype(F)>::Class;
    using Result = typename MemberOf<decltype(F)>::Result;
    Class* p = static_cast<Class*>(pTarget);
    if constexpr (std::is_void_v<Result>) {
        (p->*F)();
        return 0;
    } else {
        return reinterpret_cast<LRESULT>((p->*F)());
    }
}
} // namespace afx_detail

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        typedef theClass ThisClass;                                                                \
        typedef baseClass TheBaseClass;                                                            \
        (void)sizeof(ThisClass);                                                                   \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, nullptr }                                                                           \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP map = {TheBaseClass::GetThisMessageMap(), &entries[0]};                \
    return &map;                                                                                   \
    }

#define ON_COMMAND(id, memberFxn) {WM_COMMAND, 0, (UINT)(id), &afx_detail::Invoke<memberFxn>},
#define ON_BN_CLICKED(id, memberFxn)                                                               \
    {WM_COMMAND, BN_CLICKED, (UINT)(id), &afx_detail::Invoke<memberFxn>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, &afx_detail::Invoke<&ThisClass::OnPaint>},
#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0, &afx_detail::Invoke<&ThisClass::OnQueryDragIcon>},

// The root of everything that has a message map.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Looks the message up in this class's map and then in its bases'; calls the first handler
    // found and returns TRUE, with the handler's result in *pResult.
    BOOL DispatchMap(UINT message, WPARAM wParam, LRESULT* pResult);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// --- Windows ------------------------------------------------------------------------------------

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SetDlgItemText(int nID, const char* pszText);
    int GetDlgItemText(int nID, CString& rString) const;
    HWND GetDlgItem(int nID) const;
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void UpdateWindow();
    void CenterWindow();

    // Data exchange between members and controls: TRUE from the controls, FALSE to them.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Asks for the system's default processing of the message being handled.
    void Default() { m_bDefault = TRUE; }
    afx_msg void OnPaint() { Default(); }
    // The map lookup (this window's, then the application's for commands), with the report of an
    // exception that leaves a handler. FALSE when the message is left to default processing.
    BOOL WindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

private:
    BOOL m_bDefault = FALSE;

    friend class CDataExchange;
};

// A dialog run modally from a template in the executable's resources.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Creates the dialog, runs its modal loop and returns the value given to EndDialog, or -1
    // when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

protected:
    // The base version puts the members into the controls.
    virtual BOOL OnInitDialog();
    // EXIT/Enter: exchange from the controls, then end with IDOK. Escape/close: end with IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();

    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleInitDialog();
    UINT m_nIDTemplate;
    BOOL m_bCentreAtStart = FALSE;
};

// Wrapper of a combo box; attached to its control by DDX_Control.
class CComboBox : public CWnd {
public:
    int AddString(const char* pszString);
    int SetCurSel(int nSelect);
    int GetCurSel() const;
    int GetLBText(int nIndex, CString& rString) const;
};

class CPaintDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }

    HDC m_hDC;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

// --- Dialog data exchange -----------------------------------------------------------------------

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    HWND PrepareCtrl(int nIDC) const;

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);

// --- Application --------------------------------------------------------------------------------

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    // Called once by the entry point; FALSE ends the program without a message loop.
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();

    HICON LoadIcon(UINT nIDResource) const;
    void Enable3dControlsStatic() {}

    // The executable's file name without its extension unless the constructor was given one.
    const char* m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()

private:
    CString m_strAppName;
    friend int AfxWinMain(HINSTANCE hInstance);
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
int AfxWinMain(HINSTANCE hInstance);

// --- The file-open dialog -----------------------------------------------------------------------

// lpszFilter: the choices of the dialog's file-type box, each a description and its patterns
// ended by '|', the last one by "||" ("Text (*.txt)|*.txt||"); nullptr shows every file.
class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                const char* lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                const char* lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file, else IDCANCEL (a failing dialog counts as cancelled).
    INT_PTR DoModal();
    CString GetPathName() const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    char m_szFileName[AFX_MAX_PATH_BYTES];
    std::string m_strFilter; // lpszFilter with each '|' made '\0'
};

// --- Message boxes ------------------------------------------------------------------------------

// A modal box owned by the main window (also while it is still hidden), captioned with the
// application name; the exclamation icon is added when the type names none (MessageBoxType.h).
int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The one report of an exception that left a handler: the one being handled, whatever its type;
// call only inside a catch block.
void AfxReportCurrentException();
