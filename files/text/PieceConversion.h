// A file's lines joined, and joined and converted, as content that is made
// piece by piece while it is written: neither text of a large file ever
// stands whole in memory.
#pragma once

#include "files/io/FileContent.h"
#include "files/text/LineList.h"

#include <functional>
#include <string>
#include <string_view>

namespace glyphwright {

// The joined bytes per piece; a piece may grow eightfold when it is encoded.
inline constexpr std::size_t kContentPiece = std::size_t{256} << 10;

// Every line followed by CR LF, the last one included. The lines must
// outlive the content.
FileContent JoinedContent(const LineList& lines);

// convert of the lines joined with CR LF, where convert is applied to a text of more than
// one piece in pieces cut where IsSafeCut allows, as EncodeUmlauts,
// DecodeEntities and their UTF-8 forms give the same result for such pieces
// as for the whole. A text of one piece is converted whole. None of them
// makes or takes a CR, LF or NUL, so the result is already joined lines.
// converted is called each time the content is passed, once the whole text
// is converted, before its last piece is passed on. The lines, convert and
// converted must outlive the content.
FileContent ConvertedContent(const LineList& lines,
                             const std::function<std::string(std::string_view)>& convert,
                             const std::function<void()>& converted);

// convert(text), made piece by piece: a text of more than one piece is cut
// where IsSafeCut allows and each piece converted alone. converted is called
// once the whole text is converted, before its last piece is passed on. The
// text, convert and converted must outlive the content.
FileContent ConvertedTextContent(std::string_view text,
                                 const std::function<std::string(std::string_view)>& convert,
                                 const std::function<void()>& converted);

} // namespace glyphwright
