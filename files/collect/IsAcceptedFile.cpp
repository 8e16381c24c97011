#include "files/collect/IsAcceptedFile.h"

#include "files/collect/ExtensionList.h"

namespace glyphwright {

std::string_view ExtensionOf(std::string_view name) {
    const std::size_t last = name.find_last_of(".\\:/");
    if (last == std::string_view::npos || name[last] != '.') {
        return {};
    }
    return name.substr(last);
}

std::string UpperCaseAToZ(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - ('a' - 'A'));
        }
    }
    return upper;
}

std::string TypedExtension(std::string_view typed) {
    std::string entry = UpperCaseAToZ(typed);
    if (entry.front() != '.') {
        entry.insert(entry.begin(), '.');
    }
    return entry;
}

bool IsAcceptedFile(std::string_view name, const ExtensionList& extensions) {
    const std::string_view extension = ExtensionOf(name);
    if (extension.empty()) {
        return false;
    }
    const auto match = extensions.Find(UpperCaseAToZ(extension));
    return match.has_value() && extensions.Mark(*match);
}

} // namespace glyphwright
