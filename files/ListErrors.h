#pragma once

#include <stdexcept>

namespace glyphwright {

// A list that cannot take another entry.
class ListFullError : public std::runtime_error {
public:
    ListFullError() : std::runtime_error("Zeile kann nicht eingefügt werden") {}
};

} // namespace glyphwright
