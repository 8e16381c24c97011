#include "cli/ShownName.h"

#include "entities/Utf8Entities.h"

#include <cstddef>

namespace glyphwright::cli {

namespace {

// The length of the character at the front of text, and whether it is shown
// as escaped bytes: a control character or a byte that starts no valid UTF-8.
struct Unit {
    std::size_t length = 1;
    bool escaped = false;
};

Unit UnitAt(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80) {
        return {1, lead < 0x20 || lead == 0x7F};
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (length > text.size() || !IsValidUtf8(text.substr(0, length))) {
        return {1, true};
    }
    // U+0080..U+009F, the C1 controls, are C2 80..C2 9F.
    const bool c1 = lead == 0xC2 && static_cast<unsigned char>(text[1]) <= 0x9F;
    return {length, c1};
}

// Inside $'…': the letters bash knows, else three octal digits.
void AppendEscaped(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\v':
            out += "\\v";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += '\\';
            out += static_cast<char>('0' + (byte >> 6));
            out += static_cast<char>('0' + ((byte >> 3) & 7));
            out += static_cast<char>('0' + (byte & 7));
        }
    }
}

bool NeedsQuoting(std::string_view name) {
    if (!name.empty() && (name.front() == '~' || name.front() == '#')) {
        return true;
    }
    for (std::size_t at = 0; at < name.size();) {
        const Unit unit = UnitAt(name.substr(at));
        if (unit.escaped || name[at] == '\'') {
            return true;
        }
        at += unit.length;
    }
    return false;
}

} // namespace

std::string ShownName(std::string_view name) {
    if (!NeedsQuoting(name)) {
        return std::string(name);
    }
    enum class Piece { Quoted, Escaped, Bare };
    // Always opened with a quote, as ls does: ''$'\033''a' for ESC a.
    std::string out = "'";
    Piece piece = Piece::Quoted;
    const auto close = [&] {
        if (piece != Piece::Bare) {
            out += '\'';
        }
        piece = Piece::Bare;
    };
    for (std::size_t at = 0; at < name.size();) {
        const Unit unit = UnitAt(name.substr(at));
        const std::string_view bytes = name.substr(at, unit.length);
        if (unit.escaped) {
            if (piece != Piece::Escaped) {
                close();
                out += "$'";
                piece = Piece::Escaped;
            }
            AppendEscaped(out, bytes);
        } else if (bytes == "'") {
            close();
            out += "\\'";
        } else {
            if (piece != Piece::Quoted) {
                close();
                out += '\'';
                piece = Piece::Quoted;
            }
            out += bytes;
        }
        at += unit.length;
    }
    close();
    return out;
}

std::string QuotedName(std::string_view name) {
    if (NeedsQuoting(name)) {
        return ShownName(name);
    }
    // Built by appends: GCC 12 warns falsely (-Wrestrict) on "'" + std::string.
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '\'';
    quoted += name;
    quoted += '\'';
    return quoted;
}

std::string ListedName(std::string_view name, bool onTerminal) {
    const bool splitsLine = name.find_first_of("\n\r") != std::string_view::npos;
    return onTerminal || splitsLine ? ShownName(name) : std::string(name);
}

std::string ListingEntry(std::initializer_list<std::string_view> names, ListingForm form) {
    std::string entry;
    for (const std::string_view name : names) {
        if (form.nullEnded) {
            entry.append(name);
            entry += '\0';
        } else {
            entry += (entry.empty() ? "" : " -> ") + ListedName(name, form.onTerminal);
        }
    }
    if (!form.nullEnded) {
        entry += '\n';
    }
    return entry;
}

void PutListingEntry(std::FILE* out, std::initializer_list<std::string_view> names,
                     ListingForm form) {
    const std::string entry = ListingEntry(names, form);
    std::fwrite(entry.data(), 1, entry.size(), out);
}

std::string VisibleControls(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    bool escaping = false;
    for (std::size_t at = 0; at < line.size();) {
        const Unit unit = UnitAt(line.substr(at));
        if (unit.escaped != escaping) {
            out += escaping ? "'" : "$'";
            escaping = unit.escaped;
        }
        if (unit.escaped) {
            AppendEscaped(out, line.substr(at, unit.length));
        } else {
            out += line.substr(at, unit.length);
        }
        at += unit.length;
    }
    if (escaping) {
        out += '\'';
    }
    return out;
}

} // namespace glyphwright::cli
