#include "cli/StreamConvert.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "files/text/CharsetChoice.h"
#include "tests/Hex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>

namespace glyphwright::cli {
namespace {

using glyphwright::testing::Hex;

// Feeds text in pieces of random sizes (1 .. maxPiece bytes).
std::string ConvertInPieces(StreamConverter& converter, const std::string& text,
                            std::mt19937& random, std::size_t maxPiece) {
    std::string output;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t piece = 1 + random() % maxPiece;
        output += converter.Feed(std::string_view(text).substr(at, piece));
        at += piece;
    }
    return output + converter.Finish();
}

std::string ConvertInPieces(Direction direction, const std::string& text, std::mt19937& random,
                            std::size_t maxPiece,
                            std::optional<Encoding> encoding = Encoding::Windows1252) {
    StreamConverter converter(direction, encoding);
    return ConvertInPieces(converter, text, random, maxPiece);
}

std::string ConvertWhole(Direction direction, Encoding encoding, std::string_view text) {
    if (encoding == Encoding::Utf8) {
        return direction == Direction::Decode ? DecodeEntitiesUtf8(text) : EncodeUmlautsUtf8(text);
    }
    return direction == Direction::Decode ? DecodeEntities(text) : EncodeUmlauts(text);
}

TEST(StreamConverter, PiecesGiveTheResultOfTheWholeText) {
    // Texts dense with '&', ';' and entity fragments, cut anywhere.
    const char* fragments[] = {"&", ";",    "&auml;", "&amp;", "&frac12;", "&lt",    "uml;",
                               "x", "\xE4", "\xDF",   "\r\n",  "&&",       "&#132;", "\0"};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int parts = static_cast<int>(random() % 40);
        for (int i = 0; i < parts; ++i) {
            const char* fragment = fragments[random() % std::size(fragments)];
            text += *fragment == '\0' ? std::string(1, '\0') : std::string(fragment);
        }
        const std::size_t maxPiece = 1 + random() % 12;
        ASSERT_EQ(ConvertInPieces(Direction::Decode, text, random, maxPiece), DecodeEntities(text))
            << "input " << Hex(text);
        ASSERT_EQ(ConvertInPieces(Direction::Encode, text, random, maxPiece), EncodeUmlauts(text))
            << "input " << Hex(text);
    }
}

TEST(StreamConverter, LongRunOfAmpersandsGivesTheWholeResult) {
    // The entity at the end of the run comes out whole, although every cut
    // inside the run lies just before a '&'.
    const std::string text = std::string(200000, '&') + "auml;";
    StreamConverter converter(Direction::Decode);
    std::string output;
    for (std::size_t at = 0; at < text.size(); at += 4096) {
        output += converter.Feed(std::string_view(text).substr(at, 4096));
    }
    output += converter.Finish();
    EXPECT_EQ(output, DecodeEntities(text));
}

TEST(StreamConverter, HoldsBackOnlyAFewBytesWhateverTheInput) {
    // Texts where '&' comes every few bytes, in both directions and both
    // encodings; every piece leaves at most a decode window and a character.
    const std::string texts[] = {
        [] {
            std::string text;
            for (int i = 0; i < 200000; ++i) {
                text += "&a";
            }
            return text;
        }(),
        std::string(300000, '&'),
        [] {
            std::string text;
            for (int i = 0; i < 50000; ++i) {
                text += "&&ä&auml;x&frac12";
            }
            return text;
        }(),
    };
    for (const std::string& text : texts) {
        for (const Encoding encoding : {Encoding::Windows1252, Encoding::Utf8}) {
            for (const Direction direction : {Direction::Decode, Direction::Encode}) {
                StreamConverter converter(direction, encoding);
                std::string output;
                std::size_t mostPending = 0;
                for (std::size_t at = 0; at < text.size(); at += 4093) {
                    output += converter.Feed(std::string_view(text).substr(at, 4093));
                    mostPending = std::max(mostPending, converter.Pending());
                }
                output += converter.Finish();
                const bool utf8 = encoding == Encoding::Utf8;
                const std::string whole =
                    direction == Direction::Decode
                        ? (utf8 ? DecodeEntitiesUtf8(text) : DecodeEntities(text))
                        : (utf8 ? EncodeUmlautsUtf8(text) : EncodeUmlauts(text));
                EXPECT_LE(mostPending, 10U) << text.substr(0, 20) << " utf8 " << utf8;
                EXPECT_TRUE(output == whole) << text.substr(0, 20) << " utf8 " << utf8;
            }
        }
    }
}

