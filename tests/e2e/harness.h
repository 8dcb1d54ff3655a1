// Harness for the end-to-end tests: starts the real Kestrovane.exe in a fresh folder and drives
// its windows from this process, the way a person would see them.
//
// Where things are:
// - Kestrovane.exe is taken from the environment variable KV_EXE when it is set, otherwise from
//   two folders above e2e_tests.exe (build/windows/Kestrovane.exe beside
//   build/windows/tests/e2e/e2e_tests.exe).
// - Each CProgramRun makes its own folder under build/windows/e2e-runs/ (named after the test);
//   it is removed when the run ends, and kept when the test failed, for a look afterwards.
// - Screenshots go to build/windows/screenshots/ as BMP; tools/wine-run converts them to PNG.
//
// Rules for driving another process's windows under Wine (they avoid hangs and flaky tests):
// - Never SendMessage a click that opens a modal window (Browse, Install, EXIT): use Click(),
//   which posts. Reading texts and states uses SendMessageTimeout and is safe.
// - Every wait polls in 25 ms steps up to a deadline; a time-out returns nullptr/false, and the
//   test should ASSERT on it. When a CProgramRun goes out of scope and the program still runs,
//   it is terminated, so no test leaves a window behind.
//
// A typical test:
//   CProgramRun run;
//   run.WriteMinimalLayout();
//   ASSERT_TRUE(run.Start());
//   HWND dlg = run.WaitMainDialog();
//   ASSERT_TRUE(dlg);
//   Click(dlg, IDOK);
//   DWORD code = 0;
//   ASSERT_TRUE(run.WaitExit(5000, &code));
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The icon of a message box, told by the colours of its pixels.
enum class EIcon { None, Error, Exclamation, Information };
const char* IconName(EIcon icon);

// What a message box shows.
struct CMessageBoxInfo {
    HWND m_h = nullptr;
    std::string m_strCaption;
    std::string m_strText;
    std::vector<int> m_buttons; // the IDOK/IDCANCEL/IDABORT/IDRETRY/IDIGNORE/IDYES/IDNO that exist
    EIcon m_icon = EIcon::None;
};

// Folders and files.
std::string ExeDir();         // folder of e2e_tests.exe, no trailing backslash
std::string KestrovanePath(); // see the header comment
std::string ScreenshotDir();  // created on first use
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes); // makes parent folders

// Windows of another process.
std::vector<HWND> VisibleDialogs(DWORD pid); // visible top-level "#32770" windows of pid
bool IsMessageBox(HWND h);                   // has the message-box text static (id 0xFFFF)
bool IsFileDialog(HWND h);                   // has the file-name field (edt1 or cmb13)
// Polls the condition every 25 ms; false when it still fails after ms.
bool WaitUntil(const std::function<bool()>& condition, DWORD ms = 5000);
std::string WindowText(HWND h); // WM_GETTEXT with a time-out
std::string ClassName(HWND h);
std::string ItemText(HWND dlg, int id);
CMessageBoxInfo ReadMessageBox(HWND h); // waits up to 3 s for the icon to be painted
EIcon ReadIcon(HWND iconStatic);        // one look at the pixels on the screen
RECT ClientRectOnScreen(HWND h);

// Controls of another process.
std::vector<std::string> ComboItems(HWND combo); // CB_GETLBTEXT in UTF-16, as ANSI
int ComboCurSel(HWND combo);
int ComboCount(HWND combo);
bool SetText(HWND h, const std::string& text); // WM_SETTEXT
bool IsChecked(HWND button);                   // BM_GETCHECK == BST_CHECKED
void Click(HWND dlg, int id);                  // posts WM_COMMAND(id, BN_CLICKED)
void PostOk(HWND dlg);                         // posts WM_COMMAND(IDOK): dismisses a message box
HWND FocusedWindow(HWND anyWindowOfThread);    // GetGUIThreadInfo's hwndFocus
bool Sync(HWND h);                             // WM_NULL round trip: earlier posts are handled

// Saves the window's screen rectangle as a 24-bit BMP.
bool SaveScreenshot(HWND h, const std::string& bmpPath);

// Holds a file open without sharing, as another program would.
class CFileHold {
public:
    explicit CFileHold(const std::string& path);
    ~CFileHold();
    bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE; }
    CFileHold(const CFileHold&) = delete;
    CFileHold& operator=(const CFileHold&) = delete;

private:
    HANDLE m_h;
};

// One run of Kestrovane.exe in its own folder.
class CProgramRun {
public:
    CProgramRun();
    ~CProgramRun(); // terminates a program still running; removes the folder unless a test failed
    CProgramRun(const CProgramRun&) = delete;
    CProgramRun& operator=(const CProgramRun&) = delete;

    // The test folder (Windows path, no trailing backslash) and paths inside it.
    const std::string& Folder() const { return m_strFolder; }
    std::string PathOf(const std::string& relative) const; // Folder() + "\" + relative
    std::string ToolPathOf(const std::string& name) const; // Folder() + "\RararIzorevo\" + name

    // Writes bytes exactly as given (no line-end translation), creating folders as needed.
    bool WriteFile(const std::string& relative, const std::string& bytes);
    // RararIzorevo\pg2_flags.ini naming datPath as the archive.
    bool WriteSettings(const std::string& datPath);
    // RararIzorevo\Desc.txt: two comment lines, the three block sizes, one ignored line, then one
    // line per set, each "flags dossier startscr description".
    struct CSet {
        std::string m_strFlags, m_strDossier, m_strStartScr, m_strDescription;
    };
    bool WriteCatalogue(int cbFlags, int cbDossier, int cbStartScr, const std::vector<CSet>& sets);
    // Settings naming Folder()\Panzer2.dat and a catalogue of one set "f.shp d.shp s.shp
    // Description" with block sizes 16, 16, 16 (the set files themselves are not written).
    bool WriteMinimalLayout();

    // Starts Kestrovane.exe (or another program) with Folder() as its current directory and
    // waits for it to be idle.
    bool Start(const std::string& exe = KestrovanePath(), const std::string& args = "");

    // Waits for a visible window of the program; nullptr on time-out.
    HWND WaitMainDialog(DWORD ms = 10000);          // the dialog with the path box
    HWND WaitMessageBox(DWORD ms = 10000);          // any message box
    HWND WaitFileDialog(DWORD ms = 10000);          // the file-open dialog (has edt1, 0x480)
    HWND WaitWindow(bool (*match)(HWND), DWORD ms); // the first visible #32770 that matches
    // Waits for a message box and reads it; m_h is nullptr on time-out.
    CMessageBoxInfo WaitAndReadMessageBox(DWORD ms = 10000);
    // Types a path into the file-open dialog and posts Open.
    bool ChooseFile(const std::string& windowsPath, DWORD ms = 10000);

    // Waits for the program to end; false on time-out (the program is then terminated).
    bool WaitExit(DWORD ms, DWORD* exitCode);
    bool IsRunning() const;
    void Kill();
    DWORD Pid() const { return m_pid; }

private:
    std::string m_strFolder;
    HANDLE m_hProcess = nullptr;
    DWORD m_pid = 0;
};

} // namespace e2e
