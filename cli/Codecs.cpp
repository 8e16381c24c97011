#include "cli/Codecs.h"

#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"

namespace glyphwright::cli {

Conversion ConversionFor(const Invocation& invocation) {
    Conversion conversion = invocation.direction == Direction::Encode
                                ? EncodeConversion(invocation.charset)
                                : DecodeConversion(invocation.charset);
    conversion.lineEnds = invocation.lineEnds;
    return conversion;
}

StreamCodec StreamConversion(Direction direction, Encoding encoding) {
    if (encoding == Encoding::Utf8) {
        return direction == Direction::Encode ? EncodeUmlautsUtf8 : DecodeEntitiesUtf8;
    }
    return direction == Direction::Encode ? EncodeUmlauts : DecodeEntities;
}

} // namespace glyphwright::cli
