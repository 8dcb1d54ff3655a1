#include "archive/InstallRanges.h"

#include "archive/ArchiveScan.h"
#include "archive/ReadWhole.h"

#include <algorithm>

namespace {

ULONGLONG End(const InstallRange& range) {
    return static_cast<ULONGLONG>(range.dwOffset) + range.dwSize;
}

bool Overlap(const InstallRange& a, const InstallRange& b) {
    return a.dwOffset < End(b) && b.dwOffset < End(a);
}

// The data offsets of the directory's records, as many as the file holds whole.
std::vector<DWORD> ReadDirectoryOffsets(CFile& archive, UINT nEntries, ULONGLONG nLength) {
    const ULONGLONG nWhole =
        nLength < kArchiveHeaderSize ? 0 : (nLength - kArchiveHeaderSize) / kArchiveRecordSize;
    const UINT nRecords = static_cast<UINT>(std::min<ULONGLONG>(nEntries, nWhole));
    std::vector<unsigned char> records(static_cast<size_t>(nRecords) * kArchiveRecordSize);
    archive.Seek(kArchiveHeaderSize, CFile::begin);
    ReadWhole(archive, records.data(), static_cast<UINT>(records.size()));
    std::vector<DWORD> offsets(nRecords);
    for (UINT i = 0; i < nRecords; ++i)
        offsets[i] = ArchiveRecordOffset(&records[static_cast<size_t>(i) * kArchiveRecordSize]);
    return offsets;
}

// Another entry's data would be written over: its first byte lies inside the range, or it
// starts where the range starts and has data of its own (an entry is empty when the record after
// it, within the directory, has the same offset; the last one is taken to have data).
bool HitsAnotherEntry(const InstallRange& range, const std::vector<DWORD>& offsets) {
    int nStartingHere = 0;
    for (size_t j = 0; j < offsets.size(); ++j) {
        if (offsets[j] > range.dwOffset && offsets[j] < End(range))
            return true;
        const bool bEmpty = j + 1 < offsets.size() && offsets[j + 1] == offsets[j];
        if (offsets[j] == range.dwOffset && !bEmpty)
            ++nStartingHere;
    }
    // One of them is the range's own entry.
    return nStartingHere > 1;
}

} // namespace

int JudgeInstallRanges(CFile& archive, UINT nEntries, const std::vector<InstallRange>& ranges) {
    const ULONGLONG nLength = archive.GetLength();
    const ULONGLONG nDataStart =
        kArchiveHeaderSize + static_cast<ULONGLONG>(kArchiveRecordSize) * nEntries;
    const std::vector<DWORD> offsets = ReadDirectoryOffsets(archive, nEntries, nLength);
    for (size_t k = 0; k < ranges.size(); ++k) {
        const InstallRange& range = ranges[k];
        if (range.dwSize == 0)
            continue;
        const bool bWritten = range.use == InstallRange::write;
        bool bRefused = range.use != InstallRange::keep &&
                        (range.dwOffset < nDataStart || End(range) > nLength);
        bRefused = bRefused || (bWritten && HitsAnotherEntry(range, offsets));
        for (size_t j = 0; j < k && !bRefused; ++j)
            bRefused = ranges[j].dwSize != 0 && Overlap(ranges[j], range);
        if (bRefused)
            return range.nTarget;
    }
    return -1;
}
