#include "HeapPolicy.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace HeapPolicy {

void keepFreedMemory() {
#if defined(__GLIBC__)
    // Enough for the dives of a large logbook with their samples; what a larger load frees beyond
    // it still goes back. Blocks below the mapping bound come from the heap, so a large list freed
    // and made again reuses the same pages too (the library's own adaptive bound, which a fixed
    // trim bound switches off, would have come to much the same).
    constexpr int KEEP_BYTES = 128 * 1024 * 1024;
    constexpr int MAP_BYTES = 32 * 1024 * 1024;
    mallopt(M_TRIM_THRESHOLD, KEEP_BYTES);
    mallopt(M_MMAP_THRESHOLD, MAP_BYTES);
#endif
}

} // namespace HeapPolicy