TEST(StreamConverter, Utf8PiecesGiveTheResultOfTheWholeText) {
    // Characters of one to four bytes cut anywhere, among entity fragments.
    const char* fragments[] = {"&", ";", "&auml;", "&amp;",  "&frac12;", "ä",    "ß",
                               "½", "€", "😀",      "\u00A0", "x",        "\r\n", "&&"};
    std::mt19937 random(8);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int parts = static_cast<int>(random() % 40);
        for (int i = 0; i < parts; ++i) {
            text += fragments[random() % std::size(fragments)];
        }
        const std::size_t maxPiece = 1 + random() % 12;
        ASSERT_EQ(ConvertInPieces(Direction::Decode, text, random, maxPiece, Encoding::Utf8),
                  DecodeEntitiesUtf8(text))
            << "input " << Hex(text);
        ASSERT_EQ(ConvertInPieces(Direction::Encode, text, random, maxPiece, Encoding::Utf8),
                  EncodeUmlautsUtf8(text))
            << "input " << Hex(text);
    }
}

TEST(StreamConverter, BadUtf8PassesUnchangedAndIsCountedWhereverThePiecesEnd) {
    // Read as UTF-8, forced or found: the bad bytes are copied, the rest
    // converted, and each spot (a bad byte with the bytes after it that still
    // began a sequence with it) counted once, the first by its position.
    struct Case {
        std::string text;
        std::optional<Encoding> encoding;
        std::uint64_t spots;
        std::uint64_t first;
    };
    const Case cases[] = {
        {"abc\xE4xyz", Encoding::Utf8, 1, 4},
        {"ä€\xC3", Encoding::Utf8, 1, 6}, // truncated at the end
        {"ä€\xF0\x9F\x98", Encoding::Utf8, 1, 6},
        {"&auml;\xED\xA0\x80", Encoding::Utf8, 3, 7}, // a surrogate: three stray bytes
        {"xx\xC0\x80", Encoding::Utf8, 2, 3},
        // Long enough for the checks that take 64 bytes at a time: a character
        // across two such blocks, and a lead byte at a block's end with no
        // continuation after it.
        {std::string(63, 'x') + "ä" + std::string(100, 'y') + "\xC3(", Encoding::Utf8, 1, 166},
        {"ü" + std::string(61, 'x') + "\xC3" + std::string(70, 'z'), std::nullopt, 1, 64},
        {"\xEF\xBB\xBFGr\xFC\xDF"
         "e",
         std::nullopt, 2, 6}, // a mark before Windows-1252
        {"ä &auml; \xE4 \xE2\x82 &ouml; \xC3", std::nullopt, 3, 11},
        {"&auml;ä&#132;\xE2\x82&ouml;\xF0\x9F\x98", std::nullopt, 2, 15},
    };
    std::mt19937 random(9);
    for (const Case& c : cases) {
        for (const Direction direction : {Direction::Encode, Direction::Decode}) {
            for (const std::size_t maxPiece : {1, 2, 3, 4, 5, 7, 11, 400}) {
                StreamConverter converter(direction, c.encoding);
                EXPECT_EQ(ConvertInPieces(converter, c.text, random, maxPiece),
                          ConvertWhole(direction, Encoding::Utf8, c.text))
                    << Hex(c.text);
                EXPECT_EQ(converter.Decided(), Encoding::Utf8) << Hex(c.text);
                EXPECT_EQ(converter.InvalidSpots(), c.spots) << Hex(c.text);
                EXPECT_EQ(converter.FirstInvalid(), c.first) << Hex(c.text);
            }
        }
    }
    StreamConverter converter(Direction::Encode, Encoding::Utf8);
    std::string output = converter.Feed("ok\n\xE4");
    output += converter.Finish();
    EXPECT_EQ(output, "ok\n\xE4");
    EXPECT_EQ(converter.InvalidMessage(), "Die Eingabe ist kein gültiges UTF-8 (Byte 4); die "
                                          "Bytes dort stehen unverändert in der Ausgabe");
}

