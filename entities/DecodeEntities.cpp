// DecodeEntities in one pass over the input; a found character is its byte.
#include "entities/DecodeScan.h"
#include "entities/Unit_HtmlUmlaute.h"

namespace glyphwright {

std::string DecodeEntities(std::string_view text) {
    return detail::decode::DecodeWith(
        text, [](unsigned character, char*& dst) { *dst++ = static_cast<char>(character); });
}

} // namespace glyphwright
