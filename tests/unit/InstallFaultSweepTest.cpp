#include "ArchiveBuilder.h"
#include "InstallFaultSweep.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

namespace {

long OpenDescriptors() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<long>(std::distance(begin(fds), end(fds)));
}

TEST(Install, FaultSweep) {
    CTempFolder folder;
    const install_sweep::Tally tally = install_sweep::Sweep(folder.Prefix(), OpenDescriptors);
    RecordProperty("runs", tally.nRuns);
    RecordProperty("faults", tally.nFaults);
}

} // namespace
