#include "files/ConvertedContent.h"

#include "entities/PieceCut.h"

namespace glyphwright {

FileContent JoinedContent(const LineList& lines) {
    return [&lines](const PutPiece& put) { return JoinLinesInPieces(lines, kContentPiece, put); };
}

FileContent ConvertedContent(const LineList& lines,
                             const std::function<std::string(std::string_view)>& convert,
                             const std::function<void()>& converted) {
    return [&lines, &convert, &converted](const PutPiece& put) {
        // The joined text not yet converted: a piece is converted only once the
        // next one has come, up to a safe cut, which needs the bytes after it.
        std::string held;
        const bool stored = JoinLinesInPieces(lines, kContentPiece, [&](std::string_view piece) {
            const std::size_t before = held.size();
            held.append(piece);
            const std::size_t cut = before == 0 ? 0 : LastSafeCut(held, before);
            if (cut == 0) {
                return true;
            }
            const bool ok = put(convert(std::string_view(held).substr(0, cut)));
            held.erase(0, cut);
            return ok;
        });
        if (!stored) {
            return false;
        }
        const std::string last = convert(held);
        converted();
        return put(last);
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
