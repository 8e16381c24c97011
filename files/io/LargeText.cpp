#include "files/io/LargeText.h"

#include <cstdint>
#include <sys/mman.h>

namespace glyphwright {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this, a text fits in the heap's ready pages more often than not.
constexpr std::size_t kWorthAsking = std::size_t{8} << 20;

} // namespace

std::string MakeLargeText(std::size_t size) {
    std::string text;
#ifdef MADV_HUGEPAGE
    if (size >= kWorthAsking) {
        // Reserve first, so that the advice comes before the first touch.
        text.reserve(size);
        const auto begin = reinterpret_cast<std::uintptr_t>(text.data());
        const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t last = (begin + size) & ~(kHugePage - 1);
        if (last > first) {
            // Advice only: when the kernel declines, the pages stay small.
            ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
        }
    }
#endif
    text.resize(size);
    return text;
}

} // namespace glyphwright
