#include "harness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace e2e {

namespace {

const DWORD kStepMs = 25;
const UINT kSendTimeoutMs = 2000;

// Polls pred every 25 ms until it yields a non-null value or ms have passed.
template <class F> auto Poll(DWORD ms, F pred) -> decltype(pred()) {
    DWORD start = GetTickCount();
    for (;;) {
        auto r = pred();
        if (r || GetTickCount() - start >= ms)
            return r;
        Sleep(kStepMs);
    }
}

std::string DirName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string SafeName(std::string s) {
    for (char& c : s)
        if (!isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-' && c != '.')
            c = '_';
    return s;
}

struct CEnumCtx {
    DWORD m_pid;
    std::vector<HWND>* m_out;
};

BOOL CALLBACK CollectDialog(HWND h, LPARAM lp) {
    CEnumCtx* ctx = reinterpret_cast<CEnumCtx*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == ctx->m_pid && IsWindowVisible(h) && ClassName(h) == "#32770")
        ctx->m_out->push_back(h);
    return TRUE;
}

bool IsMainDialog(HWND h) {
    HWND edit = GetDlgItem(h, 1000);
    return edit && !IsMessageBox(h);
}

// The file-name field: the edit edt1 (0x480), or in Wine's explorer-style dialog without a hook
// the combo box cmb13 (0x47C), whose edit takes WM_SETTEXT the same way.
HWND FileNameField(HWND h) {
    HWND field = GetDlgItem(h, 0x480);
    return field ? field : GetDlgItem(h, 0x47C);
}

bool WriteBmp(const std::string& path, int w, int h, const std::vector<unsigned char>& bits) {
    int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + stride * h;
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = stride * h;
    std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
    bytes.append(reinterpret_cast<const char*>(&ih), sizeof ih);
    bytes.append(reinterpret_cast<const char*>(bits.data()), bits.size());
    return WriteWholeFile(path, bytes);
}

// Copies a screen rectangle into a bottom-up DIB of the given bit depth.
bool GrabScreen(const RECT& r, int bitCount, std::vector<unsigned char>* bits) {
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    bi.bmiHeader.biCompression = BI_RGB;
    void* pv = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &pv, nullptr, 0);
    bool ok = false;
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        ok = BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY) != FALSE;
        GdiFlush();
        int stride = ((w * bitCount / 8) + 3) & ~3;
        const unsigned char* p = static_cast<const unsigned char*>(pv);
        bits->assign(p, p + stride * h);
        SelectObject(mem, old);
        DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

struct CIconFinder {
    HWND m_h = nullptr;
};

BOOL CALLBACK FindIconStatic(HWND h, LPARAM lp) {
    if (ClassName(h) == "Static" && (GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        reinterpret_cast<CIconFinder*>(lp)->m_h = h;
        return FALSE;
    }
    return TRUE;
}

int g_nRun = 0;

} // namespace

bool IsFileDialog(HWND h) { return FileNameField(h) != nullptr; }

bool WaitUntil(const std::function<bool()>& condition, DWORD ms) { return Poll(ms, condition); }

const char* IconName(EIcon icon) {
    switch (icon) {
    case EIcon::Error:
        return "error";
    case EIcon::Exclamation:
        return "exclamation";
    case EIcon::Information:
        return "information";
    default:
        return "none";
    }
}

std::string ExeDir() {
    char sz[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, sz, MAX_PATH);
    return DirName(sz);
}

std::string KestrovanePath() {
    char sz[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA("KV_EXE", sz, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return sz;
    return DirName(DirName(ExeDir())) + "\\Kestrovane.exe";
}

std::string ScreenshotDir() {
    std::string dir = DirName(DirName(ExeDir())) + "\\screenshots";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return dir;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(DirName(path), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<HWND> VisibleDialogs(DWORD pid) {
    std::vector<HWND> out;
    CEnumCtx ctx{pid, &out};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&ctx));
    return out;
}

bool IsMessageBox(HWND h) {
    HWND text = GetDlgItem(h, 0xFFFF);
    return text && ClassName(text) == "Static" && !GetDlgItem(h, 1000);
}

std::string WindowText(HWND h) {
    char sz[4096] = {};
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, sizeof sz, reinterpret_cast<LPARAM>(sz),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &got))
        return std::string();
    return std::string(sz, got < sizeof sz ? got : sizeof sz - 1);
}

