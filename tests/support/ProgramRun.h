// One run of Kestrovane.exe in its own folder, started and watched from this process.
//
// Each CProgramRun makes its own folder under build/windows/e2e-runs/ (named after the test); it
// is removed when the run ends, and kept when the test failed, for a look afterwards. Paths are
// UTF-8, as the tests' text is. A program
// still running when its CProgramRun goes out of scope is terminated, so no test leaves a window
// behind.
#pragma once

#include "CatalogueText.h"
#include "Files.h"
#include "MessageBox.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A folder named in three scripts, long enough that paths in it take more than MAX_PATH bytes in
// UTF-8 while they stay well below MAX_PATH characters.
extern const char kAnyScriptFolder[];

class CProgramRun {
public:
    // strLeaf: folders under the run's own one in which the program runs, when not empty.
    explicit CProgramRun(const std::string& strLeaf = "");
    // A run whose folder path is nChars characters long: ASCII folders under the run's own one.
    explicit CProgramRun(std::size_t nChars);
    ~CProgramRun();
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
    // RararIzorevo\Desc.txt (CatalogueText).
    bool WriteCatalogue(int cbFlags, int cbDossier, int cbStartScr,
                        const std::vector<CCatalogueLine>& sets);
    // Settings naming Folder()\Panzer2.dat and a catalogue of one set "f.shp d.shp s.shp
    // Description" with block sizes 16, 16, 16 (the set files themselves are not written).
    bool WriteMinimalLayout();

    // Starts Kestrovane.exe (or another program) with Folder() as its current directory and
    // waits for it to be idle.
    bool Start(const std::string& exe = KestrovanePath(), const std::string& args = "");
    // Starts the program and waits for its main dialog; nullptr when it did not show.
    HWND StartMainDialog(const std::string& exe = KestrovanePath());

    // Waits for a visible window of the program; nullptr on time-out.
    HWND WaitMainDialog(); // the dialog with the path box
    HWND WaitFileDialog(); // the file-open dialog
    // Waits for a message box and reads it; m_h is nullptr on time-out.
    CMessageBoxInfo WaitAndReadMessageBox();
    // Waits for a message box, checks it (ExpectMessageBox) and dismisses it; false when none
    // came or it stayed.
    bool AnswerMessageBox(const std::string& strText, EIcon icon);
    // Clicks Browse in the main dialog, types typedPath into the file-open dialog and opens it,
    // then waits until the path box shows shownPath and Browse has saved the settings.
    bool Browse(HWND dlg, const std::string& typedPath, const std::string& shownPath);

    // Waits for the program to end; false on time-out (the program is then terminated).
    bool WaitExit(DWORD* exitCode);
    bool IsRunning() const;
    DWORD Pid() const { return m_pid; }

private:
    // The first visible #32770 that matches; what names it in a failure.
    HWND WaitWindow(bool (*match)(HWND), const char* what);
    HWND WaitMessageBox();
    void Kill();

    std::string m_strRunFolder; // removed at the end, with the leaf
    std::string m_strFolder;
    HANDLE m_hProcess = nullptr;
    DWORD m_pid = 0;
};

} // namespace e2e
