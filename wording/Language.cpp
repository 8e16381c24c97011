#include "wording/Language.h"

#include <cstdlib>
#include <string_view>

namespace glyphwright::wording {

namespace {

// "de_AT.UTF-8@euro" -> "de"; the language part of a locale or list entry.
std::string_view LanguagePart(std::string_view name) {
    return name.substr(0, name.find_first_of("_.@"));
}

// The C locale by any of its names: gettext translates nothing there.
bool IsCLocale(std::string_view locale) {
    const std::string_view language = LanguagePart(locale);
    return locale.empty() || language == "C" || language == "POSIX";
}

Language LanguageNamed(std::string_view language) {
    return language == "de" ? Language::German : Language::English;
}

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

} // namespace

Language LanguageFor(const LocaleVariables& variables) {
    // The locale of messages: the first of LC_ALL, LC_MESSAGES and LANG that is set.
    const std::string& locale = !variables.lcAll.empty()        ? variables.lcAll
                                : !variables.lcMessages.empty() ? variables.lcMessages
                                                                : variables.lang;
    // gettext ignores LANGUAGE under the C locale, and so do we.
    if (IsCLocale(locale)) {
        return Language::German;
    }
    // LANGUAGE lists languages by preference; the first one we speak wins,
    // and a list of only others gets English.
    std::string_view list = variables.language;
    bool listedAny = false;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view language = LanguagePart(list.substr(0, colon));
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        if (language.empty()) {
            continue;
        }
        listedAny = true;
        if (language == "de" || language == "en") {
            return LanguageNamed(language);
        }
    }
    if (listedAny) {
        return Language::English;
    }
    return LanguageNamed(LanguagePart(locale));
}

LocaleVariables LocaleVariablesFromEnvironment() {
    return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

} // namespace glyphwright::wording
