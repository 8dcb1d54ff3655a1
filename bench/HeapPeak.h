// The most heap the program held at once since a point, counted by replacing the global
// operator new and delete in the benchmark program (malloc_usable_size gives what each holds).
#pragma once

#include <cstddef>

namespace kvbench {

std::size_t HeapInUse();
// Makes the peak restart from what is in use now.
void ResetHeapPeak();
std::size_t HeapPeak();

// Heap held at most, above what was in use when it was made.
class CHeapPeak {
public:
    CHeapPeak() : m_nStart(HeapInUse()) { ResetHeapPeak(); }
    std::size_t Bytes() const { return HeapPeak() - m_nStart; }

private:
    std::size_t m_nStart;
};

} // namespace kvbench
