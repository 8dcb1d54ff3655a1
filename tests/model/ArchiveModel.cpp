#include "ArchiveModel.h"

#include "tests/model/InstallTexts.h"

namespace archive_model {

namespace {

constexpr std::uint64_t kHeader = 21, kRecord = 17, kName = 13;
const char* const kNames[kTargets] = {"DOSSIER.SHP", "FLAGS1.SHP", "STARTSCR.SHP", "STRT.SHP"};

const char* const kSlotText[kTargets] = {install_text::kDossierSlot, install_text::kFlagsSlot,
                                         install_text::kStartSlot, install_text::kStartSlot};

char Upper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

std::uint32_t U32(const Bytes& a, std::uint64_t at) {
    return a[at] | a[at + 1] << 8 | a[at + 2] << 16 | static_cast<std::uint32_t>(a[at + 3]) << 24;
}

std::uint64_t Count(const Bytes& a) { return a.size() < kHeader ? 0 : a[0] + 256u * a[1]; }
std::uint64_t RecordAt(std::uint64_t i) { return kHeader + kRecord * i; }
bool Whole(const Bytes& a, std::uint64_t i) { return RecordAt(i) + kRecord <= a.size(); }

// The target that record i names, or -1.
int Named(const Bytes& a, std::uint64_t i) {
    const std::uint64_t at = RecordAt(i) + 4;
    std::string name;
    for (std::uint64_t k = 0; k < kName && a[at + k] != 0; ++k)
        name += static_cast<char>(a[at + k]);
    if (name.size() == kName)
        return -1; // no NUL in the field
    for (int t = 0; t < kTargets; ++t)
        if (SameName(name, kNames[t]))
            return t;
    return -1;
}

Outcome Warn(const std::string& strText, const Bytes& after = Bytes()) {
    Outcome o;
    o.strText = strText;
    o.after = after;
    return o;
}

} // namespace

std::uint64_t DataStart(const Bytes& a) { return a.size() < kHeader ? 0 : RecordAt(Count(a)); }

ScanFacts Scan(const Bytes& a, std::uint32_t dwDossier, std::uint32_t dwFlags,
               std::uint32_t dwStart, bool bNoStartScr, int nShortRead) {
    const std::uint32_t dwSize[kTargets] = {dwDossier, dwFlags, dwStart, dwStart};
    ScanFacts s;
    // One read per record, in file order; false when it cannot deliver the whole record.
    std::uint64_t nNext = 0; // the record the next read takes
    const auto read = [&](bool bHeader) {
        const bool bShort = s.nReads++ == nShortRead;
        if (bHeader)
            return !bShort && a.size() >= kHeader;
        return !bShort && Whole(a, nNext++);
    };
    if (!read(true))
        return s;
    const std::uint64_t n = Count(a);
    for (std::uint64_t nStep = 0; nStep < n && s.nMatches < kTargets; ++nStep) {
        const std::uint64_t i = nNext;
        if (!read(false))
            return s;
        const int t = i < n ? Named(a, i) : -1;
        if (t < 0)
            continue;
        const bool bTolerated = bNoStartScr && (t == kStartScr || t == kStrt);
        const std::uint32_t dwOwn = U32(a, RecordAt(i));
        const bool bFollowing = read(false);
        const bool bFits = bFollowing && U32(a, RecordAt(i + 1)) >= dwOwn &&
                           U32(a, RecordAt(i + 1)) - dwOwn >= dwSize[t];
        if (!bFits && !bTolerated) {
            s.nSlotError = t;
            return s;
        }
        s.bFound[t] = true;
        s.dwOffset[t] = dwOwn;
        ++s.nMatches;
        if (!bFollowing)
            return s;
    }
    return s;
}

Outcome Install(const Request& r) {
    using namespace install_text;
    if (r.nSet < 0)
        return Warn(r.nListed > 0 ? kChooseOne : kNoneListed);
    if (r.strFlagsFile.empty() || r.strDossierFile.empty() || r.strStartFile.empty())
        return Warn(Unusable(r.strDescription, 7 + r.nSet));
    const std::pair<const char*, int> sizes[] = {
        {"flags", r.nFlagsSize}, {"dossier", r.nDossierSize}, {"start screen", r.nStartSize}};
    for (const auto& size : sizes)
        if (size.second < 0)
            return Warn(NegativeSize(size.first, size.second));

    // The set's files, in this order; the restore name takes the start screen from STRT.SHP.
    const bool bRestore = SameName(r.strStartFile, "008Startscr.shp");
    const struct {
        const std::string& strName;
        const std::optional<Bytes>& file;
        int nSize;
    } files[] = {{r.strFlagsFile, r.flags, r.nFlagsSize},
                 {r.strDossierFile, r.dossier, r.nDossierSize},
                 {r.strStartFile, r.start, r.nStartSize}};
    for (int k = 0; k < (bRestore ? 2 : 3); ++k) {
        if (!files[k].file)
            return Warn(NotOpened(files[k].strName));
        if (files[k].file->size() > static_cast<std::uint64_t>(files[k].nSize))
            return Warn(TooLong(files[k].strName, files[k].nSize));
    }
    if (!r.archive)
        return Warn(kArchiveNotOpened);
    const Bytes& a = *r.archive;

    const std::uint64_t nSize[kTargets] = {
        static_cast<std::uint64_t>(r.nDossierSize), static_cast<std::uint64_t>(r.nFlagsSize),
        static_cast<std::uint64_t>(r.nStartSize), static_cast<std::uint64_t>(r.nStartSize)};
    const ScanFacts s = Scan(
        a, static_cast<std::uint32_t>(nSize[kDossier]), static_cast<std::uint32_t>(nSize[kFlags]),
        static_cast<std::uint32_t>(nSize[kStartScr]), r.bNoStartScr, r.nShortRead);
    if (s.nSlotError >= 0)
        return Warn(kSlotText[s.nSlotError], a);
    if (s.nMatches < 3 || !s.bFound[kDossier] || !s.bFound[kFlags])
        return Warn(kSearchFault, a);
    const bool bWriteStart =
        !r.bNoStartScr && s.nMatches >= 4 && s.bFound[kStartScr] && (!bRestore || s.bFound[kStrt]);

    // Every range is judged against the whole directory before anything is written.
    const std::uint64_t n = Count(a);
    std::vector<std::uint64_t> d; // the offsets of the records that lie inside the file
    for (std::uint64_t j = 0; j < n && Whole(a, j); ++j)
        d.push_back(U32(a, RecordAt(j)));
    const auto empty = [&](std::uint64_t j) { return j + 1 < d.size() && d[j + 1] == d[j]; };
    const bool bPresent[kTargets] = {true, true, bWriteStart, bWriteStart && s.bFound[kStrt]};
    for (int k = 0; k < kTargets; ++k) {
        const std::uint64_t first = s.dwOffset[k], size = nSize[k];
        if (!bPresent[k] || size == 0)
            continue;
        const bool bWritten = k != kStrt;
        bool bRefused = (bWritten || bRestore) && (first < DataStart(a) || first + size > a.size());
        int nAt = 0;
        for (std::uint64_t j = 0; j < d.size() && bWritten; ++j) {
            bRefused = bRefused || (first < d[j] && d[j] < first + size);
            nAt += d[j] == first && !empty(j);
        }
        bRefused = bRefused || nAt > 1;
        for (int e = 0; e < k; ++e) {
            const std::uint64_t other = s.dwOffset[e], otherSize = nSize[e];
            if (bPresent[e] && otherSize > 0 && first < other + otherSize && other < first + size)
                bRefused = true;
        }
        if (bRefused)
            return Warn(kSlotText[k == kStrt ? kStartScr : k], a);
    }

    Outcome o;
    o.bWrites = true;
    o.after = a;
    Bytes startBlock = r.start.value_or(Bytes());
    if (bRestore && bWriteStart && nSize[kStrt] > 0)
        startBlock.assign(a.begin() + s.dwOffset[kStrt],
                          a.begin() + s.dwOffset[kStrt] + nSize[kStrt]);
    const auto write = [&](int t, Bytes block) {
        if (nSize[t] == 0)
            return; // writes nothing, wherever its offset points
        block.resize(nSize[t], 0);
        std::copy(block.begin(), block.end(), o.after.begin() + s.dwOffset[t]);
    };
    write(kDossier, *r.dossier);
    write(kFlags, *r.flags);
    if (r.bNoStartScr) {
        o.bSuccess = true;
        o.strText = DoneWithoutStart(r.strDescription);
    } else if (!bWriteStart) {
        o.strText = kStrtAbsent;
    } else {
        write(kStartScr, startBlock);
        o.bSuccess = true;
        o.strText = Done(r.strDescription);
    }
    return o;
}

} // namespace archive_model
