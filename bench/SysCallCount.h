// Counts the operating-system file operations that pass through the file back end while it is
// in scope, by kind.
#pragma once

#include "tests/support/FileOpHook.h"

#include <array>

class CSysCallCount {
public:
    CSysCallCount() {
        afx_test::SetFileOpHook([this](afx_test::FileOp op, const char*) {
            ++m_nCount[static_cast<std::size_t>(op)];
            return afx_test::Fault::None;
        });
    }
    ~CSysCallCount() { afx_test::SetFileOpHook(nullptr); }
    CSysCallCount(const CSysCallCount&) = delete;
    CSysCallCount& operator=(const CSysCallCount&) = delete;

    int Of(afx_test::FileOp op) const { return m_nCount[static_cast<std::size_t>(op)]; }
    int Total() const {
        int n = 0;
        for (int k : m_nCount)
            n += k;
        return n;
    }

private:
    std::array<int, static_cast<std::size_t>(afx_test::FileOp::Count)> m_nCount{};
};
