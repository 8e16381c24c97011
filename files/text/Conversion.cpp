#include "files/text/Conversion.h"

#include "entities/ByteScan.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"

namespace glyphwright {

namespace {

// Both encoders change only characters beyond ASCII.
bool HoldsHighByte(std::string_view text) {
    std::size_t at = 0;
    for (; at + detail::kBlock <= text.size(); at += detail::kBlock) {
        if (detail::HighByteMask(text.data() + at) != 0) {
            return true;
        }
    }
    for (; at < text.size(); ++at) {
        if (static_cast<unsigned char>(text[at]) >= 0x80) {
            return true;
        }
    }
    return false;
}

// Both decoders change only what starts with '&'.
bool HoldsAmpersand(std::string_view text) {
    return text.find('&') != std::string_view::npos;
}

} // namespace

Conversion EncodeConversion(CharsetRule rule) {
    return {EncodeUmlauts, EncodeUmlautsUtf8, rule, LineEnds::CrLf, HoldsHighByte};
}

Conversion DecodeConversion(CharsetRule rule) {
    return {DecodeEntities, DecodeEntitiesUtf8, rule, LineEnds::CrLf, HoldsAmpersand};
}

} // namespace glyphwright
