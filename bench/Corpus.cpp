#include "bench/Corpus.h"

#include <array>
#include <string_view>

namespace glyphwright::bench {
namespace {

// splitmix64: small, fast and the same everywhere, unlike the std distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(Next() % bound); }

    template <typename T, std::size_t N> const T& Pick(const std::array<T, N>& items) {
        return items[Below(N)];
    }

private:
    std::uint64_t state_;
};

// Windows-1252: \xE4 ä, \xF6 ö, \xFC ü, \xDF ß, \xC4 Ä, \xD6 Ö, \xDC Ü, \xE9 é. A literal is
// split where the next letter would otherwise extend the hex escape.
// clang-format off
constexpr std::array<std::string_view, 24> kUmlautWords = {
    "f\xFCr",        "\xFC" "ber",       "Gr\xFC\xDF" "e",   "sch\xF6n",      "M\xFCnchen",
    "K\xF6ln",       "D\xFCsseldorf",    "Stra\xDF" "e",     "Gesch\xE4" "ft", "Qualit\xE4t",
    "\xC4nderungen", "\xD6" "ffnungszeiten", "\xDC" "bersicht", "m\xF6" "chten", "k\xF6nnen",
    "w\xE4hlen",     "gr\xF6\xDF" "er",  "Caf\xE9",          "Gep\xE4" "ck",   "Br\xFC" "cke",
    "Gem\xFCse",     "h\xE4ufig",        "Fr\xFChst\xFC" "ck", "Ma\xDF" "e",
};
// clang-format on

constexpr std::array<std::string_view, 40> kPlainWords = {
    "und",   "die",     "der",        "das",           "ist",     "mit",     "von",     "auf",
    "Seite", "Angebot", "Kontakt",    "Impressum",     "Preise",  "Termine", "unsere",  "Produkte",
    "Hotel", "Zimmer",  "Anfahrt",    "Sie",           "wir",     "bei",     "einem",   "eine",
    "auch",  "nicht",   "werden",     "Informationen", "Telefon", "Montag",  "Freitag", "Uhr",
    "bis",   "zum",     "Startseite", "Bestellung",    "Versand", "Garten",  "Wetter",  "Berlin",
};

constexpr std::array<std::string_view, 16> kMarkup = {
    "<p>",
    "</p>",
    "<br>",
    "<b>",
    "</b>",
    "<li>",
    "</li>",
    "<td>",
    "</td>",
    "<div class=\"inhalt\">",
    "</div>",
    "<a href=\"/de/seite.php?id=7&amp;s=2\">",
    "</a>",
    "<img src=\"bild.jpg\" alt=\"\">",
    "<span style=\"color:#336\">",
    "</span>",
};

void EndLine(std::string& text, LineEnd lineEnd) {
    text += lineEnd == LineEnd::CrLf ? "\r\n" : "\n";
}

std::size_t LineLength(Random& random) {
    return 40 + random.Below(81);
}

} // namespace

std::string MakeTypicalCorpus(std::size_t minimumSize, LineEnd lineEnd, std::uint64_t seed) {
    Random random(seed);
    std::string text;
    text.reserve(minimumSize + 256);
    std::string line;
    while (text.size() < minimumSize) {
        const std::size_t length = LineLength(random);
        line.clear();
        while (line.size() < length) {
            const std::size_t kind = random.Below(100);
            if (kind < 12) {
                line += random.Pick(kMarkup);
            } else if (kind < 31) {
                line += random.Pick(kUmlautWords);
                line += ' ';
            } else {
                line += random.Pick(kPlainWords);
                line += kind < 37 ? ", " : " ";
            }
        }
        line.resize(length);
        text += line;
        EndLine(text, lineEnd);
    }
    return text;
}

std::string MakeDenseCorpus(std::size_t minimumSize, LineEnd lineEnd, std::uint64_t seed) {
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz ";
    Random random(seed);
    std::string text;
    text.reserve(minimumSize + 256);
    std::uint64_t bits = 0;
    unsigned bitsLeft = 0;
    while (text.size() < minimumSize) {
        const std::size_t length = LineLength(random);
        for (std::size_t i = 0; i < length; ++i) {
            if (bitsLeft == 0) {
                bits = random.Next();
                bitsLeft = 8;
            }
            const auto byte = static_cast<unsigned>(bits & 0xFF); // one random byte per byte
            bits >>= 8;
            --bitsLeft;
            text += (byte & 0x80) != 0 ? static_cast<char>(byte) : kLetters[byte % kLetters.size()];
        }
        EndLine(text, lineEnd);
    }
    return text;
}

double HighByteShare(const std::string& text) {
    std::size_t high = 0;
    for (const char byte : text) {
        high += static_cast<unsigned char>(byte) >> 7;
    }
    return text.empty() ? 0.0 : static_cast<double>(high) / static_cast<double>(text.size());
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 16);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80) {
            utf8 += byte;
        } else {
            utf8 += static_cast<char>(0xC0 | (value >> 6));
            utf8 += static_cast<char>(0x80 | (value & 0x3F));
        }
    }
    return utf8;
}

} // namespace glyphwright::bench
