// Shared by the fuzz targets: a reader that takes parameters from the front of the input, and
// the check that stops a run. Files live in memory (MemoryFiles.h).
#pragma once

#include "MemoryFiles.h"
#include "tests/support/FileOpHook.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using memfiles::Bytes;

// The files of one run, in memory: none before it, none left after it (so that the fuzzer sees
// every allocation of a run freed, and does not look for leaks).
struct CFuzzFiles {
    CFuzzFiles() {
        memfiles::Clear();
        afx_test::SetFileBackend(&memfiles::Backend());
    }
    ~CFuzzFiles() { memfiles::Clear(); }
};

// Stops the run where libFuzzer sees it: a violated property is a crash with a reason.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "violated: %s (%s:%d)\n", #cond, __FILE__, __LINE__);             \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

class CFuzzInput {
public:
    CFuzzInput(const std::uint8_t* pData, std::size_t nSize) : m_p(pData), m_n(nSize) {}

    // Little-endian, nBytes of them; zero bytes once the input is used up.
    std::uint32_t Take(int nBytes) {
        std::uint32_t v = 0;
        for (int i = 0; i < nBytes; ++i)
            v |= static_cast<std::uint32_t>(TakeByte()) << (8 * i);
        return v;
    }
    Bytes TakeBytes(std::size_t n) {
        if (n > m_n)
            n = m_n;
        Bytes b(m_p, m_p + n);
        m_p += n;
        m_n -= n;
        return b;
    }
    Bytes Rest() { return TakeBytes(m_n); }

private:
    std::uint8_t TakeByte() {
        if (m_n == 0)
            return 0;
        --m_n;
        return *m_p++;
    }

    const std::uint8_t* m_p;
    std::size_t m_n;
};
