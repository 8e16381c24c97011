#include "files/collect/TextCompare.h"

#include <cstring>
#include <cwchar>
#include <cwctype>
#include <langinfo.h>
#include <locale.h>

namespace glyphwright {
namespace {

bool IsAscii(std::string_view s) {
    for (unsigned char c : s) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
}

unsigned char AsciiUpper(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 0x20) : c;
}

// Reads the next character of s from pos and returns it folded to upper case.
// ASCII folds a to z only, so that no locale (Turkish i) makes an ASCII text
// compare differently here than in the fast path. An undecodable byte is
// returned as itself above the range of any wide character.
unsigned long NextFolded(std::string_view s, std::size_t& pos, std::mbstate_t& state) {
    const auto byte = static_cast<unsigned char>(s[pos]);
    if (byte < 0x80) {
        ++pos;
        return AsciiUpper(byte);
    }
    wchar_t wc = 0;
    const std::size_t n = std::mbrtowc(&wc, s.data() + pos, s.size() - pos, &state);
    if (n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2) || n == 0) {
        state = std::mbstate_t{};
        ++pos;
        return 0x80000000UL + byte;
    }
    pos += n;
    return static_cast<unsigned long>(std::towupper(static_cast<std::wint_t>(wc)));
}

int CompareFolded(std::string_view a, std::string_view b) {
    std::mbstate_t sa{};
    std::mbstate_t sb{};
    std::size_t pa = 0;
    std::size_t pb = 0;
    while (pa < a.size() && pb < b.size()) {
        const unsigned long ca = NextFolded(a, pa, sa);
        const unsigned long cb = NextFolded(b, pb, sb);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (pa < a.size()) {
        return 1;
    }
    return pb < b.size() ? -1 : 0;
}

bool LocaleIsPlainAscii() {
    return std::strcmp(nl_langinfo(CODESET), "ANSI_X3.4-1968") == 0;
}

// The C.UTF-8 locale (built into glibc), made once; null if unavailable.
locale_t Utf8Locale() {
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return utf8;
}

} // namespace

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b)) {
        const std::size_t n = a.size() < b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < n; ++i) {
            const auto ca = AsciiUpper(static_cast<unsigned char>(a[i]));
            const auto cb = AsciiUpper(static_cast<unsigned char>(b[i]));
            if (ca != cb) {
                return ca < cb ? -1 : 1;
            }
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    if (LocaleIsPlainAscii() && Utf8Locale() != locale_t{}) {
        // Switches this thread only, and only for the length of the comparison.
        const locale_t previous = uselocale(Utf8Locale());
        const int result = CompareFolded(a, b);
        uselocale(previous);
        return result;
    }
    return CompareFolded(a, b);
}

} // namespace glyphwright
