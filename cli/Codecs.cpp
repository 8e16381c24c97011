#include "Codecs.h"

#include "FileErrors.h"
#include "LineList.h"
#include "Unit_HtmlUmlaute.h"
#include "Utf8Entities.h"

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
