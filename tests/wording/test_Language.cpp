#include "wording/Language.h"

#include <gtest/gtest.h>

namespace glyphwright::wording {
namespace {

TEST(Language, ChosenFromTheVariablesInGettextsOrder) {
    using enum Language;
    struct Row {
        LocaleVariables variables;
        Language expected;
    };
    const Row rows[] = {
        {{}, German},
        {{.lang = "C"}, German},
        {{.lang = "POSIX"}, German},
        {{.lang = "C.UTF-8"}, German},
        {{.lang = "de_DE.UTF-8"}, German},
        {{.lang = "de_AT@euro"}, German},
        {{.lang = "de"}, German},
        {{.lang = "en_US.UTF-8"}, English},
        {{.lang = "fr_FR.UTF-8"}, English},
        {{.lang = "deu"}, English},
        // LC_ALL before LC_MESSAGES before LANG.
        {{.lcAll = "en_GB.UTF-8", .lcMessages = "de_DE.UTF-8", .lang = "de_DE.UTF-8"}, English},
        {{.lcMessages = "de_CH.UTF-8", .lang = "en_US.UTF-8"}, German},
        {{.lcAll = "C", .lang = "en_US.UTF-8"}, German},
        // LANGUAGE counts unless the locale is C, and its first language we speak wins.
        {{.language = "en", .lang = "de_DE.UTF-8"}, English},
        {{.language = "de_DE:en", .lang = "en_US.UTF-8"}, German},
        {{.language = "fr:it:de", .lang = "en_US.UTF-8"}, German},
        {{.language = "fr:it", .lang = "de_DE.UTF-8"}, English},
        {{.language = "::", .lang = "de_DE.UTF-8"}, German},
        {{.language = "en", .lang = "C"}, German},
        {{.language = "en"}, German},
    };
    for (const Row& row : rows) {
        const LocaleVariables& v = row.variables;
        EXPECT_EQ(LanguageFor(v), row.expected)
            << "LANGUAGE=" << v.language << " LC_ALL=" << v.lcAll << " LC_MESSAGES=" << v.lcMessages
            << " LANG=" << v.lang;
    }
}

} // namespace
} // namespace glyphwright::wording
