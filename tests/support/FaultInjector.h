// Fails or shortens the k-th file operation while it lives, and counts what it sees: every
// operation, and the handles the process holds beyond those it held when the injector was made
// (POSIX: the entries of /proc/self/fd; Win32: GetProcessHandleCount), so a handle leaked
// anywhere shows. Also keeps where the fault fell and which files wait for a flush.
#pragma once

#include "tests/support/FileOpHook.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#endif

class CFaultInjector {
public:
    // k counts from 1; 0 injects nothing and only counts. Files kept in memory hold no handles
    // of the process: bCountHandles false skips the count.
    CFaultInjector(std::size_t k, afx_test::Fault fault, bool bCountHandles = true)
        : m_k(k), m_fault(fault), m_nHandles(bCountHandles ? CountHandles() : 0) {
        afx_test::SetFileOpHook(
            [this](afx_test::FileOp op, const char* pszPath) { return See(op, pszPath); });
    }
    ~CFaultInjector() { afx_test::SetFileOpHook(nullptr); }
    CFaultInjector(const CFaultInjector&) = delete;
    CFaultInjector& operator=(const CFaultInjector&) = delete;

    std::size_t Ops() const { return m_nOps; }
    // The fault was injected into an operation for which it means something: a failure, or a
    // shortened read. A write that takes part of its bytes is written on by CFile::Write, so a
    // shortened write must leave the run as it would be without it.
    bool Hit() const { return m_bHit; }
    afx_test::FileOp HitOp() const { return m_hitOp; }
    int OpenFiles() const { return CountHandles() - m_nHandles; }
    // The file of the faulted operation and, for a read, how many reads of it came before.
    const std::string& HitPath() const { return m_strHitPath; }
    int HitRead() const { return m_nHitRead; }
    // A write to strPath has not been followed by a flush of it.
    bool Unflushed(const std::string& strPath) const { return m_unflushed.count(strPath) != 0; }
    // A file was given a name while bytes written to some file waited for a flush.
    bool NamedUnflushed() const { return m_bNamedUnflushed; }
    // Something was written after a rename or replace whose folder was not handed to the disk.
    bool WroteBeforeNameSynced() const { return m_bWroteBeforeNameSynced; }
    // The number (from 1) of the first operation op on strPath; 0 when there was none.
    std::size_t FirstOp(afx_test::FileOp op, const std::string& strPath) const {
        for (std::size_t i = 0; i < m_log.size(); ++i)
            if (m_log[i].first == op && m_log[i].second == strPath)
                return i + 1;
        return 0;
    }
    std::size_t LastOp(afx_test::FileOp op) const {
        for (std::size_t i = m_log.size(); i > 0; --i)
            if (m_log[i - 1].first == op)
                return i;
        return 0;
    }

private:
    afx_test::Fault See(afx_test::FileOp op, const char* pszPath) {
        using afx_test::Fault;
        using afx_test::FileOp;
        const bool bThis = ++m_nOps == m_k && m_fault != Fault::None;
        const Fault fault = bThis ? m_fault : Fault::None;
        const int nRead = op == FileOp::Read ? m_reads[pszPath]++ : -1;
        m_log.emplace_back(op, pszPath);
        if (bThis) {
            m_bHit = fault == Fault::Fail || op == FileOp::Read;
            m_hitOp = op;
            m_strHitPath = pszPath;
            m_nHitRead = nRead;
        }
        if (op == FileOp::Write) {
            m_unflushed.insert(pszPath);
            m_bWroteBeforeNameSynced = m_bWroteBeforeNameSynced || m_bNameUnsynced;
        }
        if (op == FileOp::Flush && fault != Fault::Fail)
            m_unflushed.erase(pszPath);
        if (op == FileOp::Rename || op == FileOp::Replace) {
            m_bNamedUnflushed = m_bNamedUnflushed || !m_unflushed.empty();
            m_bNameUnsynced = true;
        }
        if (op == FileOp::SyncFolder && fault != Fault::Fail)
            m_bNameUnsynced = false;
        return fault;
    }

    static int CountHandles() {
#ifdef _WIN32
        DWORD dwCount = 0;
        if (::GetProcessHandleCount(::GetCurrentProcess(), &dwCount) && dwCount > 0)
            return static_cast<int>(dwCount);
        // Wine answers 0 there: count the handle values (multiples of 4) below 4096 that name a
        // handle; Wine keeps them small.
        int n = 0;
        for (ULONG_PTR v = 4; v < 0x1000; v += 4)
            n += ::GetHandleInformation(reinterpret_cast<HANDLE>(v), &dwCount) != 0;
        return n;
#else
        int n = 0;
        for (auto it = std::filesystem::directory_iterator("/proc/self/fd");
             it != std::filesystem::directory_iterator(); ++it)
            ++n;
        return n;
#endif
    }

    std::size_t m_k;
    afx_test::Fault m_fault;
    std::size_t m_nOps = 0;
    bool m_bHit = false;
    afx_test::FileOp m_hitOp = afx_test::FileOp::Open;
    int m_nHandles;
    std::string m_strHitPath;
    int m_nHitRead = -1;
    std::unordered_map<std::string, int> m_reads;
    std::vector<std::pair<afx_test::FileOp, std::string>> m_log;
    std::unordered_set<std::string> m_unflushed;
    bool m_bNamedUnflushed = false;
    bool m_bNameUnsynced = false;
    bool m_bWroteBeforeNameSynced = false;
};
