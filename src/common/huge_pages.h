#pragma once
// Asks the kernel for huge pages under a large buffer that is about to be filled.

#include <cstddef>

namespace korvanta::common {

// Large buffers filled right after they are reserved: huge pages spare the page faults, which
// cost as much as the parsing on a virtual machine. Only whole 4 KiB pages inside the buffer are
// advised; a buffer too small for one is left alone.
void adviseHugePages(const void* data, std::size_t bytes);

} // namespace korvanta::common
