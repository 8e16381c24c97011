// Runs the four INI uses on random files and checks what must always hold:
// bytes outside the section survive an erase and a write, a written value
// reads back, and the reading buffers keep their sizes.
//
// Input: one byte of name length, the name, one byte of value length, the
// value, then the file's bytes.
#include "files/collect/TextCompare.h"
#include "settings/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using glyphwright::EqualIgnoringCase;
using glyphwright::IniFile;
using glyphwright::IniFormatError;

namespace {

constexpr std::string_view Section = "Ext";

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

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

// Lines with their line ends, as they stand in the bytes.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const auto lf = bytes.find('\n');
        const std::size_t length = lf == std::string_view::npos ? bytes.size() : lf + 1;
        lines.push_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return lines;
}

bool IsHeader(std::string_view line) {
    const std::string_view text = Trim(line.substr(0, line.find('\n')));
    return !text.empty() && text.front() == '[';
}

bool IsSectionHeader(std::string_view line) {
    if (!IsHeader(line)) {
        return false;
    }
    std::string_view name = Trim(line.substr(0, line.find('\n'))).substr(1);
    name = name.substr(0, name.find(']'));
    return EqualIgnoringCase(Trim(name), Section);
}

// The lines outside the section, in order.
std::vector<std::string_view> Outside(std::string_view bytes) {
    std::vector<std::string_view> kept;
    bool inSection = false;
    for (const std::string_view line : SplitLines(bytes)) {
        if (IsHeader(line)) {
            inSection = IsSectionHeader(line);
        }
        if (!inSection) {
            kept.push_back(line);
        }
    }
    return kept;
}

// Outside lines unchanged; the file's last line may have gained a CR LF.
bool SameOutside(std::string_view before, std::string_view after) {
    std::vector<std::string_view> was = Outside(before);
    const std::vector<std::string_view> is = Outside(after);
    if (was.size() != is.size()) {
        return false;
    }
    for (std::size_t i = 0; i < was.size(); ++i) {
        if (was[i] == is[i]) {
            continue;
        }
        const bool lastLineEnded = i + 1 == was.size() && was[i].find('\n') == std::string::npos &&
                                   std::string(was[i]) + "\r\n" == is[i];
        if (!lastLineEnded) {
            return false;
        }
    }
    return true;
}

bool Usable(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool UsableName(std::string_view name) {
    const std::string_view trimmed = Trim(name);
    return Usable(name) && !trimmed.empty() && trimmed.front() != '[' && trimmed.front() != ';';
}

std::string ExpectedRead(std::string_view value) {
    value = Trim(value);
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, IniFile::ValueBufferSize - 1));
}

std::string_view Take(std::string_view& input) {
    if (input.empty()) {
        return {};
    }
    const std::size_t length = static_cast<unsigned char>(input.front()) % 40;
    input.remove_prefix(1);
    const std::string_view part = input.substr(0, length);
    input.remove_prefix(part.size());
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view name = Take(input);
    const std::string_view value = Take(input);
    const std::string_view bytes = input;

    const IniFile original(bytes);
    Check(original.Bytes() == bytes);

    const std::string buffer = original.NamesBuffer(Section);
    Check(buffer.size() <= IniFile::NamesBufferSize);
    Check(buffer.empty() ||
          (buffer.size() >= 2 && buffer.substr(buffer.size() - 2) == std::string_view("\0\0", 2)));
    for (const std::string& listed : glyphwright::NamesInBuffer(buffer)) {
        const std::string read = original.ReadValue(Section, listed);
        Check(read.size() < IniFile::ValueBufferSize);
        Check(read.find('\0') == std::string::npos);
    }

    IniFile erased(bytes);
    erased.EraseSection(Section);
    const std::string afterErase = erased.Bytes();
    Check(SameOutside(bytes, afterErase) && afterErase.size() <= bytes.size());
    Check(erased.NamesBuffer(Section).empty());
    erased.EraseSection(Section);
    Check(erased.Bytes() == afterErase);

    IniFile written(bytes);
    if (!UsableName(name) || !Usable(value)) {
        try {
            written.WriteValue(Section, name, value);
            Check(false);
        } catch (const IniFormatError&) {
            Check(written.Bytes() == bytes);
        }
        return 0;
    }
    written.WriteValue(Section, name, value);
    const std::string afterWrite = written.Bytes();
    Check(SameOutside(bytes, afterWrite));
    if (name.find('=') == std::string_view::npos) {
        Check(written.ReadValue(Section, name) == ExpectedRead(value));
    }

    // Writing the same again changes nothing.
    written.WriteValue(Section, name, value);
    Check(written.Bytes() == afterWrite || name.find('=') != std::string_view::npos);
    return 0;
}
