// The entity table and its two single-item lookups. Both walk the rows from
// the first up and stop at the first match.
#include "entities/Unit_HtmlUmlaute.h"

#include "entities/EntityRows.h"

namespace glyphwright {

using detail::kEntityRows;

static_assert(kEntityRows.size() == EntityTable::RowCount);

std::string_view EntityTable::Entity(std::size_t row) {
    return kEntityRows.at(row).entity;
}

char EntityTable::Character(std::size_t row) {
    return static_cast<char>(kEntityRows.at(row).character);
}

std::string CharToEntity(std::string_view character) {
    if (character.size() == 1) {
        for (const detail::EntityRow& row : kEntityRows) {
            if (static_cast<unsigned char>(character[0]) == row.character) {
                return std::string(row.entity);
            }
        }
    }
    return std::string(character);
}

std::string EntityToChar(std::string_view candidate) {
    for (const detail::EntityRow& row : kEntityRows) {
        if (candidate == row.entity) {
            return std::string(1, static_cast<char>(row.character));
        }
    }
    return std::string(candidate);
}

} // namespace glyphwright
