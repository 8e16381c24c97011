// Sizes of texts made from other texts, summed so that they never wrap
// around on any platform: a sum that does not fit a size_t is refused the way
// std::string refuses a length it cannot hold, with std::length_error.
#pragma once

#include <cstddef>
#include <stdexcept>

namespace glyphwright {

inline std::size_t SizeSum(std::size_t a, std::size_t b) {
    std::size_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        throw std::length_error("text size out of range");
    }
    return sum;
}

inline std::size_t SizeSum(std::size_t a, std::size_t b, std::size_t c) {
    return SizeSum(SizeSum(a, b), c);
}

inline std::size_t SizeProduct(std::size_t a, std::size_t b) {
    std::size_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) {
        throw std::length_error("text size out of range");
    }
    return product;
}

} // namespace glyphwright
