#include "entities/OutputBuffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace glyphwright::detail {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

void PreferHugePages([[maybe_unused]] char* data, [[maybe_unused]] std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Only whole huge pages inside the buffer; advice only, so failure is harmless.
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + size) & ~(kHugePage - 1);
    if (first < last) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#endif
}

} // namespace

std::string MakeOutputBuffer(std::size_t size) {
    std::string buffer;
    if (size >= 4 * kHugePage) {
        buffer.reserve(size); // allocated, not yet touched
        PreferHugePages(buffer.data(), size);
    }
    buffer.resize(size);
    return buffer;
}

SteppedOutput::SteppedOutput(std::size_t bound) {
    text_.reserve(bound); // allocated, not yet touched
    if (bound >= 4 * kHugePage) {
        PreferHugePages(text_.data(), bound);
    }
}

} // namespace glyphwright::detail
