// The directory scan over archives of growing size, the targets at the end: its cost per record
// read must not grow with the number of records.
#include "BenchData.h"
#include "SysCallCount.h"

#include "archive/ArchiveScan.h"
#include "framework/CFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>

namespace {

constexpr std::uint32_t kFillerRoom = 16;
constexpr std::uint32_t kTargetRoom = 64;
constexpr DWORD kBlock = 64;

// One archive per size, kept for the whole run.
const std::string& ScanArchive(unsigned nRecords) {
    static CTempFolder folder;
    static std::map<unsigned, std::string> paths;
    auto it = paths.find(nRecords);
    if (it == paths.end()) {
        const std::string strName = "scan" + std::to_string(nRecords) + ".dat";
        folder.Write(strName, kvtools::BuildArchive(kvtools::StandardEntries(
                                  kTargetRoom, kFillerRoom, nRecords - 9)));
        it = paths.emplace(nRecords, folder.Path(strName)).first;
    }
    return it->second;
}

void BM_Scan(benchmark::State& state) {
    const unsigned nRecords = static_cast<unsigned>(state.range(0));
    CFile file;
    if (!file.Open(ScanArchive(nRecords).c_str(), CFile::modeReadWrite | CFile::typeBinary)) {
        state.SkipWithError("archive cannot be opened");
        return;
    }
    {
        // Outside the timing: the scan must read the header and then each record once.
        CSysCallCount count;
        const ArchiveScanResult result = ScanArchiveDirectory(file, kBlock, kBlock, kBlock, FALSE);
        if (result.nMatches != targetCount || result.nSlotError != -1) {
            state.SkipWithError("the scan did not find the four targets");
            return;
        }
        state.counters["reads"] = count.Of(afx_test::FileOp::Read);
    }
    for (auto _ : state) {
        file.Seek(0, CFile::begin); // the scan starts where a fresh open leaves the file
        benchmark::DoNotOptimize(ScanArchiveDirectory(file, kBlock, kBlock, kBlock, FALSE));
    }
    state.SetComplexityN(nRecords);
}

BENCHMARK(BM_Scan)
    ->Arg(10)
    ->Arg(100)
    ->Arg(400)
    ->Arg(4000)
    ->Arg(65535)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Complexity(benchmark::oN);

} // namespace
