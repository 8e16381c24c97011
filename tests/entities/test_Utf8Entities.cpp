// The UTF-8 routines against the plain reference: every table row both ways,
// every code point, validation of every short sequence, and randomized texts;
// and, where a text fits in Latin-1, against the byte codec's reference over
// the transcoded text.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "tests/Hex.h"
#include "tests/entities/ReferenceCodec.h"
#include "tests/entities/Utf8Reference.h"

namespace glyphwright {
namespace {

using glyphwright::testing::Hex;

using reference::Latin1ToUtf8;

std::string Utf8Of(std::uint32_t codePoint) {
    std::string out;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

std::string Bytes(std::initializer_list<unsigned> values) {
    std::string out;
    for (const unsigned value : values) {
        out += static_cast<char>(value);
    }
    return out;
}

void ExpectSameAsReference(std::string_view text) {
    EXPECT_EQ(EncodeUmlautsUtf8(text), reference::EncodeUmlautsUtf8(text))
        << "EncodeUmlautsUtf8 of " << Hex(text);
    EXPECT_EQ(DecodeEntitiesUtf8(text), reference::DecodeEntitiesUtf8(text))
        << "DecodeEntitiesUtf8 of " << Hex(text);
    EXPECT_EQ(FindInvalidUtf8(text), reference::FindInvalidUtf8(text))
        << "FindInvalidUtf8 of " << Hex(text);
}

TEST(Utf8Entities, EveryTableRowBothWays) {
    for (std::size_t row = 0; row < EntityTable::RowCount; ++row) {
        const std::string entity(EntityTable::Entity(row));
        const char byte = EntityTable::Character(row);
        const std::string character = Latin1ToUtf8(std::string(1, byte));
        // The first row of an entity text decides its character, as in the byte codec.
        EXPECT_EQ(DecodeEntitiesUtf8(entity), Latin1ToUtf8(DecodeEntities(entity))) << entity;
        EXPECT_EQ(DecodeEntitiesUtf8("x" + entity + "y"), "x" + character + "y") << entity;
        // High characters encode to the entity of their first row; ASCII ones never.
        EXPECT_EQ(EncodeUmlautsUtf8(character), Latin1ToUtf8(EncodeUmlauts(std::string(1, byte))))
            << entity;
    }
    EXPECT_EQ(EncodeUmlautsUtf8("Grüße, ½ & <b>"), "Gr&uuml;&szlig;e, &frac12; & <b>");
    EXPECT_EQ(DecodeEntitiesUtf8("Gr&uuml;&szlig;e &lt;b&gt; &#132;x&#147;"), "Grüße <b> \"x\"");
    EXPECT_EQ(EncodeUmlautsUtf8("\u00A0"), "&nbsp;");
    EXPECT_EQ(DecodeEntitiesUtf8("&amp;auml;"), "&auml;");
    EXPECT_EQ(DecodeEntitiesUtf8("&&auml;"), "&ä");
    EXPECT_EQ(DecodeEntitiesUtf8("x&ouml;"), "xö");
    EXPECT_EQ(DecodeEntitiesUtf8("&abcdefg;"), "&abcdefg;");
}

TEST(Utf8Entities, CharactersWithoutARowAndOtherBytesStay) {
    // × and ÷ have no row; U+0080..U+009F neither; nor anything above U+00FF.
    for (const char* kept : {"×÷", "\u0080\u009F", "€ „x“ Ä Œ ✓ 😀", "\xC3", "\xC3\x28", "\xE4\xF6",
                             "\xC0\xA4", "\xE0\xC3\xA4"}) {
        const std::string text(kept);
        EXPECT_EQ(EncodeUmlautsUtf8(text), reference::EncodeUmlautsUtf8(text)) << Hex(text);
    }
    EXPECT_EQ(EncodeUmlautsUtf8("€ ✓ 😀 ×"), "€ ✓ 😀 ×");
    // Invalid input is never refused by the routines themselves: a well-formed
    // pair inside it is still a character.
    EXPECT_EQ(EncodeUmlautsUtf8("\xE4\xC3\xA4\xFF"), "\xE4&auml;\xFF");
}

TEST(Utf8Entities, EveryCodePointAloneAndInContext) {
    for (std::uint32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            continue;
        }
        const std::string character = Utf8Of(codePoint);
        const std::string encoded = EncodeUmlautsUtf8(character);
        ASSERT_EQ(FindInvalidUtf8(character), kValidUtf8) << Hex(character);
        if (codePoint >= 0x80 && codePoint <= 0xFF) {
            const std::string byte(1, static_cast<char>(codePoint));
            ASSERT_EQ(encoded, Latin1ToUtf8(EncodeUmlauts(byte))) << Hex(character);
        } else {
            ASSERT_EQ(encoded, character) << Hex(character);
        }
        if (codePoint < 0x800 || codePoint % 97 == 0) {
            const std::string context = "a&" + character + std::string(20, 'x') + character + ";";
            ExpectSameAsReference(context);
            ExpectSameAsReference(std::string(30, '.') + context + std::string(14, '-'));
        }
    }
}

TEST(Utf8Validation, RefusesMalformedSequencesAtTheirFirstByte) {
    struct Case {
        std::string text;
        std::size_t invalidAt;
    };
    const std::vector<Case> cases{
        {"", kValidUtf8},
        {"plain ASCII", kValidUtf8},
        {"ä€😀\u07FF\uFFFF\U0010FFFF", kValidUtf8},
        {Bytes({0xC0, 0x80}), 0},             // overlong NUL
        {Bytes({0xC1, 0xBF}), 0},             // overlong ASCII
        {Bytes({0xE0, 0x80, 0x80}), 0},       // overlong three-byte
        {Bytes({0xE0, 0x9F, 0xBF}), 0},       // overlong three-byte, just below U+0800
        {Bytes({0xF0, 0x8F, 0xBF, 0xBF}), 0}, // overlong four-byte
        {Bytes({0xED, 0xA0, 0x80}), 0},       // surrogate U+D800
        {Bytes({0xED, 0xBF, 0xBF}), 0},       // surrogate U+DFFF
        {Bytes({0xF4, 0x90, 0x80, 0x80}), 0}, // U+110000
        {Bytes({0xF5, 0x80, 0x80, 0x80}), 0}, // lead above F4
        {Bytes({0xFF}), 0},
        {"ab" + Bytes({0x80}), 2}, // stray continuation
        {"ab" + Bytes({0xC3}), 2}, // truncated at the end
        {"ab" + Bytes({0xE2, 0x82}), 2},
        {"ab" + Bytes({0xF0, 0x9F, 0x98}), 2},
        {"ä" + Bytes({0xC3, 0x41}), 2}, // lead without its continuation
        {"Gr\xFC\xDF!", 2},             // Windows-1252
        {std::string(40, 'x') + Bytes({0xE4}) + std::string(40, 'y'), 40},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindInvalidUtf8(c.text), c.invalidAt) << Hex(c.text);
        EXPECT_EQ(reference::FindInvalidUtf8(c.text), c.invalidAt) << Hex(c.text);
        EXPECT_EQ(IsValidUtf8(c.text), c.invalidAt == kValidUtf8);
    }
}

TEST(Utf8Validation, AgreesWithTheReferenceOnEveryShortSequence) {
    // Every sequence of one to three bytes, then every four-byte one whose
    // last two bytes come from a set covering each byte class.
    std::string text;
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            text = Bytes({a, b});
            ASSERT_EQ(FindInvalidUtf8(text), reference::FindInvalidUtf8(text)) << Hex(text);
            // The third byte only matters after a three- or four-byte lead.
            for (unsigned c = 0; c < 256 && a >= 0xE0; ++c) {
                text = Bytes({a, b, c});
                ASSERT_EQ(FindInvalidUtf8(text), reference::FindInvalidUtf8(text)) << Hex(text);
            }
        }
    }
    for (unsigned a = 0xF0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            for (unsigned c : {0x41u, 0x80u, 0xBFu, 0xC0u}) {
                for (unsigned d : {0x41u, 0x80u, 0xBFu, 0xC0u}) {
                    text = Bytes({a, b, c, d});
                    ASSERT_EQ(FindInvalidUtf8(text), reference::FindInvalidUtf8(text)) << Hex(text);
                }
            }
        }
    }
}