TEST(StreamConverter, DecidesTheCharsetAtTheFirstHighByteOrByTheDeclaration) {
    // Each text is also fed a byte at a time, so that a character is cut
    // between pieces; what the output may not wait for is written at once.
    const std::string declared = "<meta charset=\"utf-8\">";
    struct Case {
        const char* what;
        Direction direction;
        std::string text;
        std::string output;
        Encoding charset;
        std::string early; // the output once the text up to its tab is in, still undecided
    };
    const Case cases[] = {
        {"UTF-8 text", Direction::Encode, "\tGrüße\n", "\tGr&uuml;&szlig;e\n", Encoding::Utf8,
         "\t"},
        {"mark", Direction::Encode, "\xEF\xBB\xBF\xC3\xA4", "\xEF\xBB\xBF&auml;", Encoding::Utf8,
         ""},
        {"Windows-1252 text", Direction::Encode,
         "Gr\xFC\xDF"
         "e\n",
         "Gr&uuml;&szlig;e\n", Encoding::Windows1252, ""},
        {"invalid first, valid later", Direction::Encode, "<p>\t\xE4 ä", "<p>\t&auml; &Atilde;\xA4",
         Encoding::Windows1252, "<p>\t"},
        {"cut by the end", Direction::Decode, "&auml;\xE2\x82", "\xE4\xE2\x82",
         Encoding::Windows1252, ""},
        {"entity, then UTF-8", Direction::Decode, "a &lt; b, c\t&auml; ä", "a < b, c\tä ä",
         Encoding::Utf8, "a < b, c\t"},
        {"entity, then Windows-1252", Direction::Decode, "&auml; \xFC", "\xE4 \xFC",
         Encoding::Windows1252, ""},
        {"ASCII, declared", Direction::Decode, declared + "\t&auml;", declared + "\tä",
         Encoding::Utf8, declared + "\t"},
        {"ASCII, XML declaration", Direction::Decode,
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\t&auml;",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\tä", Encoding::Utf8,
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\t"},
        {"ASCII, undeclared", Direction::Decode, "<p>\t&auml;</p>", "<p>\t\xE4</p>",
         Encoding::Windows1252, "<p>\t"},
        {"ASCII, declared, encode", Direction::Encode, declared + "\t&auml;", declared + "\t&auml;",
         Encoding::Utf8, declared + "\t"},
        {"ASCII, undeclared, encode", Direction::Encode, "<p>\t&auml;", "<p>\t&auml;",
         Encoding::Windows1252, "<p>\t"},
        {"nothing", Direction::Decode, "", "", Encoding::Windows1252, ""},
    };
    for (const Case& c : cases) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, c.text.size() + 1}) {
            StreamConverter converter(c.direction);
            std::string output;
            for (std::size_t at = 0; at < c.text.size(); at += piece) {
                output += converter.Feed(std::string_view(c.text).substr(at, piece));
                if (c.text[std::min(c.text.size(), at + piece) - 1] == '\t') {
                    EXPECT_EQ(output, c.early) << c.what;
                    EXPECT_EQ(converter.Decided(), std::nullopt) << c.what;
                }
            }
            output += converter.Finish();
            EXPECT_EQ(output, c.output) << c.what << ", pieces of " << piece;
            EXPECT_EQ(converter.Decided(), c.charset) << c.what;
            EXPECT_EQ(converter.InvalidSpots(), 0U) << c.what;
        }
    }
}

