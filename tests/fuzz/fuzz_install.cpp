// The install on an archive and a catalogue row, with one file operation failed or shortened when
// the input asks, judged by what the archive rules say (tests/model/InstallOracle.h): exactly one
// outcome, the model's message and archive bytes or the exception a fault calls for, nothing
// told while unflushed, the header and directory never written; and every file closed.
//
// Input: a flag byte (bit 0 no start screen, bit 1 restore name, bits 2-3 the fault kind: 0 none,
// 1 fail, 2 shorten, 3 a well-formed archive built from the input, see Structured; bits 4-5 and
// 6-7 the flags and dossier names: 3 a name the catalogue refused, 2 a file that is not there,
// else the file given), the number of the file operation to fault, then either the three block
// sizes (signed 16-bit), the lengths of the three set files (one byte each), their bytes and the
// archive; or, structured: the fault kind, the three block sizes (a byte each), the rooms of
// the nine entries, the number of changes and the changes (see Structured), then the set files'
// lengths and bytes as above.
#include "FuzzInput.h"
#include "tests/support/InstallRun.h"
#include "tools/ArchiveBytes.h"

#include <vector>

namespace {

using afx_test::Fault;
using afx_test::FileOp;
namespace model = archive_model;

const char kArchive[] = "/Panzer2.dat";

std::uint32_t OffsetAt(const Bytes& a, std::size_t at) {
    return a[at] | a[at + 1] << 8 | a[at + 2] << 16 | static_cast<std::uint32_t>(a[at + 3]) << 24;
}

// A well-formed archive with the four targets apart from each other, then up to seven changes
// that the input asks for, each three bytes: kind, a, b. Sizes and rooms are of the same order, so
// the input reaches the successes as easily as the refusals. Also takes the fault kind and the
// sizes.
Bytes Structured(CFuzzInput& in, Fault& fault, model::Request& r) {
    const unsigned nFault = in.Take(1) & 3;
    fault = nFault == 1 ? Fault::Fail : nFault == 2 ? Fault::Short : Fault::None;
    r.nFlagsSize = static_cast<int>(in.Take(1) % 48);
    r.nDossierSize = static_cast<int>(in.Take(1) % 48);
    r.nStartSize = static_cast<int>(in.Take(1) % 48);
    std::vector<kvtools::ArchiveEntry> entries = kvtools::StandardEntries();
    for (auto& entry : entries)
        entry.dwRoom = 24 + in.Take(1) % 24;
    Bytes a = kvtools::BuildArchive(entries);
    const std::size_t nRecords = entries.size() + 1;
    const auto record = [](unsigned n) { return kArchiveHeaderSize + kArchiveRecordSize * n; };
    for (unsigned nChanges = in.Take(1) % 8; nChanges > 0; --nChanges) {
        const unsigned nKind = in.Take(1), x = in.Take(1), y = in.Take(1);
        const std::size_t i = record(x % nRecords), j = record(y % nRecords);
        if (a.size() < record(nRecords))
            break; // cut short by an earlier change
        switch (nKind % 8) {
        case 0: // an alias: record i starts where record j does
            std::copy(a.begin() + j, a.begin() + j + 4, a.begin() + i);
            break;
        case 1: // record i's data moves by a small signed amount
            kvtools::set32(a, i, OffsetAt(a, i) + static_cast<std::int8_t>(y));
            break;
        case 2: // record i is named after a target, in upper or lower case
            std::fill(a.begin() + i + 4, a.begin() + i + kArchiveRecordSize, 0);
            for (const char *p = ArchiveTargetName(y % 4), *q = p; *q; ++q)
                a[i + 4 + (q - p)] = static_cast<std::uint8_t>(y & 4 ? *q | 0x20 : *q);
            break;
        case 3: // record i names nothing the tool looks for
            a[i + 4] = 'X';
            break;
        case 4: // the header counts records differently
            a[0] = static_cast<std::uint8_t>(a[0] + static_cast<std::int8_t>(y));
            break;
        case 5: // the file ends early
            a.resize(a.size() - (x + 256u * y) % a.size());
            break;
        case 6: // two records change places
            std::swap_ranges(a.begin() + i, a.begin() + i + kArchiveRecordSize, a.begin() + j);
            break;
        default: // record i's data lies at a small offset, inside the header or directory
            kvtools::set32(a, i, x + 256u * (y & 1));
            break;
        }
    }
    return a;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    CFuzzInput in(pData, nSize);
    const unsigned nFlags = in.Take(1);
    const std::size_t nFaultAt = in.Take(1);
    const bool bStructured = (nFlags >> 2 & 3) == 3;
    Fault fault = (nFlags >> 2 & 3) == 1   ? Fault::Fail
                  : (nFlags >> 2 & 3) == 2 ? Fault::Short
                                           : Fault::None;
    model::Request want;
    Bytes structuredArchive;
    if (bStructured) {
        structuredArchive = Structured(in, fault, want);
    } else {
        want.nFlagsSize = static_cast<std::int16_t>(in.Take(2));
        want.nDossierSize = static_cast<std::int16_t>(in.Take(2));
        want.nStartSize = static_cast<std::int16_t>(in.Take(2));
    }
    const std::size_t nFlagsLen = in.Take(1), nDossierLen = in.Take(1), nStartLen = in.Take(1);
    want.flags = in.TakeBytes(nFlagsLen);
    want.dossier = in.TakeBytes(nDossierLen);
    want.start = in.TakeBytes(nStartLen);
    want.archive = bStructured ? structuredArchive : in.Rest();
    const Bytes before = *want.archive;

    const CFuzzFiles files;
    memfiles::Put("/kv/f.shp", *want.flags);
    memfiles::Put("/kv/d.shp", *want.dossier);
    memfiles::Put("/kv/s.shp", *want.start);
    memfiles::Put(kArchive, before);
    const auto name = [](unsigned nChoice, const char* pszName) {
        return nChoice == 3 ? "" : nChoice == 2 ? "missing.shp" : pszName;
    };
    want.strFlagsFile = name(nFlags >> 4 & 3, "f.shp");
    want.strDossierFile = name(nFlags >> 6 & 3, "d.shp");
    want.strStartFile = nFlags & 2 ? "008STARTSCR.shp" : "s.shp";
    if (want.strFlagsFile == "missing.shp")
        want.flags.reset();
    if (want.strDossierFile == "missing.shp")
        want.dossier.reset();
    want.strDescription = "Fuzzed set";
    want.bNoStartScr = nFlags & 1;

    archive_model::FaultSeen where;
    archive_model::RunSeen run =
        install_run::Run(want, "/kv/", kArchive, nFaultAt, fault, where, false);
    FUZZ_CHECK(memfiles::OpenHandles() == 0);
    run.after = *memfiles::Find(kArchive);
    if (const Bytes* pBackup = memfiles::Find(std::string(kArchive) + ".bak"))
        run.backup = *pBackup;
    const std::string strWrong = archive_model::JudgeInstallRun(want, where, run);
    if (!strWrong.empty())
        std::fprintf(stderr, "%s\n", strWrong.c_str());
    FUZZ_CHECK(strWrong.empty());
    return 0;
}
