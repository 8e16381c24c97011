#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
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
    EXPECT_TRUE(call.paths.empty());

    call = ParseCommandLine({"decode", "a.htm", "--no-backup", "b.htm", "a.htm"});
    EXPECT_EQ(call.direction, Direction::Decode);
    EXPECT_FALSE(call.backup);
    EXPECT_EQ(call.paths, (Args{"a.htm", "b.htm", "a.htm"}));

    // After "--" everything is a file, also what looks like an option.
    call = ParseCommandLine({"--no-backup", "encode", "--", "--help", "-x", "./-"});
    EXPECT_FALSE(call.backup);
    EXPECT_EQ(call.paths, (Args{"--help", "-x", "./-"}));
}

// "-" is standard input, after "--" too, and only as the one path; a file
// named so is reached as "./-".
TEST(ParseCommandLine, DashIsStandardInput) {
    const std::vector<std::pair<Args, Args>> paths{
        {{"encode", "-"}, {}},
        {{"decode", "--", "-"}, {}},
        {{"encode", "-", "--utf8", "-q"}, {}},
        {{"encode", "./-"}, {"./-"}},
    };
    for (const auto& [args, expected] : paths) {
        EXPECT_EQ(ParseCommandLine(args).paths, expected) << args.back();
    }
    for (const Args& args : {Args{"encode", "-", "a"}, Args{"encode", "a", "-"},
                             Args{"decode", "-", "-"}, Args{"encode", "-", "--", "-"}}) {
        EXPECT_EQ(UsageMessage(args),
                  "„-“ steht für die Standardeingabe und muss der einzige Pfad sein")
            << args[1] << args[2];
    }
    EXPECT_EQ(UsageMessage({"restore", "-"}), "restore braucht eine Datei oder einen Ordner");
    EXPECT_EQ(UsageMessage({"encode", "-n", "-"}),
              "„--dry-run“ braucht eine Datei oder einen Ordner");
}

TEST(ParseCommandLine, EveryOptionInItsForms) {
    Invocation call = ParseCommandLine({"decode", "-n", "--quiet", "--utf8", "-e", "htm,.Php",
                                        "--ext=.shtml", "site", "-eINC", "--sync", "--null"});
    EXPECT_TRUE(call.sync);
    EXPECT_TRUE(call.nullEnded);
    EXPECT_TRUE(call.dryRun);
    EXPECT_TRUE(call.quiet);
    EXPECT_EQ(call.charset, CharsetRule::Utf8);
    EXPECT_TRUE(call.backup);
    ASSERT_TRUE(call.extensions.has_value());
    EXPECT_EQ(*call.extensions, (Args{".HTM", ".PHP", ".SHTML", ".INC"}));
    EXPECT_EQ(call.paths, Args{"site"});
    EXPECT_FALSE(call.settingsFile.has_value());

    call = ParseCommandLine({"encode", "-qzne", ".htm", "a"});
    EXPECT_TRUE(call.dryRun && call.quiet && call.nullEnded);
    EXPECT_EQ(*call.extensions, Args{".HTM"});

    call = ParseCommandLine({"encode", "--settings", "my.ini", "a"});
    EXPECT_EQ(call.settingsFile, "my.ini");

    call = ParseCommandLine({"encode", "--settings=s.ini", "--dry-run", "a"});
    EXPECT_EQ(call.settingsFile, "s.ini");
    EXPECT_FALSE(call.extensions.has_value());
    EXPECT_EQ(call.charset, CharsetRule::PerFile);
    EXPECT_FALSE(call.quiet);
    EXPECT_FALSE(call.sync);
    EXPECT_FALSE(call.nullEnded);
    EXPECT_EQ(call.jobs, 0u) << "one worker per online CPU unless told";
}

