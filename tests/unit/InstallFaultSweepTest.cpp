#include "ArchiveBuilder.h"
#include "InstallFaultSweep.h"

#include <gtest/gtest.h>

namespace {

TEST(Install, FaultSweep) {
    CTempFolder folder;
    const install_sweep::Tally tally = install_sweep::Sweep(folder.Prefix());
    RecordProperty("runs", tally.nRuns);
    RecordProperty("faults", tally.nFaults);
}

} // namespace
