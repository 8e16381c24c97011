#include "settings/IniFile.h"

#include "files/collect/TextCompare.h"

#include <iterator>
#include <optional>
#include <utility>

namespace glyphwright {
namespace {

constexpr std::string_view NewLineEnd = "\r\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool HoldsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::optional<std::string_view> HeaderName(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    std::string_view name = trimmed.substr(1);
    if (const auto close = name.find(']'); close != std::string_view::npos) {
        name = name.substr(0, close);
    }
    return Trim(name);
}

struct Setting {
    std::string_view name;
    std::size_t equalsAt;
};

// Header lines are recognised before this is asked.
std::optional<Setting> SettingOf(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() == ';') {
        return std::nullopt;
    }
    const auto equalsAt = text.find('=');
    if (equalsAt == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view name = Trim(text.substr(0, equalsAt));
    if (name.empty()) {
        return std::nullopt;
    }
    return Setting{name, equalsAt};
}

// Appended piece by piece: GCC 12's optimiser misreads "[" + std::string(...)
// as an overlapping copy (-Wrestrict).
std::string HeaderLine(std::string_view section) {
    std::string line;
    line.reserve(section.size() + 2);
    line += '[';
    line += section;
    line += ']';
    return line;
}

std::string_view ValueOf(std::string_view text, std::size_t equalsAt) {
    std::string_view value = Trim(text.substr(equalsAt + 1));
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

void CheckSectionName(std::string_view section) {
    const std::string_view trimmed = Trim(section);
    if (trimmed.empty() || HoldsLineBreakOrNul(section) ||
        section.find(']') != std::string_view::npos) {
        throw IniFormatError("unusable section name");
    }
}

void CheckSettingName(std::string_view name) {
    const std::string_view trimmed = Trim(name);
    if (trimmed.empty() || trimmed.front() == '[' || trimmed.front() == ';' ||
        HoldsLineBreakOrNul(name)) {
        throw IniFormatError("unusable setting name");
    }
}

void CheckValue(std::string_view value) {
    if (HoldsLineBreakOrNul(value)) {
        throw IniFormatError("unusable setting value");
    }
}

} // namespace

IniFile::IniFile(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto lf = bytes.find('\n', pos);
        if (lf == std::string_view::npos) {
            lines_.push_back({std::string(bytes.substr(pos)), ""});
            break;
        }
        const bool crlf = lf > pos && bytes[lf - 1] == '\r';
        const std::size_t textEnd = crlf ? lf - 1 : lf;
        lines_.push_back({std::string(bytes.substr(pos, textEnd - pos)), crlf ? "\r\n" : "\n"});
        pos = lf + 1;
    }
}

std::string IniFile::Bytes() const {
    std::size_t size = 0;
    for (const Line& line : lines_) {
        size += line.text.size() + line.ending.size();
    }
    std::string bytes;
    bytes.reserve(size);
    for (const Line& line : lines_) {
        bytes += line.text;
        bytes += line.ending;
    }
    return bytes;
}

bool IniFile::IsHeaderOf(const Line& line, std::string_view section) const {
    const auto name = HeaderName(line.text);
    return name && EqualIgnoringCase(*name, Trim(section));
}

std::vector<std::size_t> IniFile::SettingLines(std::string_view section) const {
    std::vector<std::size_t> found;
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (const auto header = HeaderName(lines_[i].text)) {
            inSection = EqualIgnoringCase(*header, Trim(section));
        } else if (inSection && SettingOf(lines_[i].text)) {
            found.push_back(i);
        }
    }
    return found;
}

std::string IniFile::NamesBuffer(std::string_view section) const {
    std::string buffer;
    for (const std::size_t i : SettingLines(section)) {
        const std::string_view name = SettingOf(lines_[i].text)->name;
        // Room for the name, its zero byte and the closing zero byte.
        if (buffer.size() + name.size() + 2 <= NamesBufferSize) {
            buffer += name;
            buffer += '\0';
            continue;
        }
        const std::size_t room = NamesBufferSize - buffer.size() - 2;
        if (room > 0) {
            buffer += name.substr(0, room);
            buffer += '\0';
        }
        break;
    }
    if (!buffer.empty()) {
        buffer += '\0';
    }
    return buffer;
}

std::string IniFile::ReadValue(std::string_view section, std::string_view name) const {
    const std::string_view wanted = Trim(name);
    for (const std::size_t i : SettingLines(section)) {
        const std::string_view text = lines_[i].text;
        const Setting setting = *SettingOf(text);
        if (!EqualIgnoringCase(setting.name, wanted)) {
            continue;
        }
        std::string_view value = ValueOf(text, setting.equalsAt);
        value = value.substr(0, ValueBufferSize - 1);
        return std::string(value.substr(0, value.find('\0')));
    }
    return {};
}

void IniFile::EraseSection(std::string_view section) {
    std::vector<Line> kept;
    kept.reserve(lines_.size());
    bool inSection = false;
    for (Line& line : lines_) {
        if (HeaderName(line.text)) {
            inSection = IsHeaderOf(line, section);
        }
        if (!inSection) {
            kept.push_back(std::move(line));
        }
    }
    lines_ = std::move(kept);
}

void IniFile::WriteValue(std::string_view section, std::string_view name, std::string_view value) {
    CheckSectionName(section);
    CheckSettingName(name);
    CheckValue(value);

    const std::string_view wanted = Trim(name);
    for (const std::size_t i : SettingLines(section)) {
        std::string& text = lines_[i].text;
        const Setting setting = *SettingOf(text);
        if (EqualIgnoringCase(setting.name, wanted)) {
            text.resize(setting.equalsAt + 1);
            text += value;
            return;
        }
    }

    std::string added(name);
    added += '=';
    added += value;

    // The last non-blank line of the section's last part, its header at least.
    std::optional<std::size_t> after;
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (HeaderName(lines_[i].text)) {
            inSection = IsHeaderOf(lines_[i], section);
            if (inSection) {
                after = i;
            }
        } else if (inSection && !Trim(lines_[i].text).empty()) {
            after = i;
        }
    }

    std::vector<Line> newLines;
    std::size_t insertAt = lines_.size();
    if (after) {
        insertAt = *after + 1;
    } else {
        // A line end added to another section's last line would change its bytes.
        if (!lines_.empty() && lines_.back().ending.empty()) {
            for (std::size_t i = lines_.size(); i-- > 0;) {
                if (HeaderName(lines_[i].text)) {
                    insertAt = i;
                    break;
                }
            }
        }
        newLines.push_back({HeaderLine(section), std::string(NewLineEnd)});
    }
    newLines.push_back({std::move(added), std::string(NewLineEnd)});
    if (insertAt > 0 && lines_[insertAt - 1].ending.empty()) {
        lines_[insertAt - 1].ending = NewLineEnd;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  std::make_move_iterator(newLines.begin()),
                  std::make_move_iterator(newLines.end()));
}

std::vector<std::string> NamesInBuffer(std::string_view buffer) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < buffer.size()) {
        const auto zero = buffer.find('\0', pos);
        const std::size_t end = zero == std::string_view::npos ? buffer.size() : zero;
        if (end == pos) {
            break;
        }
        names.emplace_back(buffer.substr(pos, end - pos));
        pos = end + 1;
    }
    return names;
}

} // namespace glyphwright
