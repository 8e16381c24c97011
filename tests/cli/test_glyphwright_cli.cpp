// Runs the built tool on real files in a temporary folder.
#include "FileTesting.h"
#include "TempFolder.h"
#include "Unit_HtmlUmlaute.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace glyphwright {
namespace {

using testing::NamesIn;
using testing::ReadBytes;
using testing::WriteBytes;

using Names = std::vector<std::string>;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    std::string At(const std::string& name) const { return folder.Path() + "/" + name; }

    // Runs the tool with stdin read from a file; output goes to files
    // outside the folder under test, so that large output cannot block.
    Result Run(const std::vector<std::string>& args, const std::string& input = "") {
        WriteBytes(io.Path() + "/in", input);
        const std::string outPath = io.Path() + "/out";
        const std::string errPath = io.Path() + "/err";
        const pid_t pid = fork();
        if (pid == 0) {
            const int in = open((io.Path() + "/in").c_str(), O_RDONLY);
            const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 ||
                dup2(err, 2) < 0) {
                _exit(127);
            }
            std::vector<char*> argv{const_cast<char*>(GW_CLI_PATH)};
            for (const std::string& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
            execv(GW_CLI_PATH, argv.data());
            _exit(127);
        }
        Result result;
        int status = 0;
        if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
            result.status = WEXITSTATUS(status);
        }
        result.out = ReadBytes(outPath).value_or("?");
        result.err = ReadBytes(errPath).value_or("?");
        return result;
    }

    glyphwright::testing::TempFolder folder;
    glyphwright::testing::TempFolder io;
};

TEST_F(CliTest, HelpVersionAndUsageErrors) {
    Result help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Aufruf: glyphwright-cli encode|decode", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");

    Result version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("glyphwright-cli ", 0), 0u);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"--no-backup"}, {"umwandeln", "a"}, {"encode", "--x"}}) {
        const Result usage = Run(args);
        EXPECT_EQ(usage.status, 2);
        EXPECT_EQ(usage.out, "");
        EXPECT_EQ(usage.err.rfind("glyphwright-cli: ", 0), 0u) << usage.err;
    }
    EXPECT_TRUE(NamesIn(folder.Path()).empty());
}

TEST_F(CliTest, FiltersStandardInputUnchangedLineEnds) {
    // Every byte value, NUL and lone line ends included, and enough of it to
    // pass through in several pieces.
    std::string input;
    for (int i = 0; i < 400000; ++i) {
        input += static_cast<char>(i % 256);
        input += i % 7 == 0 ? "&auml;\n" : "&";
    }
    const Result encoded = Run({"encode"}, input);
    EXPECT_EQ(encoded.status, 0);
    EXPECT_EQ(encoded.out, EncodeUmlauts(input));
    const Result decoded = Run({"decode"}, input);
    EXPECT_EQ(decoded.status, 0);
    EXPECT_EQ(decoded.out, DecodeEntities(input));
    EXPECT_EQ(Run({"encode"}, "Gr\xFC\xDF"
                              "e\n")
                  .out,
              "Gr&uuml;&szlig;e\n");
    EXPECT_EQ(Run({"decode"}, "").out, "");
}

TEST_F(CliTest, ConvertsFilesInPlaceWithBackups) {
    WriteBytes(At("a.htm"), "Gr\xFC\xDF"
                            "e\nzwei");
    WriteBytes(At("b.htm"), "\xE4\r\n");
    const Result result = Run({"encode", At("a.htm"), At("b.htm")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadBytes(At("a.htm")), "Gr&uuml;&szlig;e\r\nzwei\r\n");
    EXPECT_EQ(ReadBytes(At("a.htm._backup_")), "Gr\xFC\xDF"
                                               "e\r\nzwei\r\n");
    EXPECT_EQ(ReadBytes(At("b.htm")), "&auml;\r\n");

    const Result back = Run({"decode", "--no-backup", At("a.htm")});
    EXPECT_EQ(back.status, 0);
    EXPECT_EQ(ReadBytes(At("a.htm")), "Gr\xFC\xDF"
                                      "e\r\nzwei\r\n");
    EXPECT_EQ(NamesIn(folder.Path()),
              (Names{"a.htm", "a.htm._backup_", "b.htm", "b.htm._backup_"}));
}

TEST_F(CliTest, GoesOnAfterAFailureAndReportsIt) {
    WriteBytes(At("ok1.htm"), "\xE4");
    WriteBytes(At("ro.htm"), "\xF6", 0444);
    WriteBytes(At("ok2.htm"), "\xFC");
    const Result result = Run(
        {"encode", "--no-backup", At("ok1.htm"), At("missing.htm"), At("ro.htm"), At("ok2.htm")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "glyphwright-cli: Datei " + At("missing.htm") +
                              " kann nicht geöffnet werden\n"
                              "glyphwright-cli: Datei " +
                              At("ro.htm") + " kann nicht erstellt werden\n");
    EXPECT_EQ(ReadBytes(At("ok1.htm")), "&auml;\r\n");
    EXPECT_EQ(ReadBytes(At("ro.htm")), "\xF6");
    EXPECT_EQ(ReadBytes(At("ok2.htm")), "&uuml;\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"ok1.htm", "ok2.htm", "ro.htm"}));
}

TEST_F(CliTest, WriteErrorNamesTheFile) {
    // The write error's own message names no file; the tool puts the path in front.
    WriteBytes(At("big.htm"), std::string(1500, '\xE4'));
    const int code = testing::RunWithFileSizeLimit(4096, [&] {
        const Result result = Run({"encode", "--no-backup", At("big.htm")});
        const bool named =
            result.err == "glyphwright-cli: " + At("big.htm") + ": Stream-Write-Fehler\n";
        return result.status == 1 && named ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(At("big.htm")), std::string(1500, '\xE4'));
}

} // namespace
} // namespace glyphwright
