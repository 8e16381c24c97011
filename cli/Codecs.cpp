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
    for (std::size_t line = 0; line < lines.Count(); ++line) {
        if (!IsValidUtf8(lines.Line(line))) {
            throw UnsupportedFileError("Datei " + path + " ist kein gültiges UTF-8 (Zeile " +
                                       std::to_string(line + 1) + ")");
        }
    }
}

} // namespace glyphwright::cli
