#include "cli/ShownName.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace glyphwright::cli {
namespace {

TEST(ShownName, QuotesNamesThatWouldSteerTheTerminalOrBeMisread) {
    const std::vector<std::pair<std::string, std::string>> cases{
        // Shown as they are: printable UTF-8 without a quote, spaces and all.
        {"/web/Grüße.htm", "/web/Grüße.htm"},
        {"a b$x\"#~.htm", "a b$x\"#~.htm"},
        {"", ""},
        // Controls: C0, DEL, C1 as UTF-8 and raw, and bytes that are no UTF-8.
        {"b\x1b[2J.htm", "'b'$'\\033''[2J.htm'"},
        {"\x1b"
         "a",
         "''$'\\033''a'"},
        {"a\tb\x7f", "'a'$'\\t''b'$'\\177'"},
        {"c\xC2\x85"
         "d",
         "'c'$'\\302\\205''d'"},
        {"e\x9B"
         "f",
         "'e'$'\\233''f'"},
        {"\xE4x", "''$'\\344''x'"},
        // A quote, and a name that looks like a quoted form, are quoted too.
        {"it's", "'it'\\''s'"},
        {"'b'$'\\033''", "''\\''b'\\''$'\\''\\033'\\'\\'"},
        {"a\x1b'b", "'a'$'\\033'\\''b'"},
        // A start the shell would read: a comment, a home folder.
        {"#x", "'#x'"},
        {"~x", "'~x'"},
    };
    for (const auto& [name, shown] : cases) {
        EXPECT_EQ(ShownName(name), shown) << name;
    }
    EXPECT_EQ(ListedName("a\x1b", false), "a\x1b");
}

// A listing keeps every name on its line: raw into a pipe unless it holds a
// line break, quoted on a terminal; with -z raw and ended by NUL.
TEST(ListingEntry, OneLineOrNulEndedNames) {
    const ListingForm pipe{false, false};
    const ListingForm terminal{true, false};
    const ListingForm nul{false, true};
    const struct {
        std::initializer_list<std::string_view> names;
        ListingForm form;
        std::string entry;
    } cases[] = {
        {{"a b.htm"}, pipe, "a b.htm\n"},
        {{"a\x1b.htm"}, pipe, "a\x1b.htm\n"},
        {{"a\nb.htm"}, pipe, "'a'$'\\n''b.htm'\n"},
        {{"a\rb.htm"}, pipe, "'a'$'\\r''b.htm'\n"},
        {{"a\x1b.htm"}, terminal, "'a'$'\\033''.htm'\n"},
        {{"a\nb.htm"}, nul, std::string("a\nb.htm\0", 8)},
        {{"a\x1b"}, {true, true}, std::string("a\x1b\0", 3)},
        {{"x._backup_", "x"}, pipe, "x._backup_ -> x\n"},
        {{"x\n._backup_", "x\n"}, terminal, "'x'$'\\n''._backup_' -> 'x'$'\\n'\n"},
        {{"x\n._backup_", "x\n"}, nul, std::string("x\n._backup_\0x\n\0", 15)},
    };
    for (const auto& [names, form, entry] : cases) {
        EXPECT_EQ(ListingEntry(names, form), entry) << *names.begin();
    }
}

// In a message every name stands in single quotes, in the same form as above
// where it needs one.
TEST(QuotedName, AlwaysInSingleQuotes) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"a.htm", "'a.htm'"},
        {"/web/Grüße 2.htm", "'/web/Grüße 2.htm'"},
        {"a b$x\"#~.htm", "'a b$x\"#~.htm'"},
        {"", "''"},
        {"b\x1b[2J.htm", "'b'$'\\033''[2J.htm'"},
        {"it's.htm", "'it'\\''s.htm'"},
        {"#x", "'#x'"},
    };
    for (const auto& [name, quoted] : cases) {
        EXPECT_EQ(QuotedName(name), quoted) << name;
    }
    EXPECT_EQ(VisibleControls("Datei a\x1b\x07 b\xC2\x9B"), "Datei a$'\\033\\a' b$'\\302\\233'");
}

} // namespace
} // namespace glyphwright::cli
