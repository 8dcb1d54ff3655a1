// The install on an archive and a catalogue row, with one file operation failed or shortened when
// the input asks, judged against what the archive rules say (tests/model): exactly one outcome;
// without a fault, the model's message and the archive byte for byte as the model leaves it; no
// message while written bytes are unflushed; every file closed; the header and directory never
// written. A fault that takes effect must end the run in an exception, with every archive byte
// either as it was or as the model writes it, unless it is one the install meets with a message
// of its own: a failed open (the file is missing) or a short read of the directory (the scan
// ends there).
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
#include "archive/Install.h"
#include "framework/CFile.h"
#include "framework/FileFaults.h"
#include "framework/MessageBoxType.h"
#include "tests/model/ArchiveModel.h"
#include "tools/ArchiveBytes.h"

#include <algorithm>
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
    std::vector<kvtools::ArchiveEntry> entries = {
        {"OTHER.SHP", 0},    {"DOSSIER.SHP", 0}, {"A", 0},        {"FLAGS1.SHP", 0}, {"B", 0},
        {"STARTSCR.SHP", 0}, {"C", 0},           {"STRT.SHP", 0}, {"D", 0}};
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

    InstallRequest request;
    request.strFolder = "/kv/";
    request.nSet = want.nSet;
    request.strFlagsFile = want.strFlagsFile.c_str();
    request.strDossierFile = want.strDossierFile.c_str();
    request.strStartFile = want.strStartFile.c_str();
    request.strDescription = want.strDescription.c_str();
    request.nFlagsSize = want.nFlagsSize;
    request.nDossierSize = want.nDossierSize;
    request.nStartSize = want.nStartSize;
    request.strArchivePath = kArchive;
    request.bNoStartScr = want.bNoStartScr;

    // The fault, where it fell: which operation, on which file, the how-manieth read of the
    // archive; it takes effect when it fails the operation or shortens a read or write.
    std::size_t nOps = 0, nArchiveReads = 0;
    bool bEffective = false;
    FileOp faultOp = FileOp::Open;
    std::string strFaultPath;
    int nFaultRead = -1;
    // The copy of the original archive: from the look for an earlier copy to its rename.
    const std::string strBackup = std::string(kArchive) + ".bak";
    bool bCopying = false, bFaultInCopy = false, bFaultAtLook = false;
    afx_test::SetFileOpHook([&](FileOp op, const char* pszPath) {
        const bool bArchiveRead = op == FileOp::Read && std::string(pszPath) == kArchive;
        nArchiveReads += bArchiveRead;
        const bool bLook = op == FileOp::Open && pszPath == strBackup;
        bCopying = bCopying || bLook;
        const bool bInCopy = bCopying;
        if (op == FileOp::Rename)
            bCopying = false;
        if (++nOps != nFaultAt || fault == Fault::None)
            return Fault::None;
        bFaultInCopy = bInCopy;
        bFaultAtLook = bLook;
        bEffective = fault == Fault::Fail || op == FileOp::Read || op == FileOp::Write;
        faultOp = op;
        strFaultPath = pszPath;
        nFaultRead = bArchiveRead ? static_cast<int>(nArchiveReads - 1) : -1;
        return fault;
    });
    std::vector<std::pair<std::string, UINT>> messages;
    bool bThrew = false;
    try {
        InstallGraphicSet(request, [&](const CString& strText, UINT nType) {
            FUZZ_CHECK(!memfiles::Unflushed(kArchive)); // told only once it is on the disk
            messages.push_back({strText.str(), nType});
        });
    } catch (const CException&) {
        bThrew = true;
    }
    afx_test::SetFileOpHook(nullptr);
    FUZZ_CHECK(messages.size() + (bThrew ? 1 : 0) == 1);
    FUZZ_CHECK(memfiles::OpenHandles() == 0);
    const Bytes& after = *memfiles::Find(kArchive);
    FUZZ_CHECK(after.size() == before.size());
    const std::size_t nDataStart = std::min<std::uint64_t>(model::DataStart(before), after.size());
    FUZZ_CHECK(std::equal(after.begin(), after.begin() + nDataStart, before.begin()));

    // The faults the install meets with a message of its own are the model's to judge too.
    const model::Outcome clean = model::Install(want);
    bool bRejudge = false;
    // A failed look for an earlier copy only makes the install keep one; any other fault in the
    // copy ends the install with its own message before anything is written.
    if (bEffective && bFaultAtLook) {
        bEffective = false;
    } else if (bEffective && bFaultInCopy) {
        FUZZ_CHECK(!bThrew);
        FUZZ_CHECK(messages[0].first.rfind("ERROR! Panzer2.dat has not been changed", 0) == 0);
        FUZZ_CHECK(after == before);
        FUZZ_CHECK(memfiles::Find(strBackup) == nullptr);
        return 0;
    }
    if (bEffective && faultOp == FileOp::Open) {
        if (strFaultPath == "/kv/f.shp")
            want.flags.reset();
        else if (strFaultPath == "/kv/d.shp")
            want.dossier.reset();
        else if (strFaultPath == "/kv/s.shp")
            want.start.reset();
        else
            want.archive.reset();
        bEffective = false;
        bRejudge = true;
    }
    if (bEffective && fault == Fault::Short && nFaultRead >= 0 &&
        nFaultRead < model::Scan(before, static_cast<std::uint32_t>(want.nDossierSize),
                                 static_cast<std::uint32_t>(want.nFlagsSize),
                                 static_cast<std::uint32_t>(want.nStartSize), want.bNoStartScr)
                         .nReads) {
        want.nShortRead = nFaultRead;
        bEffective = false;
        bRejudge = true;
    }
    // A close that fails after the message changes nothing the user was told.
    const bool bEither = bEffective && faultOp == FileOp::Close;
    if (bEffective && !(bEither && !bThrew)) {
        FUZZ_CHECK(bThrew);
        for (std::size_t i = 0; i < after.size(); ++i)
            FUZZ_CHECK(after[i] == before[i] ||
                       (!clean.after.empty() && after[i] == clean.after[i]));
        return 0;
    }
    const model::Outcome o = bRejudge ? model::Install(want) : clean;
    FUZZ_CHECK(!bThrew);
    FUZZ_CHECK(messages[0].first == o.strText);
    FUZZ_CHECK(messages[0].second ==
               (o.bSuccess ? afx_mb::kIconInformation : afx_mb::kIconExclamation) + afx_mb::kOk);
    FUZZ_CHECK(after == (o.after.empty() ? before : o.after));
    // Whatever is written, the archive as it was is kept first.
    const Bytes* pBackup = memfiles::Find(strBackup);
    FUZZ_CHECK(o.bWrites ? pBackup != nullptr && *pBackup == before : pBackup == nullptr);
    return 0;
}
