// The language the program speaks to its user, chosen once at start from the
// same variables that gettext reads, in gettext's order. German is the
// program's own language: it is also the choice when nothing is set.
#pragma once

#include <string>

namespace glyphwright::wording {

enum class Language { German, English };

// The four variables as the environment holds them; an unset one is empty.
struct LocaleVariables {
    std::string language = {};   // LANGUAGE: a colon-separated list of languages
    std::string lcAll = {};      // LC_ALL
    std::string lcMessages = {}; // LC_MESSAGES
    std::string lang = {};       // LANG
};

// German for "de" of any region, for the C and POSIX locales and for no
// setting at all; English for every other language.
Language LanguageFor(const LocaleVariables& variables);

// The variables of this process's environment.
LocaleVariables LocaleVariablesFromEnvironment();

} // namespace glyphwright::wording
