// DecodeEntitiesUtf8 in one pass, with the scan of DecodeEntities. A found
// character is written as UTF-8, one or two bytes, never more than the entity
// it replaces.
#include "entities/DecodeScan.h"
#include "entities/Utf8Entities.h"

namespace glyphwright {

std::string DecodeEntitiesUtf8(std::string_view text) {
    return detail::decode::DecodeWith(text, [](unsigned character, char*& dst) {
        if (character < 0x80) {
            *dst++ = static_cast<char>(character);
        } else {
            *dst++ = static_cast<char>(0xC0 | (character >> 6));
            *dst++ = static_cast<char>(0x80 | (character & 0x3F));
        }
    });
}

} // namespace glyphwright
