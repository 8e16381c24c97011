#include "tests/files/LineFiles.h"

#include "files/io/FileReplace.h"
#include "files/io/TextFile.h"
#include "files/text/PieceConversion.h"

namespace glyphwright::testing {

std::string JoinLines(const LineList& lines) {
    return ContentText(JoinedContent(lines));
}

LineList LoadTextFile(const std::string& path) {
    return SplitLinesInPlace(LoadFileBytes(path));
}

void SaveTextFile(const LineList& lines, const std::string& path) {
    ReplaceFileContent(path, JoinedContent(lines));
}

} // namespace glyphwright::testing
