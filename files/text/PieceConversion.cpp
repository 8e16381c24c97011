#include "files/text/PieceConversion.h"

#include "entities/PieceCut.h"

namespace glyphwright {

FileContent JoinedContent(const LineList& lines) {
    return [&lines](const PutPiece& put) { return JoinLinesInPieces(lines, kContentPiece, put); };
}

FileContent ConvertedContent(const LineList& lines,
                             const std::function<std::string(std::string_view)>& convert,
                             const std::function<void()>& converted) {
    // The lines' own text ends each line with LF, and no conversion makes or
    // takes one: so it is converted as it stands, and each LF of the result
    // is widened to CR LF on the way out, with no joined copy of the input.
    const FileContent content = ConvertedTextContent(lines.Text(), convert, converted);
    return [content](const PutPiece& put) {
        std::string widened;
        return content([&](std::string_view piece) {
            widened.clear();
            for (std::size_t from = 0; from < piece.size();) {
                const std::size_t lf = piece.find('\n', from);
                const std::size_t end = lf == std::string_view::npos ? piece.size() : lf;
                widened.append(piece.data() + from, end - from);
                if (lf != std::string_view::npos) {
                    widened += "\r\n";
                }
                from = end + 1;
            }
            return put(widened);
        });
    };
}

FileContent ConvertedTextContent(std::string_view text,
                                 const std::function<std::string(std::string_view)>& convert,
                                 const std::function<void()>& converted) {
    return [text, &convert, &converted](const PutPiece& put) {
        std::string_view rest = text;
        while (rest.size() > kContentPiece) {
            // A safe cut lies at most seven bytes before any position.
            const std::size_t cut = LastSafeCut(rest, kContentPiece);
            if (!put(convert(rest.substr(0, cut)))) {
                return false;
            }
            rest.remove_prefix(cut);
        }
        const std::string last = convert(rest);
        converted();
        return put(last);
    };
}

} // namespace glyphwright
