#include "files/text/CharsetChoice.h"

#include "entities/Utf8Entities.h"

#include <array>

namespace glyphwright {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char LowerAscii(char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

bool IsBlank(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

bool IsQuote(char byte) {
    return byte == '"' || byte == '\'';
}

// Whether text holds word at at, ignoring ASCII case (word is lower case).
bool HasWordAt(std::string_view text, std::size_t at, std::string_view word) {
    if (at > text.size() || text.size() - at < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (LowerAscii(text[at + i]) != word[i]) {
            return false;
        }
    }
    return true;
}

std::size_t FindWord(std::string_view text, std::size_t from, std::size_t end,
                     std::string_view word) {
    for (std::size_t at = from; at < end; ++at) {
        if (HasWordAt(text.substr(0, end), at, word)) {
            return at;
        }
    }
    return std::string_view::npos;
}

// The end of "utf-8" or "utf8" at at, or npos.
std::size_t Utf8NameEnd(std::string_view text, std::size_t at) {
    for (const std::string_view name : std::array<std::string_view, 2>{"utf-8", "utf8"}) {
        if (HasWordAt(text, at, name)) {
            return at + name.size();
        }
    }
    return std::string_view::npos;
}

// Whether some "charset=" in [from, end) is followed by blanks, a quote and
// a UTF-8 name, all before end (the window has been cut to end already).
bool MetaDeclaresUtf8(std::string_view window, std::size_t from, std::size_t end) {
    constexpr std::string_view kCharset = "charset=";
    for (std::size_t at = FindWord(window, from, end, kCharset); at != std::string_view::npos;
         at = FindWord(window, at + 1, end, kCharset)) {
        std::size_t value = at + kCharset.size();
        while (value < end && IsBlank(window[value])) {
            ++value;
        }
        if (value < end && IsQuote(window[value])) {
            ++value;
        }
        if (Utf8NameEnd(window.substr(0, end), value) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

bool XmlDeclaresUtf8(std::string_view window) {
    if (!HasWordAt(window, 0, "<?xml")) {
        return false;
    }
    const std::size_t close = window.find("?>");
    const std::size_t end = close == std::string_view::npos ? window.size() : close;
    constexpr std::string_view kEncoding = "encoding=";
    for (std::size_t at = FindWord(window, 5, end, kEncoding); at != std::string_view::npos;
         at = FindWord(window, at + 1, end, kEncoding)) {
        const std::size_t value = at + kEncoding.size();
        if (value < end && IsQuote(window[value]) &&
            Utf8NameEnd(window.substr(0, end), value + 1) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

bool DeclaresUtf8(std::string_view bytes) {
    const std::string_view window = bytes.substr(0, kDeclarationWindow);
    if (XmlDeclaresUtf8(window)) {
        return true;
    }
    constexpr std::string_view kMeta = "<meta";
    for (std::size_t at = FindWord(window, 0, window.size(), kMeta); at != std::string_view::npos;
         at = FindWord(window, at + 1, window.size(), kMeta)) {
        const std::size_t afterName = at + kMeta.size();
        if (afterName >= window.size() || !IsBlank(window[afterName])) {
            continue;
        }
        // The tag ends at its next '>'; past the window only a '>' that is
        // not there can follow, and nothing there counts anyway.
        const std::size_t close = window.find('>', afterName);
        const std::size_t end = close == std::string_view::npos ? window.size() : close;
        if (MetaDeclaresUtf8(window, afterName, end)) {
            return true;
        }
    }
    return false;
}

CharsetChoice ChooseCharset(std::string_view bytes, CharsetRule rule) {
    switch (rule) {
    case CharsetRule::Windows1252:
        return {Charset::Windows1252};
    case CharsetRule::Utf8:
        return {Charset::Utf8, FindInvalidUtf8(bytes)};
    case CharsetRule::PerFile:
        break;
    }
    if (bytes.starts_with(kByteOrderMark)) {
        return {Charset::Utf8, FindInvalidUtf8(bytes)};
    }
    const Utf8Check check = CheckUtf8(bytes);
    if (check.invalidAt != kValidUtf8) {
        return {Charset::Windows1252};
    }
    if (check.sawHighByte || DeclaresUtf8(bytes)) {
        return {Charset::Utf8};
    }
    return {Charset::Windows1252};
}

std::size_t LineNumberAt(std::string_view bytes, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t at = 0; at < offset && at < bytes.size(); ++at) {
        if (bytes[at] == '\n' ||
            (bytes[at] == '\r' && (at + 1 >= bytes.size() || bytes[at + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

} // namespace glyphwright
