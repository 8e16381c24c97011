// A byte string as hexadecimal pairs ("47 72 FC"), so that a failing case
// shows its input exactly, whatever bytes it holds.
#pragma once

#include <string>
#include <string_view>

namespace glyphwright::testing {

inline std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (!hex.empty()) {
            hex += ' ';
        }
        hex += kDigits[value >> 4];
        hex += kDigits[value & 0xF];
    }
    return hex;
}

} // namespace glyphwright::testing
