// The install fault sweep, run by the native unit tests (POSIX back end) and by the Wine test
// binary (Win32 back end): for an install with the start screen, one without it and one with the
// restore, the k-th file operation is failed, then shortened, for every k of a clean run. Each run
// must end as the archive rules allow (tests/model/InstallOracle.h): exactly one message or one
// exception, the process holding as many handles afterwards as before, and the archive's copy
// made exactly when the install writes. The copy goes after each run, so each is a first
// install.
#include "tests/support/InstallRun.h"
#include "tests/support/TempFolder.h"
#include "tools/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using afx_test::Fault;

TEST(InstallFaultSweep, EveryFileOperation) {
#ifdef _WIN32
    // The first exception a process throws under Wine leaves a handle open for good: one thrown
    // before the sweep keeps it out of the count.
    try {
        AfxThrowFileException(CFileException::generic);
    } catch (const CFileException&) {
    }
#endif
    CTempFolder folder;
    const std::string strFolder = folder.Prefix();
    int nRuns = 0, nFaults = 0; // runs, and runs whose fault took effect
    for (const char* pszStart : {"start.shp", "", "008startscr.SHP"}) {
        archive_model::Request want;
        want.strFlagsFile = "flags.shp";
        want.strDossierFile = "dossier.shp";
        want.strStartFile = *pszStart ? pszStart : "start.shp";
        want.bNoStartScr = !*pszStart;
        want.strDescription = "Swept set";
        want.nFlagsSize = 16;
        want.nDossierSize = 20;
        want.nStartSize = 24;
        want.flags = Bytes(10, 0xF1);
        want.dossier = Bytes(20, 0xD2);
        want.start = Bytes(24, 0x53);
        want.archive = kvtools::BuildArchive(kvtools::StandardEntries());
        const std::string paths[] = {strFolder + want.strFlagsFile, strFolder + want.strDossierFile,
                                     strFolder + "start.shp", strFolder + "game.dat"};
        // One run with operation k failed or shortened (k = 0: none, counting them).
        const auto run = [&](std::size_t k, Fault fault) {
            folder.Write(want.strFlagsFile, *want.flags);
            folder.Write(want.strDossierFile, *want.dossier);
            folder.Write("start.shp", *want.start);
            folder.Write("game.dat", *want.archive);
            archive_model::FaultSeen where;
            archive_model::RunSeen seen =
                install_run::Run(want, strFolder, paths[3], k, fault, where);
            seen.after = folder.Read("game.dat");
            if (std::ifstream(paths[3] + ".bak"))
                seen.backup = folder.Read("game.dat.bak");
            // No temporary file of the copy is left: the archive, the set files, the copy.
            std::size_t nFiles = 0;
            for (auto it = std::filesystem::directory_iterator(strFolder);
                 it != std::filesystem::directory_iterator(); ++it)
                ++nFiles;
            EXPECT_EQ(nFiles, 4u + (seen.backup ? 1u : 0u));
            std::remove((paths[3] + ".bak").c_str());
            EXPECT_EQ(archive_model::JudgeInstallRun(want, where, seen), "");
            ++nRuns;
            nFaults += where.bEffective;
            return where.nOps;
        };
        SCOPED_TRACE(*pszStart ? pszStart : "no start screen");
        const std::size_t nOps = run(0, Fault::None);
        for (Fault fault : {Fault::Fail, Fault::Short}) {
            for (std::size_t k = 1; k <= nOps; ++k) {
                SCOPED_TRACE((fault == Fault::Fail ? "fail op " : "shorten op ") +
                             std::to_string(k));
                run(k, fault);
            }
        }
    }
    EXPECT_GT(nFaults, 0);
    RecordProperty("runs", nRuns);
    RecordProperty("faults", nFaults);
}

} // namespace
