// The entity table against golden data, and the one-pass routines against the
// literal delete-and-insert reference: exhaustive over bytes and entities,
// then randomized texts full of '&', ';', entity fragments and high bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "tests/Hex.h"
#include "tests/entities/ReferenceCodec.h"

namespace glyphwright {
namespace {

using glyphwright::testing::Hex;

std::string Byte(unsigned value) {
    return std::string(1, static_cast<char>(value));
}

std::vector<std::string> TableEntities() {
    std::vector<std::string> entities;
    for (std::size_t row = 0; row < EntityTable::RowCount; ++row) {
        entities.emplace_back(EntityTable::Entity(row));
    }
    return entities;
}

// Compares both directions with the reference; a failure shows the input in hex.
void ExpectSameAsReference(std::string_view text, const std::string& context = {}) {
    EXPECT_EQ(EncodeUmlauts(text), reference::EncodeUmlauts(text))
        << "EncodeUmlauts of " << Hex(text) << ' ' << context;
    EXPECT_EQ(DecodeEntities(text), reference::DecodeEntities(text))
        << "DecodeEntities of " << Hex(text) << ' ' << context;
}

bool HoldsTableEntity(std::string_view text) {
    if (text.find('&') == std::string_view::npos || text.find(';') == std::string_view::npos) {
        return false;
    }
    for (std::size_t row = 0; row < EntityTable::RowCount; ++row) {
        if (text.find(EntityTable::Entity(row)) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- the table

TEST(EntityTable, EveryRowMatchesTheGoldenFile) {
    std::ifstream golden(GW_TEST_DATA_DIR "/entity_table.tsv");
    ASSERT_TRUE(golden) << "missing " GW_TEST_DATA_DIR "/entity_table.tsv";
    std::size_t rows = 0;
    std::string line;
    while (std::getline(golden, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::size_t row = 0;
        std::string entity;
        std::string hexByte;
        ASSERT_TRUE(fields >> row >> entity >> hexByte) << line;
        ASSERT_EQ(row, rows) << "rows out of order in the golden file";
        ASSERT_LT(row, EntityTable::RowCount);
        EXPECT_EQ(EntityTable::Entity(row), entity) << "row " << row;
        EXPECT_EQ(static_cast<unsigned char>(EntityTable::Character(row)),
                  std::stoul(hexByte, nullptr, 16))
            << "row " << row;
        ++rows;
    }
    EXPECT_EQ(rows, 90u);
    EXPECT_EQ(EntityTable::RowCount, 90u);
}

TEST(EntityTable, CoversExactlyTheListedHighBytes) {
    std::set<unsigned> covered;
    for (std::size_t row = 0; row < EntityTable::RowCount; ++row) {
        const auto character = static_cast<unsigned char>(EntityTable::Character(row));
        if (character >= 0x80) {
            EXPECT_TRUE(covered.insert(character).second) << "repeated character in row " << row;
        }
    }
    EXPECT_EQ(covered.size(), 84u);
    for (unsigned byte : {0x80u, 0x84u, 0x93u, 0x94u, 0x9Fu, 0xA1u, 0xA4u, 0xA8u, 0xAAu, 0xACu,
                          0xADu, 0xAFu, 0xB4u, 0xB8u, 0xBAu, 0xD7u, 0xF7u}) {
        EXPECT_EQ(covered.count(byte), 0u) << std::hex << byte;
    }
}

// No row makes or takes a line end or a NUL, in either direction or character
// set, so a converted text has the line ends and lines of its source: the
// per-file step writes the codec's output as it comes, without splitting it
// into lines again.
TEST(EntityTable, NoRowMakesOrTakesALineEndOrANul) {
    const std::string_view breaks("\r\n\0", 3);
    const auto countBreaks = [&breaks](std::string_view text) {
        return std::count_if(text.begin(), text.end(), [&breaks](char c) {
            return breaks.find(c) != std::string_view::npos;
        });
    };
    for (unsigned byte = 0; byte < 256; ++byte) {
        const std::string alone(1, static_cast<char>(byte));
        EXPECT_EQ(countBreaks(EncodeUmlauts(alone)), countBreaks(alone)) << byte;
    }
    for (std::size_t row = 0; row < EntityTable::RowCount; ++row) {
        const std::string entity(EntityTable::Entity(row));
        const std::string utf8 = DecodeEntitiesUtf8(entity);
        for (const std::string& made : {DecodeEntities(entity), utf8, EncodeUmlautsUtf8(utf8)}) {
            EXPECT_EQ(countBreaks(made), 0) << entity;
        }
    }
}

// ------------------------------------------------------------------ lookups

TEST(Lookups, CharToEntityMatchesTheRowWalkForEveryByte) {
    for (unsigned value = 0; value < 256; ++value) {
        EXPECT_EQ(CharToEntity(Byte(value)), reference::CharToEntity(Byte(value))) << value;
    }
    EXPECT_EQ(CharToEntity("\xE4"), "&auml;");
    EXPECT_EQ(CharToEntity("\""), "&quot;"); // row 3, the first of the three quote rows
    EXPECT_EQ(CharToEntity("a"), "a");
    EXPECT_EQ(CharToEntity(""), "");
    EXPECT_EQ(CharToEntity("\xE4\xE4"), "\xE4\xE4"); // wrong length never matches
}

TEST(Lookups, EntityToCharFindsEveryRowAndNothingElse) {
    for (std::size_t row = 0; row < EntityTable::RowCount; ++row) {
        const std::string entity(EntityTable::Entity(row));
        EXPECT_EQ(EntityToChar(entity), std::string(1, EntityTable::Character(row))) << entity;
        for (const std::string& miss : {entity.substr(1), entity.substr(0, entity.size() - 1),
                                        entity + ";", " " + entity, entity + " "}) {
            EXPECT_EQ(EntityToChar(miss), miss);
            EXPECT_EQ(reference::EntityToChar(miss), miss);
        }
    }
    EXPECT_EQ(EntityToChar("&AUML;"), "&AUML;");
    EXPECT_EQ(EntityToChar(""), "");
}

// ------------------------------------------------------------------- encode

TEST(Encode, EveryByteAlone) {
    for (unsigned value = 0; value < 256; ++value) {
        const std::string byte = Byte(value);
        const std::string expected = value >= 0x80 ? CharToEntity(byte) : byte;
        EXPECT_EQ(EncodeUmlauts(byte), expected) << Hex(byte);
        EXPECT_EQ(reference::EncodeUmlauts(byte), expected) << Hex(byte);
    }
}

TEST(Encode, EveryPairOfBytesInContext) {
    // Pairs cover every byte after every other one; the padding moves them
    // across the 16-byte blocks of the fast path.
    const std::string padding = "0123456789abcdefghijklmnopqrstu"; // 31 bytes
    for (unsigned first = 0; first < 256; ++first) {
        for (unsigned second = 0; second < 256; ++second) {
            const std::string pair = Byte(first) + Byte(second);
            const std::string text = padding.substr(0, (first + second) % 32) + pair + "<p>";
            ASSERT_EQ(EncodeUmlauts(text), reference::EncodeUmlauts(text)) << Hex(text);
        }
    }
}

TEST(Encode, LongTextOfEveryByteValue) {
    std::string text;
    for (int round = 0; round < 40; ++round) {
        for (unsigned value = 0; value < 256; ++value) {
            text += Byte((value * 7 + static_cast<unsigned>(round)) % 256);
        }
    }
    EXPECT_EQ(EncodeUmlauts(text), reference::EncodeUmlauts(text));
}

TEST(Encode, ListedCases) {
    EXPECT_EQ(EncodeUmlauts("Gr\xFC\xDF"
                            "e"),
              "Gr&uuml;&szlig;e");
    EXPECT_EQ(EncodeUmlauts(R"(<a href="x?a=1&b=2">&amp; "q"</a>)"),
              R"(<a href="x?a=1&b=2">&amp; "q"</a>)");
    EXPECT_EQ(EncodeUmlauts("\x84\x93\x94\x80\x9F\xD7\xF7"), "\x84\x93\x94\x80\x9F\xD7\xF7");
    EXPECT_EQ(EncodeUmlauts("a\xA0"
                            "b"),
              "a&nbsp;b");
    EXPECT_EQ(EncodeUmlauts("\xC3\xA4"), "&Atilde;\xA4"); // UTF-8 ä, byte by byte
    EXPECT_EQ(EncodeUmlauts(""), "");
}

// ------------------------------------------------------------------- decode

TEST(Decode, EveryEntityAloneAndInContext) {
    const std::vector<std::string> contexts = {"",    "x", "&", ";", "&amp", "abcdefghijklmnop",
                                               "\xE4"};
    for (std::size_t row = 0; row < EntityTable::RowCount; ++row) {
        const std::string entity(EntityTable::Entity(row));
        const std::string character(1, EntityTable::Character(row));
        EXPECT_EQ(DecodeEntities(entity), character) << entity;
        for (const std::string& before : contexts) {
            for (const std::string& after : contexts) {
                ExpectSameAsReference(before + entity + after);
                ExpectSameAsReference(before + entity + entity + after);
            }
        }
    }
}

TEST(Decode, EveryPrefixOfEveryEntity) {
    for (const std::string& entity : TableEntities()) {
        for (std::size_t length = 1; length < entity.size(); ++length) {
            const std::string prefix = entity.substr(0, length);
            EXPECT_EQ(DecodeEntities(prefix), prefix);
            for (const std::string& after : {std::string(";"), std::string("x;"), std::string(" "),
                                             entity, "&" + entity, std::string("abcdefgh;")}) {
                ExpectSameAsReference(prefix + after);
                ExpectSameAsReference("ab" + prefix + after + "yz");
            }
        }
    }
}

TEST(Decode, NearMissesOfEveryEntity) {
    const std::string replacements = std::string("&;aAzZ0#\x00\xE4 ", 12);
    for (const std::string& entity : TableEntities()) {
        std::vector<std::string> misses;
        for (std::size_t at = 0; at < entity.size(); ++at) {
            for (const char with : replacements) {
                std::string changed = entity;
                changed[at] = with;
                misses.push_back(changed);
                misses.push_back(entity.substr(0, at) + with + entity.substr(at)); // one more
            }
            misses.push_back(entity.substr(0, at) + entity.substr(at + 1)); // one fewer
            std::string flipped = entity;
            flipped[at] = static_cast<char>(flipped[at] ^ 0x20); // letter case
            misses.push_back(flipped);
        }
        for (const std::string& miss : misses) {
            ExpectSameAsReference(miss);
            ExpectSameAsReference("<b>" + miss + "</b>" + entity);
        }
    }
}

TEST(Decode, ConsequencesOfTheScan) {
    EXPECT_EQ(DecodeEntities("&&auml;"), "&\xE4");     // the second '&' is reached later
    EXPECT_EQ(DecodeEntities("&amp;auml;"), "&auml;"); // a decoded '&' is not examined again
    EXPECT_EQ(DecodeEntities("&amp;amp;"), "&amp;");
    EXPECT_EQ(DecodeEntities("&abcdefg;"), "&abcdefg;"); // ';' outside the window
    EXPECT_EQ(DecodeEntities("&abcdef;"), "&abcdef;");   // in the window, but unknown
    EXPECT_EQ(DecodeEntities("&frac12;"), "\xBD");       // eight bytes fit
    EXPECT_EQ(DecodeEntities("&x;&lt;"), "&x;<");        // after a miss: on at the next byte
    EXPECT_EQ(DecodeEntities("&lt&gt;"), "&lt>");        // first ';' ends the candidate
    EXPECT_EQ(DecodeEntities("&AUML;&#228;&auml"), "&AUML;&#228;&auml");
    EXPECT_EQ(DecodeEntities("x&ouml;"), "x\xF6"); // ';' is the last byte
    EXPECT_EQ(DecodeEntities("abc&"), "abc&");
    EXPECT_EQ(DecodeEntities("&"), "&");
    EXPECT_EQ(DecodeEntities(""), "");
}

TEST(Decode, ListedCases) {
    EXPECT_EQ(DecodeEntities("Gr&uuml;&szlig;e"), "Gr\xFC\xDF"
                                                  "e");
    EXPECT_EQ(DecodeEntities("&lt;b&gt;"), "<b>");
    EXPECT_EQ(DecodeEntities("&quot;"), "\"");
    EXPECT_EQ(DecodeEntities("&amp;"), "&");
    EXPECT_EQ(DecodeEntities("&#132;"), "\"");
    EXPECT_EQ(DecodeEntities("&#147;"), "\"");
    EXPECT_EQ(DecodeEntities("&nbsp;"), "\xA0");
}

TEST(Decode, EncodeThenDecodeGivesEveryHighByteBack) {
    std::string text;
    for (unsigned value = 0x20; value < 256; ++value) {
        if (value != '&') {
            text += Byte(value);
        }
    }
    EXPECT_EQ(DecodeEntities(EncodeUmlauts(text)), text);
}

TEST(LargeText, BothDirectionsOverManyMegabytes) {
    // Large outputs take another allocation path (huge pages); the result must
    // still be exact, checked against the converted piece repeated.
    const std::string piece = "<p>Gr\xFC\xDF"
                              "e &amp; \xA0\x80&auml;&&x;\r\n";
    const std::string encodedPiece = "<p>Gr&uuml;&szlig;e &amp; &nbsp;\x80&auml;&&x;\r\n";
    const std::string decodedPiece = "<p>Gr\xFC\xDF"
                                     "e & \xA0\x80\xE4&&x;\r\n";
    ASSERT_EQ(EncodeUmlauts(piece), encodedPiece);
    ASSERT_EQ(DecodeEntities(encodedPiece), decodedPiece);

    constexpr std::size_t kRepeats = (12u << 20) / 40;
    std::string text;
    std::string encoded;
    std::string decoded;
    for (std::size_t n = 0; n < kRepeats; ++n) {
        text += piece;
        encoded += encodedPiece;
        decoded += decodedPiece;
    }
    EXPECT_TRUE(EncodeUmlauts(text) == encoded);
    EXPECT_TRUE(DecodeEntities(encoded) == decoded);
}

// --------------------------------------------------------------- randomized

// Texts built from pieces that stress the decode scan and the encoder.
class TextGenerator {
public:
    explicit TextGenerator(std::uint64_t seed) : random_(seed), entities_(TableEntities()) {}

    std::string Next() {
        std::string text;
        const std::size_t pieces = Below(4) == 0 ? Below(120) : Below(24);
        for (std::size_t piece = 0; piece < pieces; ++piece) {
            AppendPiece(text);
        }
        return text;
    }

private:
    std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(random_() % bound); }

    const std::string& AnyEntity() { return entities_[Below(entities_.size())]; }

    void AppendPiece(std::string& text) {
        switch (Below(12)) {
        case 0:
            text += '&';
            break;
        case 1:
            text += ';';
            break;
        case 2:
        case 3:
            text += AnyEntity();
            break;
        case 4: { // a prefix of an entity
            const std::string& entity = AnyEntity();
            text += entity.substr(0, 1 + Below(entity.size() - 1));
            break;
        }
        case 5: { // an entity with one byte changed
            std::string entity = AnyEntity();
            entity[Below(entity.size())] = "&;Aa\xE4#1 "[Below(8)];
            text += entity;
            break;
        }
        case 6: { // an entity with its letter case flipped somewhere
            std::string entity = AnyEntity();
            entity[1 + Below(entity.size() - 2)] ^= 0x20;
            text += entity;
            break;
        }
        case 7:
        case 8:
            text += static_cast<char>(0x80 + Below(128));
            break;
        case 9:
            text += static_cast<char>(Below(256));
            break;
        case 10:
            text += "\r\n";
            break;
        default:
            text += static_cast<char>('a' + Below(26));
            break;
        }
    }

    std::mt19937_64 random_;
    std::vector<std::string> entities_;
};

std::uint64_t TestSeed() {
    const char* fromEnvironment = std::getenv("GW_CODEC_SEED");
    return fromEnvironment ? std::strtoull(fromEnvironment, nullptr, 0) : 20261207;
}

TEST(Randomized, AgreesWithTheReference) {
    const std::uint64_t seed = TestSeed();
    TextGenerator generator(seed);
    constexpr int kCases = 120000;
    int roundTrips = 0;
    for (int n = 0; n < kCases; ++n) {
        const std::string text = generator.Next();
        const auto where = [&] {
            return " (case " + std::to_string(n) + ", GW_CODEC_SEED=" + std::to_string(seed) + ")";
        };
        const std::string encoded = EncodeUmlauts(text);
        ASSERT_EQ(encoded, reference::EncodeUmlauts(text))
            << "EncodeUmlauts of " << Hex(text) << where();
        ASSERT_EQ(DecodeEntities(text), reference::DecodeEntities(text))
            << "DecodeEntities of " << Hex(text) << where();
        ASSERT_EQ(DecodeEntities(encoded), reference::DecodeEntities(encoded))
            << "DecodeEntities of " << Hex(encoded) << where();
        if (!HoldsTableEntity(text)) {
            ASSERT_EQ(DecodeEntities(encoded), text) << "round trip of " << Hex(text) << where();
            ++roundTrips;
        }
    }
    EXPECT_GT(roundTrips, kCases / 10); // the round trip is really exercised
}

} // namespace
} // namespace glyphwright
