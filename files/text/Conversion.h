// What a run does to the text of each file: one conversion for each character
// set, and the rule that picks the character set of a file.
#pragma once

#include "files/text/CharsetChoice.h"

#include <functional>
#include <string>
#include <string_view>

namespace glyphwright {

using TextConversion = std::function<std::string(std::string_view)>;

// How the lines of a converted file end.
enum class LineEnds {
    CrLf, // every line with CR LF, the last one included: the window's form
    Lf,   // every line with LF, the last one included
    Keep, // each line break as it was, and a last line without one stays so
};

struct Conversion {
    TextConversion windows1252;
    TextConversion utf8;
    CharsetRule rule = CharsetRule::PerFile;
    LineEnds lineEnds = LineEnds::CrLf;
    // A quick look that is false only for a text the conversion leaves as it
    // is, so that a tree converted before costs a scan, not a conversion.
    // Empty: convert to find out.
    std::function<bool(std::string_view)> mayChange = {};

    const TextConversion& For(Charset charset) const {
        return charset == Charset::Utf8 ? utf8 : windows1252;
    }
};

// Characters to entities: EncodeUmlauts, or its UTF-8 form.
Conversion EncodeConversion(CharsetRule rule = CharsetRule::PerFile);
// Entities to characters: DecodeEntities, or its UTF-8 form.
Conversion DecodeConversion(CharsetRule rule = CharsetRule::PerFile);

} // namespace glyphwright
