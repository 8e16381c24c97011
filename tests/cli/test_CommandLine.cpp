#include "CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace glyphwright::cli {
namespace {

using Args = std::vector<std::string>;

std::string UsageMessage(const Args& args) {
    try {
        ParseCommandLine(args);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

TEST(ParseCommandLine, CommandsOptionsAndFiles) {
    Invocation call = ParseCommandLine({"encode"});
    EXPECT_EQ(call.action, Invocation::Action::Convert);
    EXPECT_EQ(call.direction, Direction::Encode);
    EXPECT_TRUE(call.backup);
    EXPECT_TRUE(call.files.empty());

    call = ParseCommandLine({"decode", "a.htm", "--no-backup", "b.htm", "a.htm"});
    EXPECT_EQ(call.direction, Direction::Decode);
    EXPECT_FALSE(call.backup);
    EXPECT_EQ(call.files, (Args{"a.htm", "b.htm", "a.htm"}));

    // After "--" everything is a file, also what looks like an option; "-" is a file.
    call = ParseCommandLine({"--no-backup", "encode", "--", "--help", "-x", "-"});
    EXPECT_FALSE(call.backup);
    EXPECT_EQ(call.files, (Args{"--help", "-x", "-"}));
}

TEST(ParseCommandLine, HelpAndVersionWinBeforeErrors) {
    EXPECT_EQ(ParseCommandLine({"--help"}).action, Invocation::Action::Help);
    EXPECT_EQ(ParseCommandLine({"-h"}).action, Invocation::Action::Help);
    EXPECT_EQ(ParseCommandLine({"nonsense", "--version"}).action, Invocation::Action::Version);
    EXPECT_EQ(ParseCommandLine({"encode", "x", "--help"}).action, Invocation::Action::Help);
}

TEST(ParseCommandLine, UsageErrors) {
    EXPECT_EQ(UsageMessage({}), "Befehl fehlt: encode oder decode");
    EXPECT_EQ(UsageMessage({"--no-backup"}), "Befehl fehlt: encode oder decode");
    EXPECT_EQ(UsageMessage({"ENCODE"}),
              "unbekannter Befehl „ENCODE“ (erwartet: encode oder decode)");
    EXPECT_EQ(UsageMessage({"encode", "--nobackup", "a"}), "unbekannte Option „--nobackup“");
    EXPECT_EQ(UsageMessage({"--", "encode"}), "") << "the command may follow \"--\"";
}

TEST(HelpText, NamesEveryOptionAndTheVersionItsNumber) {
    const std::string help = HelpText();
    for (const char* word : {"Aufruf: glyphwright-cli", "--no-backup", "--help", "--version",
                             "._backup_", "Standardeingabe"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(VersionText(), "glyphwright-cli " GLYPHWRIGHT_VERSION "\n");
}

} // namespace
} // namespace glyphwright::cli
