// The entity table and the four routines that apply it: Windows-1252 bytes
// to HTML entities and back. Pure functions; a Text is a byte string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace glyphwright {

// The 90 entity/character pairs, in lookup order: the first matching row wins.
struct EntityTable {
    static constexpr std::size_t RowCount = 90;
    static std::string_view Entity(std::size_t row); // e.g. "&auml;"
    static char Character(std::size_t row);          // e.g. '\xE4'
};

// One character in, its entity out (the first row whose character matches);
// any other input comes back unchanged.
std::string CharToEntity(std::string_view character);

// A candidate entity in, its one-character text out (exact, case-sensitive);
// any other input comes back unchanged.
std::string EntityToChar(std::string_view candidate);

// Every byte 0x80..0xFF that has a row becomes its entity; all else is copied.
std::string EncodeUmlauts(std::string_view text);

// Every table entity found by the left-to-right scan (a ';' within the seven
// bytes after '&') becomes its character; all else is copied.
std::string DecodeEntities(std::string_view text);

} // namespace glyphwright
