#include "cli/Codecs.h"

#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "files/FileErrors.h"
#include "files/LineList.h"

namespace glyphwright::cli {

Conversion ConversionFor(Direction direction, Encoding encoding) {
    if (encoding == Encoding::Utf8) {
        return direction == Direction::Encode ? EncodeUmlautsUtf8 : DecodeEntitiesUtf8;
    }
    return direction == Direction::Encode ? EncodeUmlauts : DecodeEntities;
}

void RequireUtf8Lines(const std::string& path, const LineList& lines) {
    std::size_t number = 0;
    for (const std::string_view line : lines) {
        ++number;
        if (!IsValidUtf8(line)) {
            throw UnsupportedFileError("Datei " + path + " ist kein gültiges UTF-8 (Zeile " +
                                       std::to_string(number) + ")");
        }
    }
}

} // namespace glyphwright::cli
