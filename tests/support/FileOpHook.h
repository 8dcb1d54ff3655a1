// The test programs' way into the file back end: the framework's file classes run on the
// system's files, or on another back end given, and a hook set here sees every operation on its
// way there and may fail it or shorten it. A fault is what a failing system gives (a cause, or
// fewer bytes than asked), so the framework takes the path it takes for a real one. Linked into
// the unit tests, the Wine test program, the fuzz targets and the benchmarks; never into the
// tool, which calls the system's back end directly.
#pragma once

#include <functional>

namespace afx_backend {
struct CFileBackend;
}

namespace afx_test {

// Create: making a file under a new name (OpenUnique); each name tried is one operation.
// Status: a look at what stands at a name (CFile::GetStatus). SyncFolder: the folder of a name
// that Replace or Rename just gave, handed to the disk.
enum class FileOp {
    Open,
    Read,
    Write,
    Seek,
    Length,
    Flush,
    Close,
    Replace,
    Remove,
    Create,
    Rename,
    Status,
    SyncFolder,
    Count // how many kinds there are
};
// Fail: the operation fails with the cause the system gives most often for it (Open, Create,
// Length, Replace, Rename, Remove, Status: generic; Read and SyncFolder: hardIO; Seek: badSeek;
// Write, Flush and Close: diskFull; a failed close still lets the file go). Short: a read delivers
// half the bytes asked, rounded down, and a write takes half, rounded up; other operations run as
// they are.
enum class Fault { None, Fail, Short };

// pszPath: the file the operation names (for Replace and Rename, the target).
using FileOpHook = std::function<Fault(FileOp op, const char* pszPath)>;

// An empty hook removes it. The hook sees the paths of the files opened while it is set.
void SetFileOpHook(FileOpHook hook);

// The back end below the hook; nullptr: the system's files again.
void SetFileBackend(const afx_backend::CFileBackend* pBackend);

} // namespace afx_test