TEST(StreamConverter, FoundCharsetPiecesGiveTheResultOfTheWholeText) {
    // The set the whole text shows at its first byte 0x80 or above, or by its
    // declaration; then that set's conversion of the whole text, bad UTF-8
    // bytes copied.
    const auto charsetOf = [](const std::string& text) {
        const auto high =
            std::find_if(text.begin(), text.end(), [](char byte) { return (byte & 0x80) != 0; });
        if (high == text.end()) {
            return DeclaresUtf8(text) ? Encoding::Utf8 : Encoding::Windows1252;
        }
        const std::string_view rest(&*high, static_cast<std::size_t>(text.end() - high));
        return CheckUtf8(rest).invalidAt == 0 ? Encoding::Windows1252 : Encoding::Utf8;
    };
    const char* fragments[] = {"&",
                               ";",
                               "&auml;",
                               "&amp;",
                               "&frac12;",
                               "ä",
                               "ß",
                               "€",
                               "😀",
                               "\xE4",
                               "\xDF",
                               "\xE2\x82",
                               "\xF0\x9F",
                               "\xC3",
                               "x",
                               "\r\n",
                               "<meta charset=utf8>",
                               "&&",
                               "&#132;",
                               "&lt"};
    std::mt19937 random(10);
    for (int round = 0; round < 3000; ++round) {
        std::string text = random() % 8 == 0 ? "\xEF\xBB\xBF" : "";
        const int parts = static_cast<int>(random() % 40);
        for (int i = 0; i < parts; ++i) {
            // Mostly ASCII, so that the decision often comes late.
            const std::size_t pick = random() % std::size(fragments);
            text += fragments[random() % 3 == 0 ? pick : pick % 5];
        }
        const std::size_t maxPiece = 1 + random() % 12;
        const Encoding charset = charsetOf(text);
        for (const Direction direction : {Direction::Decode, Direction::Encode}) {
            StreamConverter converter(direction);
            ASSERT_EQ(ConvertInPieces(converter, text, random, maxPiece),
                      ConvertWhole(direction, charset, text))
                << "input " << Hex(text);
            ASSERT_EQ(converter.Decided(), charset) << "input " << Hex(text);
        }
    }
}

TEST(StreamConverter, UndecidedDecodingHoldsOnlyUpToABound) {
    // An entity of ä, then more ASCII than the bound before the first byte
    // 0x80 or above: the declaration decides as soon as the bound is reached,
    // and nothing more is held; the UTF-8 ä that comes later is then taken as
    // two Windows-1252 characters, or is UTF-8 when the page declares it.
    for (const std::string& start :
         {std::string("<p>&auml;"), std::string("<meta charset=\"utf-8\"><p>&auml;")}) {
        const std::string text = start + std::string(3 * kUndecidedHold, 'x') + "ä\n";
        const Encoding charset =
            start.starts_with("<meta") ? Encoding::Utf8 : Encoding::Windows1252;
        StreamConverter converter(Direction::Decode);
        std::string output;
        std::size_t mostPending = 0;
        std::size_t decidedAt = 0;
        for (std::size_t at = 0; at < text.size(); at += 65536) {
            output += converter.Feed(std::string_view(text).substr(at, 65536));
            mostPending = std::max(mostPending, converter.Pending());
            if (decidedAt == 0 && converter.Decided()) {
                decidedAt = at + 65536;
            }
        }
        output += converter.Finish();
        EXPECT_TRUE(output == ConvertWhole(Direction::Decode, charset, text)) << start;
        EXPECT_EQ(converter.Decided(), charset) << start;
        EXPECT_LE(mostPending, kUndecidedHold + 65536) << start;
        EXPECT_LE(decidedAt, kUndecidedHold + 2 * 65536) << start;
    }
}

} // namespace
} // namespace glyphwright::cli
