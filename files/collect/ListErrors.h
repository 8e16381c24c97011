#pragma once

#include <stdexcept>

namespace glyphwright {

// A list that cannot take another entry. The front ends have the words for it.
class ListFullError : public std::runtime_error {
public:
    ListFullError() : std::runtime_error("list full") {}
};

} // namespace glyphwright