// -j takes a positive whole number in any of the usual spellings; a number
// beyond any sensible count of workers is cut down to kMaxJobs.
TEST(ParseCommandLine, Jobs) {
    const std::vector<std::pair<Args, std::size_t>> cases{
        {{"encode", "-j", "3", "a"}, 3},
        {{"encode", "-j7", "a"}, 7},
        {{"encode", "--jobs=1", "a"}, 1},
        {{"restore", "--jo", "12", "a"}, 12},
        {{"decode", "--check", "-qj2", "a"}, 2},
        {{"encode", "-j", "0100", "a"}, kMaxJobs},
        {{"encode", "-j", "99999999999999999999999", "a"}, kMaxJobs},
    };
    for (const auto& [args, jobs] : cases) {
        EXPECT_EQ(ParseCommandLine(args).jobs, jobs) << args[1] << args[2];
    }
    for (const char* wrong : {"0", "-1", "+2", "", "x", "2x", " 2", "1.5", "0x10"}) {
        EXPECT_EQ(UsageMessage({"encode", "-j", wrong, "a"}),
                  std::string("Option „-j“ braucht eine positive ganze Zahl, nicht „") + wrong +
                      "“");
        EXPECT_EQ(UsageMessage({"encode", std::string("--jobs=") + wrong, "a"}),
                  std::string("Option „--jobs“ braucht eine positive ganze Zahl, nicht „") + wrong +
                      "“");
    }
    EXPECT_EQ(UsageMessage({"encode", "a", "-j"}), "Option „-j“ braucht einen Wert");
}

// The files keep their line ends unless --eol names one of the two forms.
TEST(ParseCommandLine, LineEnds) {
    const std::vector<std::pair<Args, LineEnds>> cases{
        {{"encode", "a"}, LineEnds::Keep},
        {{"encode", "--eol", "crlf", "a"}, LineEnds::CrLf},
        {{"decode", "--eol=lf", "a"}, LineEnds::Lf},
        {{"encode", "--eo", "keep", "a"}, LineEnds::Keep},
        {{"encode", "--eol=lf", "--eol=crlf", "a"}, LineEnds::CrLf},
    };
    for (const auto& [args, lineEnds] : cases) {
        EXPECT_EQ(ParseCommandLine(args).lineEnds, lineEnds) << args[1];
    }
    for (const char* wrong : {"", "CRLF", "cr", "lf ", "x"}) {
        EXPECT_EQ(UsageMessage({"encode", std::string("--eol=") + wrong, "a"}),
                  std::string("Option „--eol“ braucht keep, crlf oder lf, nicht „") + wrong + "“");
    }
    EXPECT_EQ(UsageMessage({"encode", "a", "--eol"}), "Option „--eol“ braucht einen Wert");
}

TEST(ParseExtensionOption, EntriesAsTheAddButtonMakesThem) {
    EXPECT_EQ(ParseExtensionOption(".htm,html,.PhP"), (Args{".HTM", ".HTML", ".PHP"}));
    EXPECT_EQ(ParseExtensionOption(",,htm,,"), Args{".HTM"});
    EXPECT_EQ(ParseExtensionOption(""), Args{});
    // Only a to z change case; blanks stay, as in the window.
    EXPECT_EQ(ParseExtensionOption("ä, php"), (Args{".ä", ". PHP"}));
    EXPECT_EQ(ParseExtensionOption(".tar.gz,."), (Args{".TAR.GZ", "."}));
}

TEST(ParseCommandLine, HelpAndVersionWinBeforeErrors) {
    EXPECT_EQ(ParseCommandLine({"--help"}).action, Invocation::Action::Help);
    EXPECT_EQ(ParseCommandLine({"-h"}).action, Invocation::Action::Help);
    EXPECT_EQ(ParseCommandLine({"nonsense", "--version"}).action, Invocation::Action::Version);
    EXPECT_EQ(ParseCommandLine({"encode", "x", "--help"}).action, Invocation::Action::Help);
    // In a bundle, -h counts when every letter before it is known.
    EXPECT_EQ(ParseCommandLine({"encode", "-nh", "-x"}).action, Invocation::Action::Help);
    EXPECT_EQ(ParseCommandLine({"-hx"}).action, Invocation::Action::Help);
}

