#include "files/ConvertedText.h"

#include "files/FileErrors.h"

namespace glyphwright {

LoadedText TakeLoadedBytes(const std::string& path, std::string_view bytes, CharsetRule rule) {
    const CharsetChoice choice = ChooseCharset(bytes, rule);
    if (choice.invalidAt != std::string_view::npos) {
        throw UnsupportedFileError::NotUtf8(path, LineNumberAt(bytes, choice.invalidAt));
    }
    return {choice.charset, SplitLines(bytes)};
}

std::string ConvertJoined(std::string_view joined, const Conversion& conversion, Charset charset) {
    std::string converted = conversion.For(charset)(joined);
    // The codec never makes or removes a line end or a NUL, so the converted
    // text is its own split-and-join; the round trip is only taken for a
    // conversion that breaks that.
    if (!IsJoinedText(converted)) {
        converted = JoinLines(SplitLines(converted));
    }
    return converted;
}

} // namespace glyphwright
