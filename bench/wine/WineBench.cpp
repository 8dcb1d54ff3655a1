// Under Wine: how long the tool takes from CreateProcess to its visible main dialog, beside an
// empty dialog built by the same toolchain and beside a dialog that does nothing but show the
// tool's own template (the three started in turn, round after round), how long from the Install
// click to its message box, and the peak working set of the tool and of the empty dialog. Prints
// one row per figure, medians over the rounds: kv_wine_bench.exe [ROUNDS].
#include "harness.h"

#include "tools/ArchiveBytes.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kBlock = 64 * 1024;
constexpr int kIdcInstall = 1007;
constexpr int kIdcDatPath = 1000;

double NowMs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Polls every millisecond: the figures are a few hundred milliseconds, a coarser step would
// show in them.
HWND WaitVisible(DWORD pid, bool (*match)(HWND)) {
    const double dEnd = NowMs() + e2e::kWaitMs;
    while (NowMs() < dEnd) {
        for (HWND h : e2e::VisibleDialogs(pid))
            if (match(h))
                return h;
        Sleep(1);
    }
    return nullptr;
}

bool IsToolDialog(HWND h) { return GetDlgItem(h, kIdcDatPath) && !e2e::IsMessageBox(h); }
bool IsAnyDialog(HWND h) { return !e2e::IsMessageBox(h); }

double PeakMiB(DWORD pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    const BOOL bOk = h && GetProcessMemoryInfo(h, &pmc, sizeof pmc);
    if (h)
        CloseHandle(h);
    return bOk ? static_cast<double>(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0) : -1;
}

std::string Block(char c) { return std::string(kBlock, c); }

struct CToolRound {
    double dStartMs = -1, dInstallMs = -1, dStartPeakMiB = -1, dPeakMiB = -1;
};

// One run of the tool on a 400-entry archive and a set of three 64 KiB files.
CToolRound RunTool(const std::string& strExe) {
    CToolRound r;
    e2e::CProgramRun run;
    const kvtools::Bytes archive =
        kvtools::BuildArchive(kvtools::StandardEntries(kBlock, 1024, 392));
    if (!run.WriteSettings(run.PathOf("Panzer2.dat")) ||
        !run.WriteCatalogue(kBlock, kBlock, kBlock,
                            {{"flags.shp", "dossier.shp", "start.shp", "Benchmark set"}}) ||
        !run.WriteFile("RararIzorevo\\flags.shp", Block('f')) ||
        !run.WriteFile("RararIzorevo\\dossier.shp", Block('d')) ||
        !run.WriteFile("RararIzorevo\\start.shp", Block('s')) ||
        !run.WriteFile("Panzer2.dat", std::string(archive.begin(), archive.end())))
        return r;
    const double t0 = NowMs();
    if (!run.Start(strExe))
        return r;
    HWND dlg = WaitVisible(run.Pid(), IsToolDialog);
    if (!dlg)
        return r;
    r.dStartMs = NowMs() - t0;
    r.dStartPeakMiB = PeakMiB(run.Pid());

    const double t1 = NowMs();
    e2e::Click(dlg, kIdcInstall);
    HWND box = WaitVisible(run.Pid(), e2e::IsMessageBox);
    if (!box)
        return r;
    const double dInstall = NowMs() - t1;
    // Only a success counts: a failed install would be quick for the wrong reason.
    if (e2e::ItemText(box, 0xFFFF).rfind("Congratulations!", 0) == 0)
        r.dInstallMs = dInstall;
    r.dPeakMiB = PeakMiB(run.Pid());
    e2e::Dismiss(box);
    e2e::Press(dlg, IDOK);
    DWORD code = 0;
    run.WaitExit(&code);
    return r;
}

struct CMinimalRound {
    double dStartMs = -1, dPeakMiB = -1;
};

CMinimalRound RunMinimal(const std::string& strExe) {
    CMinimalRound r;
    e2e::CProgramRun run;
    const double t0 = NowMs();
    if (!run.Start(strExe))
        return r;
    HWND dlg = WaitVisible(run.Pid(), IsAnyDialog);
    if (!dlg)
        return r;
    r.dStartMs = NowMs() - t0;
    r.dPeakMiB = PeakMiB(run.Pid());
    e2e::Press(dlg, IDOK);
    DWORD code = 0;
    run.WaitExit(&code);
    return r;
}

