// Judges one install run, with or without an injected file fault, by the archive model: shared by
// the install fuzz target and the fault sweeps (native and under Wine).
#pragma once

#include "framework/FileFaults.h"
#include "tests/model/ArchiveModel.h"

#include <string>
#include <utility>
#include <vector>

namespace archive_model {

// Where an injected fault fell.
struct FaultSeen {
    afx_test::Fault fault = afx_test::Fault::None;
    bool bEffective = false; // it failed the operation, or shortened a read or write
    afx_test::FileOp op = afx_test::FileOp::Open;
    int nFile = -1;       // 0 flags, 1 dossier, 2 start screen, 3 archive, -1 another file
    int nRead = -1;       // for a read: how many reads of the same file came before it
    std::size_t nOps = 0; // file operations the run made
};

// What one run did.
struct RunSeen {
    std::vector<std::pair<std::string, bool>> messages; // text, information icon
    bool bThrew = false;
    bool bUnflushedAtMessage = false; // a message came while written bytes were not flushed
    Bytes after;                      // the archive afterwards
};

// Empty when the run is one the rules allow for the request want (its files as they were before
// the run) and the fault; else what is wrong. Without a fault that takes effect: the model's
// message and bytes. A failed open is a missing file, and a short read of the directory ends the
// scan; every other fault that takes effect must end the run in an exception, with each archive
// byte as it was or as the model writes it (a failed close may also go unnoticed).
std::string JudgeInstallRun(Request want, const FaultSeen& fault, const RunSeen& run);

} // namespace archive_model
