#include "files/text/CharsetChoice.h"
#include "tests/Hex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace glyphwright {
namespace {

using glyphwright::testing::Hex;

constexpr std::size_t kNone = std::string::npos;

// A declaration placed so that its value ends exactly at byte `end`.
std::string DeclarationEndingAt(std::size_t end) {
    const std::string tag = "<meta charset=\"utf-8";
    return std::string(end - tag.size(), ' ') + tag + "\">";
}

struct Case {
    const char* what;
    std::string bytes;
    Charset charset;
    std::size_t invalidAt = kNone;
    CharsetRule rule = CharsetRule::PerFile;
};

TEST(CharsetChoice, FirstRuleThatAppliesDecides) {
    const std::vector<Case> cases{
        {"mark, valid",
         "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
         "e",
         Charset::Utf8},
        {"mark alone", "\xEF\xBB\xBF", Charset::Utf8},
        {"mark, then Windows-1252", "\xEF\xBB\xBFok\r\nGr\xFC", Charset::Utf8, 9},
        {"valid UTF-8 with umlauts",
         "<p>Gr\xC3\xBC\xC3\x9F"
         "e</p>",
         Charset::Utf8},
        {"outside the table only", "5 \xE2\x82\xAC", Charset::Utf8},
        {"Windows-1252 that forms UTF-8: \xC3\x9F\xC2\xBB alone", "\xDF\xBB", Charset::Utf8},
        {"Windows-1252, stray continuation byte",
         "\xAB"
         "Fu\xDF\xBB",
         Charset::Windows1252},
        {"Windows-1252 umlauts",
         "Gr\xFC\xDF"
         "e",
         Charset::Windows1252},
        {"truncated sequence at the end", "abc \xC3", Charset::Windows1252},
        {"overlong form", "\xC0\xAF", Charset::Windows1252},
        {"surrogate", "\xED\xA0\x80", Charset::Windows1252},
        {"ASCII, no declaration", "<p>&auml;</p>", Charset::Windows1252},
        {"empty", "", Charset::Windows1252},
        {"meta charset", "<meta charset=\"utf-8\">", Charset::Utf8},
        {"http-equiv, upper case",
         "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; CHARSET=UTF-8\">", Charset::Utf8},
        {"blanks and utf8", "<meta\ncharset= \t'Utf8'>", Charset::Utf8},
        {"other charset", "<meta charset=\"iso-8859-1\">", Charset::Windows1252},
        {"metadata is no meta", "<metadata charset=utf-8>", Charset::Windows1252},
        {"charset after the tag", "<meta name=\"x\"> charset=utf-8", Charset::Windows1252},
        {"charset= with a blank before =", "<meta charset =utf-8>", Charset::Windows1252},
        {"just inside the window", DeclarationEndingAt(1024), Charset::Utf8},
        {"just past the window", DeclarationEndingAt(1025), Charset::Windows1252},
        {"XML declaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a/>", Charset::Utf8},
        {"XML declaration, single quotes", "<?XML encoding='utf8'?>", Charset::Utf8},
        {"XML declaration, other encoding", "<?xml encoding='iso-8859-1'?>", Charset::Windows1252},
        {"XML declaration, unquoted", "<?xml encoding=utf-8?>", Charset::Windows1252},
        {"XML declaration not at the start", " <?xml encoding=\"utf-8\"?>", Charset::Windows1252},
        {"encoding after ?>", "<?xml version=\"1.0\"?><a encoding=\"utf-8\"/>",
         Charset::Windows1252},
        {"forced Windows-1252", "Gr\xC3\xBC", Charset::Windows1252, kNone,
         CharsetRule::Windows1252},
        {"forced UTF-8, ASCII", "plain", Charset::Utf8, kNone, CharsetRule::Utf8},
        {"forced UTF-8, invalid", "ok\xFC", Charset::Utf8, 2, CharsetRule::Utf8},
    };
    for (const Case& c : cases) {
        const CharsetChoice choice = ChooseCharset(c.bytes, c.rule);
        EXPECT_EQ(choice.charset, c.charset) << c.what << ": " << Hex(c.bytes);
        EXPECT_EQ(choice.invalidAt, c.invalidAt) << c.what << ": " << Hex(c.bytes);
    }
}

TEST(CharsetChoice, LineNumbersCountLineEndsAsTheLineModelDoes) {
    const std::string text = "a\r\nb\nc\rd\n\re";
    EXPECT_EQ(LineNumberAt(text, 0), 1u);
    EXPECT_EQ(LineNumberAt(text, 3), 2u);  // after CR LF
    EXPECT_EQ(LineNumberAt(text, 5), 3u);  // after LF
    EXPECT_EQ(LineNumberAt(text, 7), 4u);  // after a lone CR
    EXPECT_EQ(LineNumberAt(text, 10), 6u); // LF CR ends two lines
}

} // namespace
} // namespace glyphwright
