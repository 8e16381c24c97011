#include "cli/Codecs.h"

#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"

namespace glyphwright::cli {

Conversion ConversionFor(Direction direction, CharsetRule rule) {
    return direction == Direction::Encode ? EncodeConversion(rule) : DecodeConversion(rule);
}

StreamCodec StreamConversion(Direction direction, Encoding encoding) {
    if (encoding == Encoding::Utf8) {
        return direction == Direction::Encode ? EncodeUmlautsUtf8 : DecodeEntitiesUtf8;
    }
    return direction == Direction::Encode ? EncodeUmlauts : DecodeEntities;
}

} // namespace glyphwright::cli
