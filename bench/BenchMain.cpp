// Runs the benchmarks and ends with one table: each figure (the median where runs repeat) and
// the ratios that have a target. Fails when a benchmark finds its work went wrong. --kv_summary=off
// leaves the table out, --kv_quiet shows only it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct CFigure {
    double dMicros = 0; // real time per iteration
    std::map<std::string, double> counters;
};

class CCollector : public benchmark::ConsoleReporter {
public:
    explicit CCollector(bool bQuiet) : m_bQuiet(bQuiet) {}
    bool ReportContext(const Context& context) override {
        return m_bQuiet || ConsoleReporter::ReportContext(context);
    }
    void ReportRuns(const std::vector<Run>& runs) override {
        if (!m_bQuiet)
            ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                m_bFailed = true;
                continue;
            }
            // How far the times stray from the best fit of a straight line through them.
            if (run.report_rms)
                m_rms[run.run_name.function_name] = run.GetAdjustedRealTime() * 100;
            const bool bMedian =
                run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool bSingle = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!bMedian && !bSingle)
                continue;
            const std::string& strArgs = run.run_name.args;
            CFigure& f =
                m_figures[run.run_name.function_name + (strArgs.empty() ? "" : "/" + strArgs)];
            f.dMicros = run.GetAdjustedRealTime() * ToMicros(run.time_unit);
            for (const auto& [name, counter] : run.counters)
                f.counters[name] = counter.value;
        }
    }
    // A benchmark found that the work it measures went wrong.
    bool Failed() const { return m_bFailed; }
    double Rms(const std::string& strName) const {
        auto it = m_rms.find(strName);
        return it == m_rms.end() ? -1 : it->second;
    }
    const CFigure* Find(const std::string& strName) const {
        auto it = m_figures.find(strName);
        return it == m_figures.end() ? nullptr : &it->second;
    }

private:
    static double ToMicros(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond:
            return 1e-3;
        case benchmark::kMicrosecond:
            return 1;
        case benchmark::kMillisecond:
            return 1e3;
        default:
            return 1e6;
        }
    }
    bool m_bQuiet;
    bool m_bFailed = false;
    std::map<std::string, CFigure> m_figures;
    std::map<std::string, double> m_rms;
};

double Counter(const CFigure& f, const char* pszName) {
    auto it = f.counters.find(pszName);
    return it == f.counters.end() ? 0 : it->second;
}

void PrintSummary(const CCollector& c) {
    std::printf("\n%-44s %12s  %s\n", "figure (median)", "value", "notes");
    const unsigned sizes[] = {10, 100, 400, 4000, 65535};
    double dPerRecord400 = 0, dWorst = 0;
    for (unsigned n : sizes) {
        const CFigure* f = c.Find("BM_Scan/" + std::to_string(n));
        if (!f)
            continue;
        const double dNs = f->dMicros * 1e3 / n; // real time: the machine may be loaded
        std::printf("%-44s %9.1f us  %.0f ns per record, %.0f reads\n",
                    ("scan, " + std::to_string(n) + " records").c_str(), f->dMicros, dNs,
                    Counter(*f, "reads"));
        if (n == 400)
            dPerRecord400 = dNs;
        if (n >= 400 && dPerRecord400 > 0 && dNs / dPerRecord400 > dWorst)
            dWorst = dNs / dPerRecord400;
    }
    if (dPerRecord400 > 0)
        std::printf("%-44s %9.2f x   target: about 1 (linear)\n",
                    "scan per record, worst of 4000/65535 vs 400", dWorst);
    if (c.Rms("BM_Scan") >= 0)
        std::printf("%-44s %9.1f %%   of a fit time = k x records\n", "scan, RMS off linear",
                    c.Rms("BM_Scan"));
    if (const CFigure* f = c.Find("BM_CatalogueLoad"))
        std::printf("%-44s %9.1f us  %.0f file ops, %.0f reads of %.0f bytes\n",
                    "catalogue load, 99 sets", f->dMicros, Counter(*f, "syscalls"),
                    Counter(*f, "reads"), Counter(*f, "bytes"));
    if (const CFigure* f = c.Find("BM_StartupLoad"))
        std::printf("%-44s %9.1f us  %.0f file ops, %.0f reads\n",
                    "start-up load, settings + catalogue", f->dMicros, Counter(*f, "syscalls"),
                    Counter(*f, "reads"));
    const CFigure* pInstall = c.Find("BM_Install");
    const CFigure* pBase = c.Find("BM_InstallBaseline");
    if (pInstall)
        std::printf("%-44s %9.1f us  %.0f file ops, %.0f reads, %.0f writes\n",
                    "install, 400 entries, 3 x 64 KiB, copy kept", pInstall->dMicros,
                    Counter(*pInstall, "ops"), Counter(*pInstall, "reads"),
                    Counter(*pInstall, "writes"));
    if (pBase)
        std::printf("%-44s %9.1f us\n", "install floor on POSIX calls", pBase->dMicros);
    if (pInstall && pBase && pBase->dMicros > 0)
        std::printf("%-44s %9.2f x   target: at most 1.25\n", "install / floor",
                    pInstall->dMicros / pBase->dMicros);
    for (const char* pszSize : {"65536", "2147483647"}) {
        if (const CFigure* f = c.Find(std::string("BM_InstallHeap/") + pszSize))
            std::printf("%-44s %9.1f KiB held at most; set files 3 x 64 KiB\n",
                        (std::string("install heap peak, block sizes ") + pszSize).c_str(),
                        Counter(*f, "heap") / 1024);
    }
    const CFigure* pFirst = c.Find("BM_FirstInstall64MiB");
    const CFigure* pCopy = c.Find("BM_PlainCopy64MiB");
    if (pFirst && pCopy && pCopy->dMicros > 0) {
        std::printf("%-44s %9.1f ms  keeps a copy of the archive first\n",
                    "first install, 64 MiB archive", pFirst->dMicros / 1e3);
        std::printf("%-44s %9.1f ms  read, write, fsync, rename\n", "plain copy of the same file",
                    pCopy->dMicros / 1e3);
        std::printf("%-44s %9.2f x\n", "first install / plain copy",
                    pFirst->dMicros / pCopy->dMicros);
    }
    if (const CFigure* f = c.Find("BM_InstallPaired"))
        std::printf("%-44s %9.2f x   the two in turns, median of the pairs\n",
                    "install / floor, paired", Counter(*f, "ratio"));
}

} // namespace

int main(int argc, char** argv) {
    bool bSummary = true, bQuiet = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--kv_summary=off") == 0)
            bSummary = false;
        else if (std::strcmp(argv[i], "--kv_quiet") == 0)
            bQuiet = true;
        else
            args.push_back(argv[i]);
    }
    int nArgs = static_cast<int>(args.size());
    benchmark::Initialize(&nArgs, args.data());
    if (benchmark::ReportUnrecognizedArguments(nArgs, args.data()))
        return 2;
    CCollector collector(bQuiet);
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    if (bSummary)
        PrintSummary(collector);
    return collector.Failed() ? 1 : 0;
}
