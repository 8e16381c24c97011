// The 90 rows of the entity table, in lookup order. Internal to the codec; the
// rest of the program reads them through EntityTable.
#pragma once

#include <array>
#include <string_view>

namespace glyphwright::detail {

struct EntityRow {
    std::string_view entity; // "&...;", 4 to 8 ASCII bytes
    unsigned char character; // Windows-1252
};

// clang-format off
inline constexpr std::array<EntityRow, 90> kEntityRows{{
    {"&lt;", 0x3C}, // 0
    {"&gt;", 0x3E}, // 1
    {"&amp;", 0x26}, // 2
    {"&quot;", 0x22}, // 3
    {"&nbsp;", 0xA0}, // 4
    {"&Ccedil;", 0xC7}, // 5
    {"&ccedil;", 0xE7}, // 6
    {"&Ntilde;", 0xD1}, // 7
    {"&ntilde;", 0xF1}, // 8
    {"&THORN;", 0xDE}, // 9
    {"&thorn;", 0xFE}, // 10
    {"&Yacute;", 0xDD}, // 11
    {"&yacute;", 0xFD}, // 12
    {"&yuml;", 0xFF}, // 13
    {"&szlig;", 0xDF}, // 14
    {"&AElig;", 0xC6}, // 15
    {"&Aacute;", 0xC1}, // 16
    {"&Acirc;", 0xC2}, // 17
    {"&Agrave;", 0xC0}, // 18
    {"&Aring;", 0xC5}, // 19
    {"&Atilde;", 0xC3}, // 20
    {"&Auml;", 0xC4}, // 21
    {"&aelig;", 0xE6}, // 22
    {"&aacute;", 0xE1}, // 23
    {"&acirc;", 0xE2}, // 24
    {"&agrave;", 0xE0}, // 25
    {"&aring;", 0xE5}, // 26
    {"&atilde;", 0xE3}, // 27
    {"&auml;", 0xE4}, // 28
    {"&ETH;", 0xD0}, // 29
    {"&Eacute;", 0xC9}, // 30
    {"&Ecirc;", 0xCA}, // 31
    {"&Egrave;", 0xC8}, // 32
    {"&Euml;", 0xCB}, // 33
    {"&eth;", 0xF0}, // 34
    {"&eacute;", 0xE9}, // 35
    {"&ecirc;", 0xEA}, // 36
    {"&egrave;", 0xE8}, // 37
    {"&euml;", 0xEB}, // 38
    {"&Iacute;", 0xCD}, // 39
    {"&Icirc;", 0xCE}, // 40
    {"&Igrave;", 0xCC}, // 41
    {"&Iuml;", 0xCF}, // 42
    {"&iacute;", 0xED}, // 43
    {"&icirc;", 0xEE}, // 44
    {"&igrave;", 0xEC}, // 45
    {"&iuml;", 0xEF}, // 46
    {"&Oacute;", 0xD3}, // 47
    {"&Ocirc;", 0xD4}, // 48
    {"&Ograve;", 0xD2}, // 49
    {"&Oslash;", 0xD8}, // 50
    {"&Otilde;", 0xD5}, // 51
    {"&Ouml;", 0xD6}, // 52
    {"&oacute;", 0xF3}, // 53
    {"&ocirc;", 0xF4}, // 54
    {"&ograve;", 0xF2}, // 55
    {"&oslash;", 0xF8}, // 56
    {"&otilde;", 0xF5}, // 57
    {"&ouml;", 0xF6}, // 58
    {"&Uacute;", 0xDA}, // 59
    {"&Ucirc;", 0xDB}, // 60
    {"&Ugrave;", 0xD9}, // 61
    {"&Uuml;", 0xDC}, // 62
    {"&uacute;", 0xFA}, // 63
    {"&ucirc;", 0xFB}, // 64
    {"&ugrave;", 0xF9}, // 65
    {"&uuml;", 0xFC}, // 66
    {"&reg;", 0xAE}, // 67
    {"&copy;", 0xA9}, // 68
    {"&plusmn;", 0xB1}, // 69
    {"&micro;", 0xB5}, // 70
    {"&para;", 0xB6}, // 71
    {"&middot;", 0xB7}, // 72
    {"&cent;", 0xA2}, // 73
    {"&pound;", 0xA3}, // 74
    {"&yen;", 0xA5}, // 75
    {"&frac14;", 0xBC}, // 76
    {"&frac12;", 0xBD}, // 77
    {"&frac34;", 0xBE}, // 78
    {"&sup1;", 0xB9}, // 79
    {"&sup2;", 0xB2}, // 80
    {"&sup3;", 0xB3}, // 81
    {"&iquest;", 0xBF}, // 82
    {"&deg;", 0xB0}, // 83
    {"&brvbar;", 0xA6}, // 84
    {"&sect;", 0xA7}, // 85
    {"&laquo;", 0xAB}, // 86
    {"&raquo;", 0xBB}, // 87
    {"&#132;", 0x22}, // 88
    {"&#147;", 0x22}, // 89
}};
// clang-format on

} // namespace glyphwright::detail