std::string ClassName(HWND h) {
    char sz[256] = {};
    GetClassNameA(h, sz, sizeof sz);
    return sz;
}

std::string ItemText(HWND dlg, int id) {
    HWND h = GetDlgItem(dlg, id);
    return h ? WindowText(h) : std::string();
}

RECT ClientRectOnScreen(HWND h) {
    RECT r = {};
    GetClientRect(h, &r);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

EIcon ReadIcon(HWND iconStatic) {
    RECT r = {};
    GetWindowRect(iconStatic, &r);
    std::vector<unsigned char> bits;
    if (!GrabScreen(r, 32, &bits))
        return EIcon::None;
    int red = 0, yellow = 0, blue = 0;
    for (size_t i = 0; i + 3 < bits.size(); i += 4) {
        int b = bits[i], g = bits[i + 1], rr = bits[i + 2];
        if (rr >= 160 && g <= 100 && b <= 100)
            ++red;
        else if (rr >= 180 && g >= 150 && b <= 110)
            ++yellow;
        else if (b >= 150 && rr <= 120 && g <= 180)
            ++blue;
    }
    const int kMin = 20;
    if (red >= kMin && red >= yellow && red >= blue)
        return EIcon::Error;
    if (yellow >= kMin && yellow >= blue)
        return EIcon::Exclamation;
    if (blue >= kMin)
        return EIcon::Information;
    return EIcon::None;
}

CMessageBoxInfo ReadMessageBox(HWND h) {
    CMessageBoxInfo info;
    info.m_h = h;
    info.m_strCaption = WindowText(h);
    info.m_strText = ItemText(h, 0xFFFF);
    const int ids[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};
    for (int id : ids)
        if (GetDlgItem(h, id))
            info.m_buttons.push_back(id);
    CIconFinder finder;
    EnumChildWindows(h, FindIconStatic, reinterpret_cast<LPARAM>(&finder));
    if (finder.m_h) {
        // The box may not be painted yet: look again until the icon shows.
        Sync(h);
        HWND icon = finder.m_h;
        DWORD start = GetTickCount();
        while ((info.m_icon = ReadIcon(icon)) == EIcon::None && GetTickCount() - start < 3000)
            Sleep(kStepMs);
    }
    return info;
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    int n = ComboCount(combo);
    for (int i = 0; i < n; ++i) {
        // Across processes the list text only comes through the wide message.
        LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        std::wstring w(len > 0 ? static_cast<size_t>(len) + 1 : 1, L'\0');
        LRESULT got = SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&w[0]));
        w.resize(got > 0 ? static_cast<size_t>(got) : 0);
        std::string a;
        if (!w.empty()) {
            int cb = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr,
                                         0, nullptr, nullptr);
            a.resize(cb);
            WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), &a[0], cb, nullptr,
                                nullptr);
        }
        items.push_back(a);
    }
    return items;
}

int ComboCurSel(HWND combo) {
    DWORD_PTR r = static_cast<DWORD_PTR>(CB_ERR);
    SendMessageTimeoutA(combo, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
    return static_cast<int>(static_cast<LRESULT>(r));
}

int ComboCount(HWND combo) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
    return static_cast<int>(static_cast<LRESULT>(r));
}

bool SetText(HWND h, const std::string& text) {
    DWORD_PTR r = 0;
    return SendMessageTimeoutA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, kSendTimeoutMs, &r) &&
           r;
}

bool IsChecked(HWND button) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
    return r == BST_CHECKED;
}

void Click(HWND dlg, int id) {
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

void PostOk(HWND dlg) { Click(dlg, IDOK); }

HWND FocusedWindow(HWND anyWindowOfThread) {
    GUITHREADINFO gti = {};
    gti.cbSize = sizeof gti;
    DWORD tid = GetWindowThreadProcessId(anyWindowOfThread, nullptr);
    return GetGUIThreadInfo(tid, &gti) ? gti.hwndFocus : nullptr;
}

bool Sync(HWND h) {
    DWORD_PTR r = 0;
    return SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r) != 0;
}

