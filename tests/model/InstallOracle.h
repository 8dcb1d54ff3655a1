// Judges one install run, with or without an injected file fault, by the archive model: shared by
// the install fuzz target and the fault sweeps (native and under Wine).
#pragma once

#include "tests/support/FileOpHook.h"
#include "tests/model/ArchiveModel.h"

#include <string>
#include <utility>
#include <vector>

namespace archive_model {

// Where an injected fault fell.
struct FaultSeen {
    afx_test::Fault fault = afx_test::Fault::None;
    bool bEffective = false; // it failed the operation, or shortened a read
    afx_test::FileOp op = afx_test::FileOp::Open;
    int nFile = -1;       // 0 flags, 1 dossier, 2 start screen, 3 archive, -1 another file
    int nRead = -1;       // for a read: how many reads of the same file came before it
    std::size_t nOps = 0; // file operations the run made
    // In the making of the archive's copy: from the look for an earlier copy to the moment its
    // name is on the disk.
    bool bInCopy = false;
};

// What one run did.
struct RunSeen {
    std::vector<std::pair<std::string, bool>> messages; // text, information icon
    bool bThrew = false;
    bool bUnflushedAtMessage = false; // a message came while written bytes were not flushed
    // A file was renamed while bytes written to it were not flushed, or the archive was written
    // before a name given was on the disk: after a power cut the copy could be empty.
    bool bCopyNotOnDisk = false;
    Bytes after;                 // the archive afterwards
    std::optional<Bytes> backup; // the archive's copy afterwards, if there is one
    int nLeftOpen = 0;           // handles held beyond those held before the run
};

// Empty when the run is one the rules allow for the request want (its files as they were before
// the run, and no copy of the archive yet) and the fault; else what is wrong. Without a fault
// that takes effect: the model's message and bytes, and a copy of the archive as it was exactly
// when the install writes, on the disk before the archive's first write. A failed open (or look
// at the archive) is a missing file, a short read of the directory ends the scan, and a fault in
// the copy (from the look for an earlier one on) ends in the copy's message with the archive
// unchanged and no copy; every other fault that takes effect must end the run in an exception, with
// each archive byte as it was or as the model writes it (a failed close may also go unnoticed).
std::string JudgeInstallRun(Request want, const FaultSeen& fault, const RunSeen& run);

} // namespace archive_model
