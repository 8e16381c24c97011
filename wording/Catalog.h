// The program's texts in the chosen language, by gettext from the message
// catalogues of the text domain "glyphwright". German is the program's own
// language: its texts are the message ids themselves and need no catalogue.
#pragma once

#include "wording/Language.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace glyphwright::wording {

inline constexpr char kTextDomain[] = "glyphwright";

// Once at start, before any other thread: takes the locale from the
// environment, as desktop programs do (setlocale LC_ALL ""), binds the text
// domain to CatalogFolder() and makes Tr speak the language, whatever else
// LANGUAGE lists and even where the user's locale is not installed. Under
// English the C library's error texts are English too.
void UseLanguage(Language language);

// The language UseLanguage chose; German before any call.
Language ChosenLanguage();

// The text in the chosen language; msgid is the German text. The result
// lives as long as msgid or the program.
std::string_view Tr(std::string_view msgid);

// The text for n things: singular or plural, each the German text.
std::string_view TrN(std::string_view singular, std::string_view plural, std::uint64_t n);

// Marks a German text for translation where it is defined; Tr translates it
// where it is shown.
constexpr std::string_view TrNoop(std::string_view msgid) {
    return msgid;
}

// The pattern with each "%s" replaced by the next argument and each "%N$s" by
// the Nth, as a translation may change their order; "%%" is one "%".
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments);

// Where the catalogues lie: share/locale beside the program's bin folder
// (<exe>/../share/locale), so that a moved installation finds its own, or in
// the build tree, where the tests sit one folder deeper, <exe>/../../share/locale;
// else the installation's folder.
std::string CatalogFolder();

} // namespace glyphwright::wording