bool SaveScreenshot(HWND h, const std::string& bmpPath) {
    Sync(h);
    RECT r = {};
    GetWindowRect(h, &r);
    std::vector<unsigned char> bits;
    if (!GrabScreen(r, 24, &bits))
        return false;
    return WriteBmp(bmpPath, r.right - r.left, r.bottom - r.top, bits);
}

CFileHold::CFileHold(const std::string& path)
    : m_h(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr)) {}

CFileHold::~CFileHold() {
    if (m_h != INVALID_HANDLE_VALUE)
        CloseHandle(m_h);
}

CProgramRun::CProgramRun() {
    std::string name = "run";
    if (const ::testing::TestInfo* ti = ::testing::UnitTest::GetInstance()->current_test_info())
        name = std::string(ti->test_suite_name()) + "." + ti->name();
    m_strFolder = DirName(DirName(ExeDir())) + "\\e2e-runs\\" + SafeName(name) + "-" +
                  std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++g_nRun);
    std::error_code ec;
    std::filesystem::remove_all(m_strFolder, ec);
    std::filesystem::create_directories(m_strFolder, ec);
}

CProgramRun::~CProgramRun() {
    Kill();
    if (m_hProcess)
        CloseHandle(m_hProcess);
    if (!::testing::Test::HasFailure()) {
        std::error_code ec;
        std::filesystem::remove_all(m_strFolder, ec);
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
    return WriteFile("RararIzorevo\\pg2_flags.ini", "/* PG2-flags.ini\r\npg2-panzer2.dat=" +
                                                        datPath + "\r\n/* end PG2-flags.ini\r\n");
}

bool CProgramRun::WriteCatalogue(int cbFlags, int cbDossier, int cbStartScr,
                                 const std::vector<CSet>& sets) {
    std::string text = "Graphic sets\r\nsizes, then the sets\r\n" + std::to_string(cbFlags) +
                       "\r\n" + std::to_string(cbDossier) + "\r\n" + std::to_string(cbStartScr) +
                       "\r\nflags dossier startscr description\r\n";
    for (const CSet& s : sets)
        text += s.m_strFlags + " " + s.m_strDossier + " " + s.m_strStartScr + " " +
                s.m_strDescription + "\r\n";
    return WriteFile("RararIzorevo\\Desc.txt", text);
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
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                        m_strFolder.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    m_hProcess = pi.hProcess;
    m_pid = pi.dwProcessId;
    WaitForInputIdle(m_hProcess, 10000);
    return true;
}

HWND CProgramRun::WaitWindow(bool (*match)(HWND), DWORD ms) {
    return Poll(ms, [this, match]() -> HWND {
        for (HWND h : VisibleDialogs(m_pid))
            if (match(h))
                return h;
        return nullptr;
    });
}

HWND CProgramRun::WaitMainDialog(DWORD ms) { return WaitWindow(IsMainDialog, ms); }
HWND CProgramRun::WaitMessageBox(DWORD ms) { return WaitWindow(IsMessageBox, ms); }
HWND CProgramRun::WaitFileDialog(DWORD ms) { return WaitWindow(IsFileDialog, ms); }

CMessageBoxInfo CProgramRun::WaitAndReadMessageBox(DWORD ms) {
    HWND h = WaitMessageBox(ms);
    return h ? ReadMessageBox(h) : CMessageBoxInfo();
}

bool CProgramRun::ChooseFile(const std::string& windowsPath, DWORD ms) {
    HWND dlg = WaitFileDialog(ms);
    if (!dlg || !SetText(FileNameField(dlg), windowsPath))
        return false;
    PostOk(dlg);
    return true;
}

bool CProgramRun::WaitExit(DWORD ms, DWORD* exitCode) {
    if (!m_hProcess)
        return false;
    if (WaitForSingleObject(m_hProcess, ms) != WAIT_OBJECT_0) {
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
        WaitForSingleObject(m_hProcess, 5000);
    }
}

} // namespace e2e
