#include "files/ConvertedText.h"

#include "files/ConvertedContent.h"
#include "files/FileErrors.h"

#include <utility>

namespace glyphwright {

namespace {

Charset ChooseOrRefuse(const std::string& path, std::string_view bytes, CharsetRule rule) {
    const CharsetChoice choice = ChooseCharset(bytes, rule);
    if (choice.invalidAt != std::string_view::npos) {
        throw UnsupportedFileError::NotUtf8(path, LineNumberAt(bytes, choice.invalidAt));
    }
    return choice.charset;
}

} // namespace

LoadedText TakeLoadedBytes(const std::string& path, std::string_view bytes, CharsetRule rule) {
    const Charset charset = ChooseOrRefuse(path, bytes, rule);
    return {charset, SplitLines(bytes)};
}

LoadedText TakeLoadedBytes(const std::string& path, std::string&& bytes, CharsetRule rule) {
    const Charset charset = ChooseOrRefuse(path, bytes, rule);
    return {charset, SplitLinesInPlace(std::move(bytes))};
}

FileContent ConvertedFileContent(const LoadedText& text, const Conversion& conversion,
                                 const std::function<void()>& converted) {
    return ConvertedContent(text.lines, conversion.For(text.charset), converted);
}

} // namespace glyphwright
