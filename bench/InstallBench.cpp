// The install of a set with three 64 KiB blocks into a 400-entry archive, beside the floor for
// the same work written straight on POSIX calls: each set file opened exclusively, measured, read
// and closed; the archive opened exclusively, its header and records read one read each, three
// positioned writes, one fsync, close. Their ratio is what the file layer and the tool cost.
#include "BenchData.h"
#include "SysCallCount.h"
#include "bench/HeapPeak.h"

#include "archive/ArchiveScan.h"
#include "archive/Install.h"
#include "framework/MessageBoxType.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kBlock = 64 * 1024;
constexpr unsigned kEntries = 400;
constexpr std::uint32_t kFillerRoom = 1024;

struct CInstallFiles {
    CTempFolder folder;
    std::string strArchive;
    CInstallFiles() {
        // With the closing record, 401 records; the targets come last, so every one is read.
        folder.Write("Panzer2.dat", kvtools::BuildArchive(kvtools::StandardEntries(
                                        kBlock, kFillerRoom, kEntries - 8)));
        strArchive = folder.Path("Panzer2.dat");
        // The copy of the original is there already: these are the installs after the first.
        folder.Write("Panzer2.dat.bak", {});
        for (const char* pszName : {"flags.shp", "dossier.shp", "start.shp"}) {
            Bytes b;
            padWithPatternFrom(b, kBlock, static_cast<unsigned>(std::strlen(pszName)));
            folder.Write(pszName, b);
        }
    }
    static void padWithPatternFrom(Bytes& b, std::size_t nSize, unsigned nSeed) {
        while (b.size() < nSize)
            b.push_back(static_cast<std::uint8_t>(b.size() * 13 + nSeed));
    }
};

const CInstallFiles& Files() {
    static CInstallFiles files;
    return files;
}

InstallRequest Request() {
    InstallRequest r;
    r.strFolder = Files().folder.Prefix().c_str();
    r.nSet = 0;
    r.strFlagsFile = "flags.shp";
    r.strDossierFile = "dossier.shp";
    r.strStartFile = "start.shp";
    r.strDescription = "Benchmark set";
    r.nFlagsSize = r.nDossierSize = r.nStartSize = kBlock;
    r.readArchivePath = [] { return CString(Files().strArchive.c_str()); };
    return r;
}

void BM_Install(benchmark::State& state) {
    const InstallRequest request = Request();
    UINT nLastType = 0;
    const InstallMessageFn showMessage = [&nLastType](const CString&, UINT nType) {
        nLastType = nType;
    };
    {
        CSysCallCount count;
        InstallGraphicSet(request, showMessage);
        if (nLastType != (afx_mb::kIconInformation | afx_mb::kOk)) {
            state.SkipWithError("the install did not succeed");
            return;
        }
        state.counters["ops"] = count.Total();
        state.counters["reads"] = count.Of(afx_test::FileOp::Read);
        state.counters["writes"] = count.Of(afx_test::FileOp::Write);
    }
    for (auto _ : state)
        InstallGraphicSet(request, showMessage);
}
BENCHMARK(BM_Install)->Unit(benchmark::kMicrosecond)->UseRealTime();

