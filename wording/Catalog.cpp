#include "wording/Catalog.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <libintl.h>
#include <limits.h>
#include <unistd.h>

namespace glyphwright::wording {

namespace {

Language chosen = Language::German;

// The catalogue gettext looks for under English.
constexpr char kEnglish[] = "en";

bool IsFile(const std::string& path) {
    return access(path.c_str(), R_OK) == 0;
}

std::string ExecutableFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return {};
    }
    const std::string_view self(path, static_cast<std::size_t>(length));
    return std::string(self.substr(0, self.rfind('/')));
}

// A result of gettext: the catalogue's text, or msgid itself when the
// catalogue has none, which gettext returns as the copy it was given.
std::string_view Found(const char* result, const std::string& copy, std::string_view msgid) {
    return result == copy.c_str() ? msgid : std::string_view(result);
}

} // namespace

std::string CatalogFolder() {
    const std::string folder = ExecutableFolder();
    for (const char* up : {"/../share/locale", "/../../share/locale"}) {
        const std::string candidate = folder + up;
        if (IsFile(candidate + "/" + kEnglish + "/LC_MESSAGES/" + kTextDomain + ".mo")) {
            return candidate;
        }
    }
    return GLYPHWRIGHT_LOCALE_DIR;
}

void UseLanguage(Language language) {
    std::setlocale(LC_ALL, "");
    chosen = language;
    if (language == Language::English) {
        // gettext translates nothing under the C locale, which is also what a
        // locale that is not installed leaves; and LANGUAGE goes before the
        // locale's own language.
        const char* messages = std::setlocale(LC_MESSAGES, nullptr);
        if (messages == nullptr || std::strcmp(messages, "C") == 0 ||
            std::strcmp(messages, "POSIX") == 0) {
            std::setlocale(LC_MESSAGES, "C.UTF-8");
        }
        setenv("LANGUAGE", kEnglish, 1);
    }
    bindtextdomain(kTextDomain, CatalogFolder().c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
}

Language ChosenLanguage() {
    return chosen;
}

std::string_view Tr(std::string_view msgid) {
    if (chosen == Language::German) {
        return msgid;
    }
    const std::string copy(msgid);
    return Found(dgettext(kTextDomain, copy.c_str()), copy, msgid);
}

std::string_view TrN(std::string_view singular, std::string_view plural, std::uint64_t n) {
    if (chosen == Language::German) {
        return n == 1 ? singular : plural;
    }
    const std::string one(singular);
    const std::string many(plural);
    const char* result = dngettext(kTextDomain, one.c_str(), many.c_str(), n);
    return result == one.c_str() ? singular : Found(result, many, plural);
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string text;
    std::size_t next = 0;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        std::size_t end = at + 1;
        std::size_t index = next;
        if (pattern[at] == '%' && end < pattern.size() && pattern[end] >= '1' &&
            pattern[end] <= '9' && end + 1 < pattern.size() && pattern[end + 1] == '$') {
            index = static_cast<std::size_t>(pattern[end] - '1');
            end += 2;
        }
        if (pattern[at] != '%' || end >= pattern.size()) {
            text += pattern[at];
        } else if (pattern[end] == '%') {
            text += '%';
            at = end;
        } else if (pattern[end] == 's' && index < arguments.size()) {
            text += arguments.begin()[index];
            next = index + 1;
            at = end;
        } else {
            text += pattern[at];
        }
    }
    return text;
}

} // namespace glyphwright::wording