// Pieces that make the scans' interesting cases likely.
std::string RandomText(std::mt19937_64& random, bool latin1Only) {
    static const std::vector<std::string> kPieces{
        "&",      ";", "&auml;", "&amp;", "&frac12;", "&nbsp", "&#132;", "&lt",
        "uml;",   "x", " ",      "<p>",   "ä",        "Ö",     "ß",      "½",
        "\u00A0", "×", "\u0080", "ÿ",     "\u009F",   "é",
    };
    static const std::vector<std::string> kWide{"€", "✓", "😀", "„", "Œ", "\u0800"};
    static const std::vector<std::string> kBroken{"\xC3", "\xA4", "\xE2\x82", "\xFF",
                                                  "\xED\xA0\x80"};
    std::string text;
    const std::size_t pieces = random() % 40;
    for (std::size_t i = 0; i < pieces; ++i) {
        const unsigned kind = static_cast<unsigned>(random() % 20);
        if (kind == 0) {
            text += std::string(random() % 40, 'a');
        } else if (kind == 1 && !latin1Only) {
            text += kWide[random() % kWide.size()];
        } else if (kind == 2 && !latin1Only) {
            text += kBroken[random() % kBroken.size()];
        } else {
            text += kPieces[random() % kPieces.size()];
        }
    }
    return text;
}

