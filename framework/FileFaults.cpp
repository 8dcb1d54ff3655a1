#include "framework/FileBackend.h"

#include <utility>

namespace afx_test {
namespace detail {

bool g_bHookSet = false;
static FileOpHook& Hook() {
    static FileOpHook hook;
    return hook;
}

Fault CallHook(FileOp op, const char* pszPath) { return Hook()(op, pszPath ? pszPath : ""); }

} // namespace detail

void SetFileOpHook(FileOpHook hook) {
    detail::g_bHookSet = static_cast<bool>(hook);
    detail::Hook() = std::move(hook);
}

} // namespace afx_test
