#include "entities/PieceCut.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "tests/Hex.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace glyphwright {
namespace {

using glyphwright::testing::Hex;

using Conversion = std::string (*)(std::string_view);

TEST(PieceCut, EverySafeCutConvertsLikeTheWholeInAllFourRoutines) {
    // Entity fragments, characters in both encodings and their pieces.
    const char* const fragments[] = {
        "&",    ";",    "&auml;",   "&amp;", "&frac12;", "&#132;", "&lt", "ml", "uml;",     "x",
        "\xE4", "\xC3", "\xC3\xA4", "\xA4",  "\r\n",     "&&",     "1",   "#",  "\xC2\xA0", "\xC2"};
    const Conversion conversions[] = {EncodeUmlauts, DecodeEntities, EncodeUmlautsUtf8,
                                      DecodeEntitiesUtf8};
    std::mt19937 random(20261210);
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        const int parts = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < parts; ++i) {
            text += fragments[random() % std::size(fragments)];
        }
        const std::string_view view = text;
        for (std::size_t at = 1; at < text.size(); ++at) {
            const std::size_t last = LastSafeCut(view, at);
            ASSERT_TRUE(last == 0 ? at <= 7 : at - last <= 7 && IsSafeCut(view, last))
                << "cut " << at << " of " << Hex(text);
            if (!IsSafeCut(view, at)) {
                continue;
            }
            for (const Conversion convert : conversions) {
                ASSERT_EQ(convert(view.substr(0, at)) + convert(view.substr(at)), convert(view))
                    << "cut " << at << " of " << Hex(text);
            }
        }
    }
}

TEST(PieceCut, CutsInsideAnEntityOrACharacterAreNotSafe) {
    struct Case {
        std::string_view text;
        std::size_t at;
        bool safe;
    };
    const Case cases[] = {
        {"x&auml;", 3, false},     {"x&auml;", 7 - 1, false}, {"x&auml;y", 7, true},
        {"&am p;", 3, true},       {"&am p;", 4, true},       {"a&&auml;", 2, true},
        {"&ab\r\ncd;", 5, true},   {"&frac12;", 7, false},    {"\xC3\xA4", 1, false},
        {"\xC3\xC3\xA4", 1, true}, {"\xE4\xE4", 1, true},     {"x&", 1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSafeCut(c.text, c.at), c.safe) << Hex(c.text) << " at " << c.at;
    }
}

} // namespace
} // namespace glyphwright
