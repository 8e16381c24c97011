#include "tests/entities/Utf8Reference.h"

#include "tests/entities/ReferenceCodec.h"

namespace glyphwright::reference {

namespace {

unsigned char At(std::string_view text, std::size_t offset) {
    return static_cast<unsigned char>(text[offset]);
}

// The code point of a character that is one of the row characters, or -1.
int TwoByteCodePoint(std::string_view text, std::size_t offset) {
    if (offset + 1 >= text.size()) {
        return -1;
    }
    const unsigned lead = At(text, offset);
    const unsigned next = At(text, offset + 1);
    if ((lead == 0xC2 || lead == 0xC3) && (next & 0xC0) == 0x80) {
        return static_cast<int>(((lead & 0x1F) << 6) | (next & 0x3F));
    }
    return -1;
}

} // namespace

std::size_t FindInvalidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned lead = At(text, i);
        std::size_t length = 0;
        unsigned long codePoint = 0;
        if (lead < 0x80) {
            length = 1;
            codePoint = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07;
        } else {
            return i;
        }
        if (text.size() - i < length) {
            return i;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned byte = At(text, i + k);
            if ((byte & 0xC0) != 0x80) {
                return i;
            }
            codePoint = (codePoint << 6) | (byte & 0x3F);
        }
        static constexpr unsigned long kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        const bool overlong = codePoint < kSmallest[length];
        const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
        if (overlong || surrogate || codePoint > 0x10FFFF) {
            return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

std::string EncodeUmlautsUtf8(std::string_view input) {
    std::string text(input);
    std::size_t p = 0;
    while (p < text.size()) {
        const int codePoint = TwoByteCodePoint(text, p);
        if (codePoint >= 0x80) {
            const std::string character(1, static_cast<char>(codePoint));
            const std::string entity = CharToEntity(character);
            if (entity != character) {
                text.replace(p, 2, entity);
                p += entity.size();
                continue;
            }
        }
        ++p;
    }
    return text;
}

std::string DecodeEntitiesUtf8(std::string_view input) {
    std::string text(input);
    std::size_t p = 1; // 1-based, as in the literal scan
    while (p < text.size()) {
        std::size_t advance = 1;
        if (text[p - 1] == '&') {
            std::size_t k = 1;
            while (!(p + k == text.size() || text[p + k - 1] == ';' || k == 7)) {
                ++k;
            }
            if (text[p + k - 1] == ';') {
                const std::string candidate = text.substr(p - 1, k + 1);
                const std::string character = EntityToChar(candidate);
                if (character != candidate) {
                    const std::string inserted = Latin1ToUtf8(character);
                    text.replace(p - 1, k + 1, inserted);
                    advance = inserted.size();
                }
            }
        }
        p += advance;
    }
    return text;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string utf8;
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

} // namespace glyphwright::reference