TEST(ParseCommandLine, UsageErrors) {
    EXPECT_EQ(UsageMessage({}), "Befehl fehlt: encode, decode oder restore");
    EXPECT_EQ(UsageMessage({"--no-backup"}), "Befehl fehlt: encode, decode oder restore");
    EXPECT_EQ(UsageMessage({"ENCODE"}),
              "unbekannter Befehl „ENCODE“ (erwartet: encode, decode oder restore)");
    EXPECT_EQ(UsageMessage({"encode", "--nobackup", "a"}), "unbekannte Option „--nobackup“");
    EXPECT_EQ(UsageMessage({"--", "encode"}), "") << "the command may follow \"--\"";
    EXPECT_EQ(UsageMessage({"encode", "-e"}), "Option „-e“ braucht einen Wert");
    EXPECT_EQ(UsageMessage({"encode", "a", "--settings"}),
              "Option „--settings“ braucht einen Wert");
    EXPECT_EQ(UsageMessage({"encode", "--settings=", "a"}),
              "Option „--settings“ braucht einen Dateinamen");
    EXPECT_EQ(UsageMessage({"encode", "--quiet=yes", "a"}), "Option „--quiet“ nimmt keinen Wert");
    EXPECT_EQ(UsageMessage({"encode", "-nx", "a"}), "unbekannte Option „-x“");
    EXPECT_EQ(UsageMessage({"encode", "-e", ".htm", "--settings", "s.ini", "a"}),
              "„--ext“ und „--settings“ schließen einander aus");
    EXPECT_EQ(UsageMessage({"encode", "-n"}), "„--dry-run“ braucht eine Datei oder einen Ordner");
    EXPECT_EQ(UsageMessage({"encode", "-e", ".htm"}),
              "„--ext“ und „--settings“ gelten für Ordner; es ist kein Pfad genannt");
    EXPECT_EQ(UsageMessage({"decode", "--utf8", "--cp1252", "a"}),
              "„--utf8“ und „--cp1252“ schließen einander aus");
    EXPECT_EQ(UsageMessage({"decode", "--utf8", "-q", "--no-backup"}), "")
        << "the filter takes these";
}

TEST(ParseCommandLine, LongOptionsByAnyUniquePrefix) {
    Invocation call =
        ParseCommandLine({"encode", "--no-back", "--dry", "--qu", "--ex=htm", "--ut", "site"});
    EXPECT_FALSE(call.backup);
    EXPECT_TRUE(call.dryRun && call.quiet);
    EXPECT_EQ(*call.extensions, Args{".HTM"});
    EXPECT_EQ(call.charset, CharsetRule::Utf8);

    call = ParseCommandLine({"decode", "--sett", "s.ini", "--cp", "--sy", "--che", "a"});
    EXPECT_EQ(call.settingsFile, "s.ini");
    EXPECT_EQ(call.charset, CharsetRule::Windows1252);
    EXPECT_TRUE(call.sync && call.check);
    EXPECT_EQ(ParseCommandLine({"--he"}).action, Invocation::Action::Help);
    EXPECT_EQ(ParseCommandLine({"--vers"}).action, Invocation::Action::Version);
}

TEST(ParseCommandLine, CheckAndRestore) {
    Invocation call = ParseCommandLine({"encode", "--check", "--no-backup", "a.htm"});
    EXPECT_EQ(call.action, Invocation::Action::Convert);
    EXPECT_TRUE(call.check);
    EXPECT_FALSE(call.dryRun || call.sync || call.keep);

    call = ParseCommandLine({"restore", "-n", "--keep", "--sync", "-e", "htm", "site", "b"});
    EXPECT_EQ(call.action, Invocation::Action::Restore);
    EXPECT_TRUE(call.dryRun && call.keep && call.sync);
    EXPECT_EQ(call.paths, (Args{"site", "b"}));
}

TEST(ParseCommandLine, ListExtWinsLikeHelpAndTakesTheSettingsFile) {
    Invocation call = ParseCommandLine({"--list-ext"});
    EXPECT_EQ(call.action, Invocation::Action::ListExtensions);
    call = ParseCommandLine({"encode", "--settings=s.ini", "--x", "--list"});
    EXPECT_EQ(call.action, Invocation::Action::ListExtensions);
    EXPECT_EQ(call.settingsFile, "s.ini");
}

