#include "cli/memory.h"

#include <cstddef>  // defines __GLIBC__ on glibc systems

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#endif

namespace lithora::cli {

void prepareLargeColumnMemory() {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    constexpr std::size_t kReserve = std::size_t{1} << 30;  // address space, not memory
    mallopt(M_MMAP_THRESHOLD, 512 << 20);
    mallopt(M_TRIM_THRESHOLD, 1024 << 20);
    mallopt(M_TOP_PAD, static_cast<int>(kReserve));
    // A block above what the heap has left grows it by the pad; that whole stretch is marked.
    void* first = std::malloc(kHugePage);
    if (!first) return;
    const auto lo = (reinterpret_cast<std::uintptr_t>(first) + kHugePage - 1) & ~(kHugePage - 1);
    const auto hi = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(kHugePage - 1);
    if (hi > lo) madvise(reinterpret_cast<void*>(lo), hi - lo, MADV_HUGEPAGE);
    std::free(first);
#endif
}

}  // namespace lithora::cli
