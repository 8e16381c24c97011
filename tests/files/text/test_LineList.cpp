#include "files/text/LineList.h"
#include "tests/files/LineFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace glyphwright {
namespace {

using testing::JoinLines;

std::vector<std::string> LinesOf(const LineList& list) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        lines.emplace_back(list.Line(i));
    }
    return lines;
}

using Lines = std::vector<std::string>;

// The line table, row by row; x, y and z stand for runs of ordinary bytes.
TEST(SplitLines, LineTable) {
    const std::string x = "ab c\t\xE4";
    const std::string y = "y \xFF";
    const std::string z = "zz";
    const std::string nul(1, '\0');
    struct Row {
        std::string text;
        Lines lines;
    };
    const std::vector<Row> table = {
        {x + "\r\n" + y, {x, y}},
        {x + "\n" + y, {x, y}},
        {x + "\r" + y, {x, y}},
        {x + "\n\r" + y, {x, "", y}},
        {x + "\r\r\n" + y, {x, "", y}},
        {x + "\r\n", {x}},
        {x + "\r\n\r\n", {x, ""}},
        {"\r\n", {""}},
        {x, {x}},
        {"", {}},
        {x + nul + y + "\r\n" + z, {x}},
        {nul + x, {}},
    };
    for (const Row& row : table) {
        EXPECT_EQ(LinesOf(SplitLines(row.text)), row.lines)
            << "text of " << row.text.size() << " bytes";
    }
}

// The splitting algorithm byte by byte, as plainly as it can be written.
Lines ReferenceSplit(const std::string& text) {
    Lines lines;
    std::size_t p = 0;
    auto at = [&](std::size_t i) { return i < text.size() ? text[i] : '\0'; };
    while (at(p) != '\0') {
        const std::size_t start = p;
        while (at(p) != '\0' && at(p) != '\r' && at(p) != '\n') {
            ++p;
        }
        lines.push_back(text.substr(start, p - start));
        if (at(p) == '\r') {
            ++p;
        }
        if (at(p) == '\n') {
            ++p;
        }
    }
    return lines;
}

TEST(SplitLines, AgreesWithBytewiseSplitOnRandomTexts) {
    std::mt19937 random(20261207);
    const char ordinary[] = {'a', ' ', '\t', '\xE4', '\xFF', '\x0B'};
    for (int round = 0; round < 20000; ++round) {
        // Lines from a few bytes to longer than the 16-byte scan steps; a NUL now and then.
        const unsigned density = 1 + random() % 40;
        std::string text(random() % 160, ' ');
        for (char& c : text) {
            const unsigned pick = random() % (density * 100);
            if (pick == 0) {
                c = '\0';
            } else if (pick % density == 0) {
                c = random() % 2 == 0 ? '\r' : '\n';
            } else {
                c = ordinary[random() % std::size(ordinary)];
            }
        }
        ASSERT_EQ(LinesOf(SplitLines(text)), ReferenceSplit(text)) << "round " << round;
    }
}

TEST(SplitLines, ManyLinesAreFoundByIndexByIterationAndInPieces) {
    // Enough lines for many noted line starts; empty lines among them.
    std::mt19937 random(20261209);
    const char* const lineEnds[] = {"\r\n", "\n", "\r"};
    for (int round = 0; round < 40; ++round) {
        std::string text;
        const int lines = static_cast<int>(random() % 3000);
        for (int line = 0; line < lines; ++line) {
            text += std::string(random() % 3 == 0 ? 0 : random() % 90, 'x');
            text += lineEnds[random() % 3];
        }
        text += std::string(random() % 3, 'y');
        const Lines expected = ReferenceSplit(text);
        const LineList list = SplitLines(text);
        ASSERT_EQ(LinesOf(list), expected) << "round " << round;
        ASSERT_EQ(Lines(list.begin(), list.end()), expected) << "round " << round;
        ASSERT_EQ(LinesOf(SplitLinesInPlace(std::string(text))), expected) << "round " << round;
        const std::string joined = JoinLines(list);
        for (const std::size_t pieceSize : {2, 3, 64, 4096}) {
            std::string pieces;
            ASSERT_TRUE(JoinLinesInPieces(list, pieceSize, [&](std::string_view piece) {
                EXPECT_LE(piece.size(), pieceSize);
                pieces += piece;
                return true;
            }));
            ASSERT_TRUE(pieces == joined) << "round " << round << ", pieces of " << pieceSize;
        }
    }
}

TEST(JoinLines, EveryLineEndsWithCrLf) {
    LineList list;
    EXPECT_EQ(JoinLines(list), "");
    EXPECT_EQ(list.JoinedSize(), 0u);
    list.Append("eins");
    list.Append("");
    list.Append("drei");
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.Line(1), "");
    EXPECT_EQ(list.JoinedSize(), 4u + 0 + 4 + 3 * 2);
    EXPECT_EQ(JoinLines(list), "eins\r\n\r\ndrei\r\n");
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(JoinLines(list), "");
}

TEST(JoinLines, SplitThenJoinNormalisesLineEnds) {
    // Every line end becomes CR LF; a missing final one is added.
    EXPECT_EQ(JoinLines(SplitLines("a\nb\rc\r\nd")), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(JoinLines(SplitLines("a\n\rb")), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinLines(SplitLines("\r\n")), "\r\n");
    EXPECT_EQ(JoinLines(SplitLines("")), "");
    // Lines ended by CR LF without NUL, lone CR or lone LF pass unchanged.
    const std::string text = " \t\xEF\xBB\xBFx  \r\n\r\n\x80\xFF\t\r\n";
    EXPECT_EQ(JoinLines(SplitLines(text)), text);
}

} // namespace
} // namespace glyphwright
