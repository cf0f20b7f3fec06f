#include "tool/ProcessHeap.h"

#include <cstdint>
#include <cstdlib> // defines __GLIBC__ where it is glibc

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vantle {

void prepareToolHeap() {
#if defined(__linux__) && defined(__GLIBC__)
    constexpr int kLargestHeapBuffer = 32 << 20; // glibc's largest threshold for buffers of their own
    constexpr int kReserve = 64 << 20;
    constexpr std::uintptr_t kHugePage = 2 << 20;
    // Buffers up to 32 MB come from the heap, which is never trimmed; threads share it.
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBuffer);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_ARENA_MAX, 1);
    // Grow the heap once by the reserve (untouched, it costs nothing) and ask for huge pages in it: the
    // megabytes of a theme's pixels and files then take a few faults each instead of one per 4 kB page.
    mallopt(M_TOP_PAD, kReserve);
    const auto start = reinterpret_cast<std::uintptr_t>(sbrk(0));
    void* volatile growth = std::malloc(1 << 20); // volatile: not left out as unused
    std::free(growth);
    mallopt(M_TOP_PAD, 0);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = end & ~(kHugePage - 1);
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

} // namespace vantle
