#include "files/Conversion.h"

#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"

namespace glyphwright {

Conversion EncodeConversion(CharsetRule rule) {
    return {EncodeUmlauts, EncodeUmlautsUtf8, rule};
}

Conversion DecodeConversion(CharsetRule rule) {
    return {DecodeEntities, DecodeEntitiesUtf8, rule};
}

} // namespace glyphwright
