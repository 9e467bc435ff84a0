#include "ProfileArena.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// The size of a large page on the systems that have them, and of the largest block.
constexpr qsizetype LARGE_PAGE = 2 * 1024 * 1024;

// A block of `size` bytes. A block of a large page's size is placed on a large page's bound and
// marked for large pages; the system may still give small ones.
std::shared_ptr<char> allocateBlock(qsizetype size) {
#if defined(__linux__)
    if (size == LARGE_PAGE) {
        const size_t reserve = size_t(2 * LARGE_PAGE);
        void* mapped = mmap(nullptr, reserve, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped != MAP_FAILED) {
            const auto start = reinterpret_cast<quintptr>(mapped);
            const quintptr aligned = (start + LARGE_PAGE - 1) & ~quintptr(LARGE_PAGE - 1);
            if (aligned > start)
                munmap(mapped, aligned - start);
            if (const quintptr end = aligned + quintptr(LARGE_PAGE); end < start + reserve)
                munmap(reinterpret_cast<void*>(end), start + reserve - end);
            char* block = reinterpret_cast<char*>(aligned);
            madvise(block, size_t(LARGE_PAGE), MADV_HUGEPAGE);
            return std::shared_ptr<char>(block, [](char* p) { munmap(p, size_t(LARGE_PAGE)); });
        }
    }
#endif
    return std::shared_ptr<char>(new char[size_t(size)], std::default_delete<char[]>());
}

} // namespace

ProfileBytes ProfileArena::copy(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return ProfileBytes();
    const bool digits = ProfileBytes::allDigits(bytes);
    const qsizetype size = ProfileBytes::storedSize(bytes, digits);
    // A profile of more than half a block would leave most of one empty: it takes its own.
    if (2 * size > LARGE_PAGE)
        return ProfileBytes(bytes);
    if (!m_block || m_used + size > m_size) {
        while (m_nextSize < size)
            m_nextSize *= 2;
        m_size = qMin(m_nextSize, LARGE_PAGE);
        m_block = allocateBlock(m_size);
        m_used = 0;
        m_nextSize = qMin(2 * m_nextSize, LARGE_PAGE);
    }
    char* const at = m_block.get() + m_used;
    m_used += size;
    return ProfileBytes::store(bytes, digits, m_block, at);
}