std::string Utf8ToLatin1(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
        } else {
            bytes += static_cast<char>(((lead & 0x03) << 6) | (utf8[++i] & 0x3F));
        }
    }
    return bytes;
}

TEST(Utf8Entities, RandomTextsAgreeWithTheReference) {
    std::mt19937_64 random(20261207);
    for (int round = 0; round < 100000; ++round) {
        const std::string text = RandomText(random, false);
        ExpectSameAsReference(text);
        if (HasFailure()) {
            return;
        }
    }
}

TEST(Utf8Entities, LargeTextWithCharactersAcrossEveryBoundary) {
    // Long enough to be encoded in many steps; a six-byte piece puts a
    // character across some of the step and block boundaries.
    const std::string piece = "a\u00E4\u20AC";
    const std::string encodedPiece = "a&auml;\u20AC";
    ASSERT_EQ(EncodeUmlautsUtf8(piece), encodedPiece);
    std::string text;
    std::string encoded;
    for (int n = 0; n < 400000; ++n) {
        text += piece;
        encoded += encodedPiece;
    }
    EXPECT_TRUE(EncodeUmlautsUtf8(text) == encoded);
    EXPECT_TRUE(DecodeEntitiesUtf8(encoded) == text);
}

TEST(Utf8Entities, Latin1TextsAgreeWithTheByteCodecOverTheTranscodedText) {
    std::mt19937_64 random(1252);
    for (int round = 0; round < 50000; ++round) {
        const std::string text = RandomText(random, true);
        const std::string latin1 = Utf8ToLatin1(text);
        ASSERT_EQ(Latin1ToUtf8(latin1), text);
        ASSERT_EQ(EncodeUmlautsUtf8(text), Latin1ToUtf8(reference::EncodeUmlauts(latin1)))
            << Hex(text);
        // Decoding matches byte for byte only where the window sees ASCII alone.
        std::string ascii;
        for (const char byte : latin1) {
            ascii += static_cast<unsigned char>(byte) < 0x80 ? byte : '?';
        }
        ASSERT_EQ(DecodeEntitiesUtf8(ascii), Latin1ToUtf8(reference::DecodeEntities(ascii)))
            << Hex(ascii);
        // Encoding then decoding gives back a text that holds no entity.
        if (text.find('&') == std::string::npos) {
            ASSERT_EQ(DecodeEntitiesUtf8(EncodeUmlautsUtf8(text)), text) << Hex(text);
        }
    }
}

} // namespace
} // namespace glyphwright
