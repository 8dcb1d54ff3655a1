// Fails or shortens the k-th file operation while it lives, and counts what it sees: every
// operation, and the files left open (opens let through, less closes; so the files a sweep opens
// must exist).
#pragma once

#include "framework/FileFaults.h"

#include <cstddef>

class CFaultInjector {
public:
    // k counts from 1; 0 injects nothing and only counts.
    CFaultInjector(std::size_t k, afx_test::Fault fault) : m_k(k), m_fault(fault) {
        afx_test::SetFileOpHook([this](afx_test::FileOp op, const char*) { return See(op); });
    }
    ~CFaultInjector() { afx_test::SetFileOpHook(nullptr); }
    CFaultInjector(const CFaultInjector&) = delete;
    CFaultInjector& operator=(const CFaultInjector&) = delete;

    std::size_t Ops() const { return m_nOps; }
    // The fault was injected into an operation for which it means something (shortening only
    // touches reads and writes).
    bool Hit() const { return m_bHit; }
    afx_test::FileOp HitOp() const { return m_hitOp; }
    int OpenFiles() const { return m_nOpen; }

private:
    afx_test::Fault See(afx_test::FileOp op) {
        using afx_test::Fault;
        using afx_test::FileOp;
        const bool bThis = ++m_nOps == m_k;
        const Fault fault = bThis ? m_fault : Fault::None;
        if (bThis) {
            m_bHit = fault == Fault::Fail || op == FileOp::Read || op == FileOp::Write;
            m_hitOp = op;
        }
        // A failed open leaves nothing to close; a close always releases the handle.
        if (op == FileOp::Open && fault != Fault::Fail)
            ++m_nOpen;
        if (op == FileOp::Close)
            --m_nOpen;
        return fault;
    }

    std::size_t m_k;
    afx_test::Fault m_fault;
    std::size_t m_nOps = 0;
    bool m_bHit = false;
    afx_test::FileOp m_hitOp = afx_test::FileOp::Open;
    int m_nOpen = 0;
};
