// The start-up load of the tool's own files: the settings file, then a full catalogue of 99 sets
// with long descriptions split into the dialog's name tables.
#include "BenchData.h"
#include "SysCallCount.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Settings.h"
#include "catalogue/StartupLoad.h"
#include "framework/CStdioFile.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::size_t kDescription = 1000;

struct CLoadFiles {
    CTempFolder folder;
    std::string strCatalogue;
    std::size_t nCatalogueBytes = 0;
    CLoadFiles() {
        const std::string text = CatalogueText(kMaxSets, kDescription, 65536);
        folder.Write(kCatalogueFileName, ToBytes(text));
        folder.Write(kSettingsFileName,
                     ToBytes(FormatSettings("C:\\Games\\Panzer2\\Panzer2.dat", nullptr)));
        strCatalogue = folder.Path(kCatalogueFileName);
        nCatalogueBytes = text.size();
    }
};

const CLoadFiles& Files() {
    static CLoadFiles files;
    return files;
}

// The dialog's name tables.
struct CTables {
    char szFlags[kMaxSets + 1][kNameSize];
    char szDossier[kMaxSets + 1][kNameSize];
    char szStart[kMaxSets + 1][kNameSize];
};

bool LoadCatalogue(CStdioFile& file, CTables& tables, CCatalogue& cat) {
    if (!file.Open(Files().strCatalogue.c_str(), CFile::modeRead | CFile::typeText))
        return false;
    const bool bOk = ReadCatalogue(file, cat, nullptr) == CatalogueResult::Ok;
    FillNameTables(cat, tables.szFlags, tables.szDossier, tables.szStart, kMaxSets + 1);
    file.Close();
    return bOk && cat.m_sets.size() == static_cast<std::size_t>(kMaxSets);
}

void BM_CatalogueLoad(benchmark::State& state) {
    static CTables tables;
    {
        CSysCallCount count;
        CStdioFile file;
        CCatalogue cat;
        if (!LoadCatalogue(file, tables, cat)) {
            state.SkipWithError("the catalogue did not load 99 sets");
            return;
        }
        state.counters["syscalls"] = count.Total();
        state.counters["reads"] = count.Of(afx_test::FileOp::Read);
    }
    for (auto _ : state) {
        CStdioFile file;
        CCatalogue cat;
        LoadCatalogue(file, tables, cat);
        benchmark::DoNotOptimize(tables.szStart[kMaxSets - 1][0]);
    }
    state.counters["bytes"] = static_cast<double>(Files().nCatalogueBytes);
}
BENCHMARK(BM_CatalogueLoad)->Unit(benchmark::kMicrosecond);

// Settings and catalogue, as the dialog reads them before it is shown.
void BM_StartupLoad(benchmark::State& state) {
    static CTables tables;
    const std::string strFolder = Files().folder.Prefix();
    auto load = [&] {
        const CStartupLoad files = LoadStartupFiles(strFolder.c_str(), nullptr);
        FillNameTables(files.m_cat, tables.szFlags, tables.szDossier, tables.szStart, kMaxSets + 1);
        return !files.m_pszFatal && !files.m_readError && files.m_bHasDatPath &&
               files.m_cat.m_sets.size() == static_cast<std::size_t>(kMaxSets);
    };
    {
        CSysCallCount count;
        if (!load()) {
            state.SkipWithError("settings or catalogue did not load");
            return;
        }
        state.counters["syscalls"] = count.Total();
        state.counters["reads"] = count.Of(afx_test::FileOp::Read);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(load());
}
BENCHMARK(BM_StartupLoad)->Unit(benchmark::kMicrosecond);

} // namespace