int OpenExclusive(const std::string& strPath, int nFlags) {
    const int fd = ::open(strPath.c_str(), nFlags | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool ReadSetFile(const std::string& strPath, std::vector<unsigned char>& block) {
    const int fd = OpenExclusive(strPath, O_RDONLY);
    if (fd < 0)
        return false;
    struct stat st;
    bool bOk = ::fstat(fd, &st) == 0 && static_cast<std::size_t>(st.st_size) <= block.size() &&
               ::read(fd, block.data(), static_cast<std::size_t>(st.st_size)) == st.st_size;
    return ::close(fd) == 0 && bOk;
}

DWORD Offset(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<DWORD>(p[3]) << 24;
}

// The floor. No room checks and no messages: only the calls and the bytes.
bool BaselineInstall(std::vector<unsigned char>* blocks, const std::string& strFolder,
                     const std::string& strArchive) {
    const char* const names[3] = {"dossier.shp", "flags.shp", "start.shp"};
    for (int b = 0; b < 3; ++b) {
        std::fill(blocks[b].begin(), blocks[b].end(), 0);
        if (!ReadSetFile(strFolder + names[b], blocks[b]))
            return false;
    }
    const int fd = OpenExclusive(strArchive, O_RDWR);
    if (fd < 0)
        return false;
    unsigned char header[kArchiveHeaderSize];
    if (::read(fd, header, sizeof header) != sizeof header) {
        ::close(fd);
        return false;
    }
    const unsigned nRecords = header[0] + 256u * header[1];
    DWORD dwOffset[targetCount] = {};
    int nFound = 0;
    unsigned char record[kArchiveRecordSize];
    for (unsigned i = 0; i < nRecords && nFound < targetCount; ++i) {
        if (::read(fd, record, sizeof record) != sizeof record)
            break;
        for (int t = 0; t < targetCount; ++t) {
            if (strncasecmp(reinterpret_cast<const char*>(record + 4), ArchiveTargetName(t),
                            kArchiveNameSize) == 0) {
                dwOffset[t] = Offset(record);
                ++nFound;
                // The record after a target ends its room.
                if (::read(fd, record, sizeof record) != sizeof record)
                    i = nRecords;
                ++i;
                break;
            }
        }
    }
    bool bOk = nFound == targetCount;
    for (int b = 0; b < 3 && bOk; ++b)
        bOk = ::pwrite(fd, blocks[b].data(), blocks[b].size(), dwOffset[b]) ==
              static_cast<ssize_t>(blocks[b].size());
    bOk = ::fsync(fd) == 0 && bOk;
    return ::close(fd) == 0 && bOk;
}

void BM_InstallBaseline(benchmark::State& state) {
    std::vector<unsigned char> blocks[3] = {std::vector<unsigned char>(kBlock),
                                            std::vector<unsigned char>(kBlock),
                                            std::vector<unsigned char>(kBlock)};
    const std::string strFolder = Files().folder.Prefix();
    if (!BaselineInstall(blocks, strFolder, Files().strArchive)) {
        state.SkipWithError("the baseline install failed");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(BaselineInstall(blocks, strFolder, Files().strArchive));
}
BENCHMARK(BM_InstallBaseline)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The two side by side, in turns, each pair under the same state of the disk: fsync dominates
// both and varies from one moment to the next on a shared machine. The time is the install's; the
// counter is the median of the pairs' ratios.
void BM_InstallPaired(benchmark::State& state) {
    const InstallRequest request = Request();
    const InstallMessageFn ignore = [](const CString&, UINT) {};
    std::vector<unsigned char> blocks[3] = {std::vector<unsigned char>(kBlock),
                                            std::vector<unsigned char>(kBlock),
                                            std::vector<unsigned char>(kBlock)};
    const std::string strFolder = Files().folder.Prefix();
    std::vector<double> ratios;
    bool bInstallFirst = true;
    for (auto _ : state) {
        double dInstall = 0, dBase = 0;
        for (int k = 0; k < 2; ++k) {
            const auto t0 = std::chrono::steady_clock::now();
            if ((k == 0) == bInstallFirst)
                InstallGraphicSet(request, ignore);
            else
                benchmark::DoNotOptimize(BaselineInstall(blocks, strFolder, Files().strArchive));
            const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
            ((k == 0) == bInstallFirst ? dInstall : dBase) = d.count();
        }
        bInstallFirst = !bInstallFirst;
        state.SetIterationTime(dInstall);
        ratios.push_back(dInstall / dBase);
    }
    if (!ratios.empty()) {
        std::sort(ratios.begin(), ratios.end());
        state.counters["ratio"] = ratios[ratios.size() / 2];
    }
}
BENCHMARK(BM_InstallPaired)->Unit(benchmark::kMicrosecond)->UseManualTime();

// The most heap one install holds, with small set files: blocks of 64 KiB into the benchmark
// archive (a success), and the catalogue's sizes at 2^31 - 1 (a slot too small: its message).
// Only the set files' bytes and the directory may be held, whatever the sizes say.
void BM_InstallHeap(benchmark::State& state) {
    InstallRequest request = Request();
    request.nFlagsSize = request.nDossierSize = request.nStartSize =
        static_cast<int>(state.range(0));
    UINT nType = 0;
    std::size_t nPeak = 0;
    for (auto _ : state) {
        kvbench::CHeapPeak peak;
        InstallGraphicSet(request, [&nType](const CString&, UINT n) { nType = n; });
        nPeak = peak.Bytes();
    }
    const UINT nWant = state.range(0) == kBlock ? afx_mb::kIconInformation | afx_mb::kOk
                                                : afx_mb::kIconExclamation | afx_mb::kOk;
    if (nType != nWant)
        state.SkipWithError("the install did not end as it should");
    state.counters["heap"] = static_cast<double>(nPeak);
}
BENCHMARK(BM_InstallHeap)
    ->Arg(kBlock)
    ->Arg(2147483647)
    ->Iterations(3)
    ->Unit(benchmark::kMicrosecond);

// The first install into a 64 MiB archive, which keeps a copy of the whole archive first, beside
// a plain copy of the same file on POSIX calls (read and write in 64 KiB pieces, fsync, rename).
constexpr std::uint32_t kLargeRoom = 64 * 1024 * 1024 / 16;

struct CLargeArchive {
    CTempFolder folder;
    std::string strArchive = folder.Path("Panzer2.dat");
    CLargeArchive() {
        folder.Write("Panzer2.dat",
                     kvtools::BuildArchive(kvtools::StandardEntries(kBlock, kLargeRoom, 7)));
    }
};

const CLargeArchive& Large() {
    static CLargeArchive large;
    return large;
}

void BM_FirstInstall64MiB(benchmark::State& state) {
    InstallRequest request = Request();
    request.readArchivePath = [] { return CString(Large().strArchive.c_str()); };
    const std::string strBackup = Large().strArchive + ".bak";
    UINT nType = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ::unlink(strBackup.c_str());
        state.ResumeTiming();
        InstallGraphicSet(request, [&nType](const CString&, UINT n) { nType = n; });
    }
    struct stat st;
    if (nType != (afx_mb::kIconInformation | afx_mb::kOk) || ::stat(strBackup.c_str(), &st) != 0 ||
        static_cast<std::size_t>(st.st_size) != Large().folder.Read("Panzer2.dat").size())
        state.SkipWithError("the first install did not keep its copy");
}
BENCHMARK(BM_FirstInstall64MiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

bool PlainCopy(const std::string& strFrom, const std::string& strTo) {
    const int in = ::open(strFrom.c_str(), O_RDONLY | O_CLOEXEC);
    const int out = ::open((strTo + ".tmp").c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    std::vector<unsigned char> piece(64 * 1024);
    bool bOk = in >= 0 && out >= 0;
    for (ssize_t n = 1; bOk && n > 0;) {
        n = ::read(in, piece.data(), piece.size());
        bOk = n >= 0 && ::write(out, piece.data(), static_cast<std::size_t>(n)) == n;
    }
    bOk = bOk && ::fsync(out) == 0;
    bOk = (in < 0 || ::close(in) == 0) && bOk;
    bOk = (out < 0 || ::close(out) == 0) && bOk;
    return bOk && ::rename((strTo + ".tmp").c_str(), strTo.c_str()) == 0;
}

void BM_PlainCopy64MiB(benchmark::State& state) {
    const std::string strTo = Large().strArchive + ".copy";
    for (auto _ : state) {
        state.PauseTiming();
        ::unlink(strTo.c_str());
        state.ResumeTiming();
        if (!PlainCopy(Large().strArchive, strTo))
            state.SkipWithError("the plain copy failed");
    }
}
BENCHMARK(BM_PlainCopy64MiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

} // namespace
