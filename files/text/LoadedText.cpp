#include "files/text/LoadedText.h"

#include "files/io/FileErrors.h"
#include "files/text/PieceConversion.h"

#include <utility>

namespace glyphwright {

namespace {

Charset ChooseOrRefuse(const std::string& path, std::string_view bytes, CharsetRule rule) {
    const CharsetChoice choice = ChooseCharset(bytes, rule);
    if (choice.invalidAt != std::string_view::npos) {
        throw UnsupportedFileError::NotUtf8(path, LineNumberAt(bytes, choice.invalidAt),
                                            choice.invalidAt);
    }
    return choice.charset;
}

} // namespace

LoadedText TakeLoadedBytes(const std::string& path, std::string&& bytes,
                           const Conversion& conversion, bool keepBytes) {
    LoadedText text;
    text.charset = ChooseOrRefuse(path, bytes, conversion.rule);
    text.lineEnds = conversion.lineEnds;
    switch (conversion.lineEnds) {
    case LineEnds::Keep:
        text.bytes = std::move(bytes);
        break;
    case LineEnds::Lf:
        text.lines = SplitLines(bytes);
        text.bytes = std::move(bytes);
        break;
    case LineEnds::CrLf:
        if (keepBytes) {
            text.lines = SplitLines(bytes);
            text.bytes = std::move(bytes);
        } else {
            text.lines = SplitLinesInPlace(std::move(bytes));
        }
        break;
    }
    return text;
}

std::size_t LoadedSize(const LoadedText& text) {
    return text.lineEnds == LineEnds::CrLf && text.bytes.empty() ? text.lines.JoinedSize()
                                                                 : text.bytes.size();
}

FileContent ConvertedFileContent(const LoadedText& text, const Conversion& conversion,
                                 const std::function<void()>& converted) {
    const TextConversion& convert = conversion.For(text.charset);
    switch (text.lineEnds) {
    case LineEnds::CrLf:
        return ConvertedContent(text.lines, convert, converted);
    case LineEnds::Lf:
        return ConvertedTextContent(text.lines.Text(), convert, converted);
    case LineEnds::Keep:
        break;
    }
    return ConvertedTextContent(text.bytes, convert, converted);
}

FileContent BackupContent(const LoadedText& text) {
    return text.lineEnds == LineEnds::CrLf ? JoinedContent(text.lines) : WholeText(text.bytes);
}

bool SurelyUnchanged(const LoadedText& text, const Conversion& conversion) {
    return text.lineEnds == LineEnds::Keep && conversion.mayChange &&
           !conversion.mayChange(text.bytes);
}

bool ContentEquals(const FileContent& content, std::string_view bytes) {
    const bool same = content([&bytes](std::string_view piece) {
        if (bytes.substr(0, piece.size()) != piece) {
            return false;
        }
        bytes.remove_prefix(piece.size());
        return true;
    });
    return same && bytes.empty();
}

} // namespace glyphwright