// The median of the figures that were measured (failed rounds give -1); -1 when none was.
double Median(std::vector<double> v) {
    v.erase(std::remove_if(v.begin(), v.end(), [](double d) { return d < 0; }), v.end());
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Parent(const std::string& strPath) { return strPath.substr(0, strPath.rfind('\\')); }

} // namespace

int main(int argc, char** argv) {
    const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    // build\windows\bench\wine\kv_wine_bench.exe; the tool is build\windows\Kestrovane.exe.
    const char* pszExe = std::getenv("KV_EXE");
    const std::string strTool =
        pszExe ? pszExe : Parent(Parent(e2e::ExeDir())) + "\\Kestrovane.exe";
    const std::string strMinimal = e2e::ExeDir() + "\\kv_minimal_dialog.exe";
    const std::string strTemplate = e2e::ExeDir() + "\\kv_template_dialog.exe";

    // One start of each first, not counted: it brings the files into the cache.
    RunMinimal(strMinimal);
    RunMinimal(strTemplate);
    RunTool(strTool);
    std::vector<double> toolStart, toolInstall, toolStartPeak, toolPeak, minStart, minPeak,
        tplStart;
    for (int i = 0; i < nRounds; ++i) {
        // Turn the order round each round, so none always finds another's leftovers.
        for (int k = 0; k < 3; ++k) {
            const int nWhich = (i + k) % 3;
            if (nWhich == 0) {
                const CToolRound r = RunTool(strTool);
                toolStart.push_back(r.dStartMs);
                toolInstall.push_back(r.dInstallMs);
                toolStartPeak.push_back(r.dStartPeakMiB);
                toolPeak.push_back(r.dPeakMiB);
            } else if (nWhich == 1) {
                const CMinimalRound r = RunMinimal(strMinimal);
                minStart.push_back(r.dStartMs);
                minPeak.push_back(r.dPeakMiB);
            } else {
                tplStart.push_back(RunMinimal(strTemplate).dStartMs);
            }
        }
    }
    const double dToolStart = Median(toolStart), dMinStart = Median(minStart);
    const double dToolPeak = Median(toolPeak), dMinPeak = Median(minPeak);
    const double dInstall = Median(toolInstall), dTplStart = Median(tplStart);
    const double dLimit = dMinPeak + 3.0 * kBlock / (1024.0 * 1024.0) + 1.0;
    std::printf("%-44s %9.1f ms  tool, CreateProcess to visible dialog (%d rounds)\n",
                "Wine: start-up", dToolStart, nRounds);
    std::printf("%-44s %9.1f ms\n", "Wine: start-up of an empty dialog", dMinStart);
    if (dToolStart > 0 && dMinStart > 0)
        std::printf("%-44s %9.2f x   target: at most 1.2\n", "Wine: start-up / empty dialog",
                    dToolStart / dMinStart);
    std::printf("%-44s %9.1f ms  same, with the tool's template, pictures and icon\n",
                "Wine: start-up of that dialog, tool's content", dTplStart);
    if (dTplStart > 0 && dMinStart > 0)
        std::printf("%-44s %9.2f x   what the dialog's content costs\n",
                    "Wine: tool's content / empty dialog", dTplStart / dMinStart);
    if (dToolStart > 0 && dTplStart > 0)
        std::printf("%-44s %9.2f x   what the tool's own code costs\n",
                    "Wine: start-up / dialog with tool's content", dToolStart / dTplStart);
    std::printf("%-44s %9.1f ms  click to message box\n", "Wine: install, 400 entries, 3 x 64 KiB",
                dInstall);
    std::printf("%-44s %9.2f MiB  peak working set, message box up\n", "Wine: tool memory",
                dToolPeak);
    std::printf("%-44s %9.2f MiB  before Install\n", "Wine: tool memory at start-up",
                Median(toolStartPeak));
    std::printf("%-44s %9.2f MiB\n", "Wine: empty dialog memory", dMinPeak);
    if (dToolPeak > 0 && dMinPeak > 0)
        std::printf("%-44s %9.2f MiB  target: at most %.2f MiB (empty + 3 blocks + 1 MiB)\n",
                    "Wine: tool memory - empty dialog's", dToolPeak - dMinPeak, dLimit - dMinPeak);
    const bool bAll = dToolStart > 0 && dMinStart > 0 && dTplStart > 0 && dInstall > 0 &&
                      dToolPeak > 0 && dMinPeak > 0;
    return bAll ? 0 : 1;
}
