#include "tests/entities/ReferenceCodec.h"

#include <cstddef>

#include "entities/Unit_HtmlUmlaute.h"

namespace glyphwright::reference {

std::string CharToEntity(std::string_view character) {
    std::string result(character);
    for (std::size_t row = 0; row < EntityTable::RowCount; ++row) {
        if (result != character) {
            break;
        }
        const char rowCharacter = EntityTable::Character(row);
        if (std::string_view(&rowCharacter, 1) == character) {
            result = EntityTable::Entity(row);
        }
    }
    return result;
}

std::string EntityToChar(std::string_view candidate) {
    std::string result(candidate);
    for (std::size_t row = 0; row < EntityTable::RowCount; ++row) {
        if (result != candidate) {
            break;
        }
        if (EntityTable::Entity(row) == candidate) {
            result = std::string(1, EntityTable::Character(row));
        }
    }
    return result;
}

namespace {

// The byte at 1-based position p.
unsigned char At(const std::string& text, std::size_t p) {
    return static_cast<unsigned char>(text[p - 1]);
}

void Replace(std::string& text, std::size_t p, std::size_t count, const std::string& with) {
    text.erase(p - 1, count);
    text.insert(p - 1, with);
}

} // namespace

std::string EncodeUmlauts(std::string_view input) {
    std::string text(input);
    std::size_t p = 1;
    while (p <= text.size()) {
        if (At(text, p) > 0x7F) {
            const std::string entity = CharToEntity(text.substr(p - 1, 1));
            Replace(text, p, 1, entity);
        }
        ++p;
    }
    return text;
}

std::string DecodeEntities(std::string_view input) {
    std::string text(input);
    std::size_t p = 1;
    while (p < text.size()) {
        if (At(text, p) == '&') {
            std::size_t k = 1;
            while (!(p + k == text.size() || At(text, p + k) == ';' || k == 7)) {
                ++k;
            }
            if (At(text, p + k) == ';') {
                const std::string character = EntityToChar(text.substr(p - 1, k + 1));
                Replace(text, p, k + 1, character);
            }
        }
        ++p;
    }
    return text;
}

} // namespace glyphwright::reference
