// What an install must do, worked out from the archive rules alone: the directory records, the
// slot rule, the order of the checks and the ranges an install may touch. The fuzz targets and
// the tests judge the scan and the install against it; it never calls either.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace archive_model {

using Bytes = std::vector<std::uint8_t>;

enum Target { kDossier, kFlags, kStartScr, kStrt, kTargets };

struct ScanFacts {
    int nMatches = 0;
    bool bFound[kTargets] = {};
    std::uint32_t dwOffset[kTargets] = {}; // where bFound
    int nSlotError = -1;
    int nReads = 0; // reads the scan makes, the header's first
};

// The scan of archive a with the block sizes of DOSSIER.SHP, FLAGS1.SHP and the start screens.
// nShortRead: the number of the read (0: the header) that delivers fewer bytes than asked, as at
// the end of the file; -1 for none.
ScanFacts Scan(const Bytes& a, std::uint32_t dwDossier, std::uint32_t dwFlags,
               std::uint32_t dwStart, bool bNoStartScr, int nShortRead = -1);

struct Request {
    int nSet = 0;
    int nListed = 0;
    std::string strFlagsFile, strDossierFile, strStartFile, strDescription;
    int nFlagsSize = 0, nDossierSize = 0, nStartSize = 0;
    bool bNoStartScr = false;
    // The contents of the files as an open would find them; none: it cannot be opened.
    std::optional<Bytes> flags, dossier, start, archive;
    int nShortRead = -1; // passed to the scan
};

struct Outcome {
    std::string strText;
    bool bSuccess = false; // the information icon; every other message has the exclamation icon
    bool bWrites = false;  // the run goes on to write (every check passed)
    Bytes after;           // the archive when the run is over (empty when it cannot be opened)
};

Outcome Install(const Request& r);

// Where the entries' data begins: after the header and the N records it counts (0 without a
// whole header).
std::uint64_t DataStart(const Bytes& a);

} // namespace archive_model