TEST(ParseCommandLine, UsageErrorsOfChecksRestoresAndPrefixes) {
    const std::vector<std::pair<Args, std::string>> cases{
        {{"encode", "--c", "a"}, "Option „--c“ ist nicht eindeutig (--check, --cp1252)"},
        {{"encode", "--s=x", "a"}, "Option „--s“ ist nicht eindeutig (--settings, --sync)"},
        {{"encode", "--e=htm", "a"}, "Option „--e“ ist nicht eindeutig (--ext, --eol)"},
        {{"encode", "--no-backups", "a"}, "unbekannte Option „--no-backups“"},
        {{"encode", "--no-b=1", "a"}, "Option „--no-backup“ nimmt keinen Wert"},
        {{"encode", "--ex"}, "Option „--ext“ braucht einen Wert"},
        {{"encode", "--check", "-n", "a"}, "„--check“ und „--dry-run“ schließen einander aus"},
        {{"decode", "--check"}, "„--check“ braucht eine Datei oder einen Ordner"},
        {{"restore"}, "restore braucht eine Datei oder einen Ordner"},
        {{"restore", "--check", "a"}, "„--check“ gilt nicht für restore"},
        {{"restore", "--no-backup", "a"}, "„--no-backup“ gilt nicht für restore"},
        {{"restore", "--utf8", "a"}, "„--utf8“ gilt nicht für restore"},
        {{"restore", "--cp1252", "a"}, "„--cp1252“ gilt nicht für restore"},
        {{"restore", "--eol", "lf", "a"}, "„--eol“ gilt nicht für restore"},
        {{"encode", "--keep", "a"}, "„--keep“ gilt nur für restore"},
        // A file name taken for options: its first unknown letter, not the "h" after it.
        {{"encode", "-n", "-dash.htm"}, "unbekannte Option „-d“"},
        {{"decode", "-nxh", "a"}, "unbekannte Option „-x“"},
    };
    for (const auto& [args, message] : cases) {
        EXPECT_EQ(UsageMessage(args), message) << args[1];
    }
}

TEST(HelpText, NamesEveryOptionAndTheVersionItsNumber) {
    const std::string help = HelpText();
    for (const char* word : {"Aufruf: glyphwright-cli",
                             "--no-backup",
                             "--help",
                             "--version",
                             "._backup_",
                             "Standardeingabe",
                             "-e, --ext",
                             "--settings",
                             "-n, --dry-run",
                             "--utf8",
                             "--cp1252",
                             "-q, --quiet",
                             "Beispiele:",
                             "glyphwright-cli encode --ext .htm,.html",
                             "--check",
                             "restore",
                             "--keep",
                             "--sync",
                             "--list-ext",
                             "-j, --jobs",
                             "--eol",
                             "-z, --null"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(VersionText(), "glyphwright-cli " GLYPHWRIGHT_VERSION "\n");
}

// The English page and the German one.
TEST(ManPage, NamesEveryOptionOfTheHelp) {
    for (const char* path : {GW_MAN_PAGE, GW_MAN_PAGE_DE}) {
        std::ifstream file(path);
        std::stringstream page;
        page << file.rdbuf();
        ASSERT_FALSE(page.str().empty()) << path;
        for (const char* option :
             {"\\-e, \\-\\-ext", "\\-\\-settings", "\\-n, \\-\\-dry\\-run", "\\-\\-no\\-backup",
              "\\-\\-utf8", "\\-\\-cp1252", "\\-q, \\-\\-quiet", "\\-h, \\-\\-help",
              "\\-\\-version", "\\-\\-check", "\\-\\-keep", "\\-\\-sync", ".B restore",
              "\\-\\-list\\-ext", "\\-j, \\-\\-jobs", "\\-\\-eol", "\\-z, \\-\\-null"}) {
            EXPECT_NE(page.str().find(option), std::string::npos) << path << ": " << option;
        }
    }
}

} // namespace
} // namespace glyphwright::cli
