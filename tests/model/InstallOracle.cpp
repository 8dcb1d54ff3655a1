#include "tests/model/InstallOracle.h"

#include "tests/model/InstallTexts.h"

#include <algorithm>

namespace archive_model {

std::string JudgeInstallRun(Request want, const FaultSeen& fault, const RunSeen& run) {
    using afx_test::FileOp;
    if (run.messages.size() + (run.bThrew ? 1 : 0) != 1)
        return "not exactly one message or exception";
    if (run.nLeftOpen != 0)
        return "handles left open";
    if (run.bUnflushedAtMessage)
        return "a message while written bytes were not flushed";
    if (run.bCopyNotOnDisk)
        return "the copy was named, or the archive written, before the copy was on the disk";
    const Bytes before = *want.archive;
    const Bytes& after = run.after;
    if (after.size() != before.size())
        return "the archive's length changed";
    const std::uint64_t nDataStart = std::min<std::uint64_t>(DataStart(before), after.size());
    if (!std::equal(after.begin(), after.begin() + nDataStart, before.begin()))
        return "the header or directory was written";

    const Outcome clean = Install(want);
    bool bEffective = fault.bEffective, bRejudge = false;
    if (bEffective && fault.bInCopy) {
        if (run.bThrew || run.messages[0].first.rfind(install_text::kNotChanged, 0) != 0)
            return "a fault in the copy of the archive did not end in the copy's message";
        if (after != before || run.backup)
            return "a copy that could not be made left the archive changed or a copy";
        return "";
    }
    if (run.backup && *run.backup != before)
        return "the copy is not the archive as it was";
    // A look at the archive that fails is no better than an open that fails.
    if (bEffective &&
        (fault.op == FileOp::Open || (fault.op == FileOp::Status && fault.nFile == 3))) {
        std::optional<Bytes>* const files[] = {&want.flags, &want.dossier, &want.start,
                                               &want.archive};
        if (fault.nFile >= 0)
            files[fault.nFile]->reset();
        bEffective = false;
        bRejudge = true;
    }
    if (bEffective && fault.fault == afx_test::Fault::Short && fault.op == FileOp::Read &&
        fault.nFile == 3 &&
        fault.nRead < Scan(before, static_cast<std::uint32_t>(want.nDossierSize),
                           static_cast<std::uint32_t>(want.nFlagsSize),
                           static_cast<std::uint32_t>(want.nStartSize), want.bNoStartScr)
                          .nReads) {
        want.nShortRead = fault.nRead;
        bEffective = false;
        bRejudge = true;
    }
    // A close that fails after the message changes nothing the user was told.
    if (bEffective && !(fault.op == FileOp::Close && !run.bThrew)) {
        if (!run.bThrew)
            return "a fault that took effect did not end the run in an exception";
        for (std::size_t i = 0; i < after.size(); ++i)
            if (after[i] != before[i] && (clean.after.empty() || after[i] != clean.after[i]))
                return "a byte the install does not write changed";
        return "";
    }
    const Outcome o = bRejudge ? Install(want) : clean;
    if (run.bThrew)
        return "an exception where the rules want: " + o.strText;
    if (run.messages[0].first != o.strText || run.messages[0].second != o.bSuccess)
        return "the message \"" + run.messages[0].first + "\" where the rules want \"" + o.strText +
               "\"";
    if (after != (o.after.empty() ? before : o.after))
        return "the archive's bytes differ from the rules' after \"" + o.strText + "\"";
    if (o.bWrites != run.backup.has_value())
        return o.bWrites ? "written without a copy of the archive" : "a copy without a write";
    return "";
}

} // namespace archive_model
