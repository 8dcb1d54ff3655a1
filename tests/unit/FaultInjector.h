// Fails or shortens the k-th file operation while it lives, and counts what it sees: every
// operation, and the files the process holds open beyond those it held when the injector was made
// (the entries of /proc/self/fd, so a handle leaked anywhere shows).
#pragma once

#include "framework/FileFaults.h"

#include <cstddef>
#include <filesystem>

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
    int OpenFiles() const { return CountHandles() - m_nHandles; }

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
        return fault;
    }

    std::size_t m_k;
    afx_test::Fault m_fault;
    std::size_t m_nOps = 0;
    bool m_bHit = false;
    afx_test::FileOp m_hitOp = afx_test::FileOp::Open;
    static int CountHandles() {
        int n = 0;
        for (auto it = std::filesystem::directory_iterator("/proc/self/fd");
             it != std::filesystem::directory_iterator(); ++it)
            ++n;
        return n;
    }

    int m_nHandles = CountHandles();
};
