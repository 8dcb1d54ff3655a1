#include "ProgramRun.h"

#include "Controls.h"
#include "FileDialog.h"
#include "WindowSearch.h"

#include "res/resource.h"
#include "tools/SettingsBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace e2e {

namespace {

std::string SafeName(std::string s) {
    for (char& c : s)
        if (!isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-' && c != '.')
            c = '_';
    return s;
}

bool IsMainDialog(HWND h) { return GetDlgItem(h, IDC_DATPATH) && !IsMessageBox(h); }

int g_nRun = 0;

} // namespace

const char kAnyScriptFolder[] =
    "Łódź\\Игры\\ゲーム\\ゲームフォルダーゲームフォルダーゲームフォルダーゲームフォルダー"
    "ゲームフォルダーゲームフォルダーゲームフォルダーゲームフォルダー";

CProgramRun::CProgramRun(const std::string& strLeaf) {
    std::string name = "run";
    if (const ::testing::TestInfo* ti = ::testing::UnitTest::GetInstance()->current_test_info())
        name = std::string(ti->test_suite_name()) + "." + ti->name();
    // One test may run in two processes at once (a shard, and the run in another code page or
    // Windows version), each in a prefix with a wineserver of its own, where process ids repeat:
    // the run's folder is one that this run made.
    const std::string base = DirName(DirName(ExeDir())) + "\\e2e-runs\\" + SafeName(name) + "-";
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::u8path(DirName(base)), ec);
    do
        m_strRunFolder = base + std::to_string(++g_nRun);
    while (!std::filesystem::create_directory(std::filesystem::u8path(m_strRunFolder), ec) && !ec);
    m_strFolder = strLeaf.empty() ? m_strRunFolder : m_strRunFolder + "\\" + strLeaf;
    std::filesystem::create_directories(std::filesystem::u8path(m_strFolder), ec);
}

CProgramRun::CProgramRun(std::size_t nChars) : CProgramRun() {
    // Names of 100 characters at most, each after a backslash.
    std::string leaf;
    const std::size_t nHave = m_strFolder.size();
    for (std::size_t nMissing = nChars > nHave ? nChars - nHave : 0; nMissing > 1;) {
        // One character would be left for a last name that needs two with its backslash.
        const std::size_t nName = nMissing - 1 <= 100 ? nMissing - 1 : nMissing == 102 ? 99 : 100;
        leaf += "\\" + std::string(nName, 'p');
        nMissing -= nName + 1;
    }
    m_strFolder += leaf;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::u8path(m_strFolder), ec);
}

CProgramRun::~CProgramRun() {
    Kill();
    if (m_hProcess)
        CloseHandle(m_hProcess);
    if (!::testing::Test::HasFailure()) {
        std::error_code ec;
        std::filesystem::remove_all(std::filesystem::u8path(m_strRunFolder), ec);
    } else {
        std::printf("kept test folder %s\n", m_strFolder.c_str());
    }
}

std::string CProgramRun::PathOf(const std::string& relative) const {
    return m_strFolder + "\\" + relative;
}

std::string CProgramRun::ToolPathOf(const std::string& name) const {
    return m_strFolder + "\\RararIzorevo\\" + name;
}

bool CProgramRun::WriteFile(const std::string& relative, const std::string& bytes) {
    return WriteWholeFile(PathOf(relative), bytes);
}

bool CProgramRun::WriteSettings(const std::string& datPath) {
    return WriteFile("RararIzorevo\\pg2_flags.ini", kvtools::settingsFileBytes(datPath));
}

bool CProgramRun::WriteCatalogue(int cbFlags, int cbDossier, int cbStartScr,
                                 const std::vector<CCatalogueLine>& sets) {
    return WriteFile("RararIzorevo\\Desc.txt", CatalogueText(cbFlags, cbDossier, cbStartScr, sets));
}

bool CProgramRun::WriteMinimalLayout() {
    return WriteSettings(PathOf("Panzer2.dat")) &&
           WriteCatalogue(16, 16, 16, {{"f.shp", "d.shp", "s.shp", "Description"}});
}

bool CProgramRun::Start(const std::string& exe, const std::string& args) {
    std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    // KV_WINE_WINDOWS: the Windows Wine acts as for the program (winecfg's key: winxp, win7...).
    const char* pszWindows = std::getenv("KV_WINE_WINDOWS");
    if (pszWindows && RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine", "Version", REG_SZ,
                                      pszWindows, lstrlenA(pszWindows) + 1) != ERROR_SUCCESS)
        return false;
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                        m_strFolder.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    m_hProcess = pi.hProcess;
    m_pid = pi.dwProcessId;
    WaitForInputIdle(m_hProcess, kWaitMs);
    return true;
}

HWND CProgramRun::StartMainDialog(const std::string& exe) {
    return Start(exe) ? WaitMainDialog() : nullptr;
}

HWND CProgramRun::WaitWindow(bool (*match)(HWND), const char* what) {
    HWND found = nullptr;
    WaitUntil(what, [&] {
        for (HWND h : VisibleDialogs(m_pid))
            if (match(h)) {
                found = h;
                return true;
            }
        return false;
    });
    return found;
}

HWND CProgramRun::WaitMainDialog() { return WaitWindow(IsMainDialog, "the main dialog to show"); }
HWND CProgramRun::WaitMessageBox() { return WaitWindow(IsMessageBox, "a message box to show"); }
HWND CProgramRun::WaitFileDialog() {
    return WaitWindow(IsFileDialog, "the file-open dialog to show");
}

CMessageBoxInfo CProgramRun::WaitAndReadMessageBox() {
    HWND h = WaitMessageBox();
    return h ? ReadMessageBox(h) : CMessageBoxInfo();
}

bool CProgramRun::AnswerMessageBox(const std::string& strText, EIcon icon) {
    const CMessageBoxInfo box = WaitAndReadMessageBox();
    ExpectMessageBox(box, strText, icon);
    return box.m_h && Dismiss(box.m_h);
}

bool CProgramRun::Browse(HWND dlg, const std::string& typedPath, const std::string& shownPath) {
    Click(dlg, IDC_BROWSE);
    HWND fileDialog = WaitFileDialog();
    if (!fileDialog || !ChooseFileIn(fileDialog, typedPath))
        return false;
    // Browse fills the path box, then saves the settings without looking at its messages: the
    // path box is read with a sent message, which is answered only once Browse has returned.
    return WaitUntil("the path box to show " + shownPath,
                     [&] { return ItemText(dlg, IDC_DATPATH) == shownPath; });
}

bool CProgramRun::WaitExit(DWORD* exitCode) {
    if (!m_hProcess)
        return false;
    if (!WaitUntil("the program to end",
                   [&] { return WaitForSingleObject(m_hProcess, 0) == WAIT_OBJECT_0; })) {
        Kill();
        return false;
    }
    if (exitCode)
        GetExitCodeProcess(m_hProcess, exitCode);
    return true;
}

bool CProgramRun::IsRunning() const {
    return m_hProcess && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT;
}

void CProgramRun::Kill() {
    if (IsRunning()) {
        TerminateProcess(m_hProcess, 255);
        WaitForSingleObject(m_hProcess, kWaitMs);
    }
}

} // namespace e2e
