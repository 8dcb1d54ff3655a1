// A seam in the file back end for tests: a hook sees every operating-system file operation
// before it runs and may make it fail, or deliver fewer bytes than asked. Also used to count
// system calls. Nothing in the tool sets it.
#pragma once

#include <functional>

namespace afx_test {

// Create: making a file under a new name (OpenUnique); each name tried is one operation.
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
    Count // how many kinds there are
};
enum class Fault { None, Fail, Short };

using FileOpHook = std::function<Fault(FileOp op, const char* pszPath)>;

// An empty hook removes it.
void SetFileOpHook(FileOpHook hook);

} // namespace afx_test
