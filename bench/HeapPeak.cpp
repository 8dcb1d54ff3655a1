#include "bench/HeapPeak.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<std::size_t> g_nInUse{0};
std::atomic<std::size_t> g_nPeak{0};

void* Allocate(std::size_t nSize) {
    void* p = std::malloc(nSize != 0 ? nSize : 1);
    if (p == nullptr)
        throw std::bad_alloc();
    const std::size_t nNow = g_nInUse += malloc_usable_size(p);
    std::size_t nPeak = g_nPeak.load();
    while (nNow > nPeak && !g_nPeak.compare_exchange_weak(nPeak, nNow)) {
    }
    return p;
}

void Release(void* p) noexcept {
    if (p == nullptr)
        return;
    g_nInUse -= malloc_usable_size(p);
    std::free(p);
}

} // namespace

void* operator new(std::size_t nSize) { return Allocate(nSize); }
void* operator new[](std::size_t nSize) { return Allocate(nSize); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace kvbench {

std::size_t HeapInUse() { return g_nInUse.load(); }
void ResetHeapPeak() { g_nPeak.store(g_nInUse.load()); }
std::size_t HeapPeak() { return g_nPeak.load(); }

} // namespace kvbench
