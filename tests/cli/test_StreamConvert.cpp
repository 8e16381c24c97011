#include "cli/StreamConvert.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "tests/Hex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace glyphwright::cli {
namespace {

using glyphwright::testing::Hex;

// Feeds text in pieces of random sizes (1 .. maxPiece bytes).
std::string ConvertInPieces(Direction direction, const std::string& text, std::mt19937& random,
                            std::size_t maxPiece, Encoding encoding = Encoding::Windows1252) {
    StreamConverter converter(direction, encoding);
    std::string output;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t piece = 1 + random() % maxPiece;
        output += converter.Feed(std::string_view(text).substr(at, piece));
        at += piece;
    }
    return output + converter.Finish();
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

TEST(StreamConverter, InvalidUtf8IsFoundWhereverThePiecesEnd) {
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"abc\xE4xyz", "Die Eingabe ist kein gültiges UTF-8 (Byte 4)"},
        {"ä€\xC3", "Die Eingabe ist kein gültiges UTF-8 (Byte 6)"}, // truncated at the end
        {"ä€\xF0\x9F\x98", "Die Eingabe ist kein gültiges UTF-8 (Byte 6)"},
        {"&auml;\xED\xA0\x80", "Die Eingabe ist kein gültiges UTF-8 (Byte 7)"},
        {"xx\xC0\x80", "Die Eingabe ist kein gültiges UTF-8 (Byte 3)"},
    };
    std::mt19937 random(9);
    for (const Case& c : cases) {
        for (const Direction direction : {Direction::Encode, Direction::Decode}) {
            for (std::size_t maxPiece = 1; maxPiece < 12; ++maxPiece) {
                try {
                    ConvertInPieces(direction, c.text, random, maxPiece, Encoding::Utf8);
                    ADD_FAILURE() << "accepted " << Hex(c.text);
                } catch (const InvalidStreamError& error) {
                    EXPECT_STREQ(error.what(), c.message) << Hex(c.text);
                }
            }
        }
    }
}

} // namespace
} // namespace glyphwright::cli
