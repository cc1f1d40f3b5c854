#include "common/huge_pages.h"

#include <cstdint>
#include <sys/mman.h>

namespace korvanta::common {

void adviseHugePages(const void* data, std::size_t bytes) {
    constexpr std::uintptr_t kPage = 4096;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kPage - 1);
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
}

} // namespace korvanta::common
