// Runs the built tool on real files in a temporary folder.
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "files/collect/DropIntake.h"
#include "files/collect/ExtensionList.h"
#include "files/collect/FileList.h"
#include "files/text/LineList.h"
#include "tests/files/FileTesting.h"
#include "tests/files/LineFiles.h"
#include "tests/files/ReaddirWalk.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <malloc.h>
#include <map>
#include <pty.h>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace glyphwright {
namespace {

using testing::JoinLines;

using testing::NamesIn;
using testing::ReadBytes;
using testing::WriteBytes;

using Names = std::vector<std::string>;

// German digit grouping, as the summary prints counts.
std::string GroupedCount(std::size_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, '.');
    }
    return digits;
}

struct Result {
    int status = -1;
    std::string out;
    std::string err;
    long peakKiB = 0; // the tool's peak resident memory
};

class CliTest : public ::testing::Test {
protected:
    // The variables the tool chooses its language from, whatever the caller's are:
    // LANGUAGE, LC_ALL, LC_MESSAGES and LANG, in this order; empty is unset.
    using Locale = std::array<std::string, 4>;
    Locale locale = {"", "", "", "C"};

    // In the child, before the tool starts.
    void SetLocale() const {
        const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
        for (std::size_t i = 0; i < locale.size(); ++i) {
            if (locale[i].empty()) {
                unsetenv(names[i]);
            } else {
                setenv(names[i], locale[i].c_str(), 1);
            }
        }
    }

    // The program and, unless args choose line ends or restore, --eol=crlf: most cases
    // hold the tool to the window's bytes; the tool's own default has cases
    // of its own.
    static std::vector<char*> ToolArguments(const std::vector<std::string>& args) {
        std::vector<char*> argv{const_cast<char*>(GW_CLI_PATH)};
        if (std::none_of(args.begin(), args.end(), [](const std::string& arg) {
                return arg.rfind("--eol", 0) == 0 || arg == "restore";
            })) {
            argv.push_back(const_cast<char*>("--eol=crlf"));
        }
        return argv;
    }

    std::string At(const std::string& name) const { return folder.Path() + "/" + name; }
    // The path as a message names it.
    std::string Named(const std::string& name) const { return "'" + At(name) + "'"; }

    // Runs the tool with stdin read from a file; output goes to files
    // outside the folder under test, so that large output cannot block.
    Result Run(const std::vector<std::string>& args, const std::string& input = "") {
        WriteBytes(io.Path() + "/in", input);
        const pid_t pid = Start(args);
        Result result;
        int status = 0;
        rusage usage{};
        if (pid > 0 && wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
            result.status = WEXITSTATUS(status);
            result.peakKiB = usage.ru_maxrss;
        }
        result.out = ReadBytes(io.Path() + "/out").value_or("?");
        result.err = ReadBytes(io.Path() + "/err").value_or("?");
        return result;
    }

    // Starts the tool as Run does, with the input Run wrote last, and returns its pid.
    pid_t Start(const std::vector<std::string>& args) {
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
            std::vector<char*> argv = ToolArguments(args);
            for (const std::string& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
            SetLocale();
            execv(GW_CLI_PATH, argv.data());
            _exit(127);
        }
        return pid;
    }

    // Runs the tool on a pseudo-terminal of the given width; out holds all
    // it wrote there, standard output and standard error alike.
    Result RunOnTerminal(const std::vector<std::string>& args, unsigned short columns = 100) {
        winsize size{};
        size.ws_row = 24;
        size.ws_col = columns;
        int master = -1;
        const pid_t pid = forkpty(&master, nullptr, nullptr, &size);
        if (pid == 0) {
            std::vector<char*> argv = ToolArguments(args);
            for (const std::string& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
            SetLocale();
            execv(GW_CLI_PATH, argv.data());
            _exit(127);
        }
        Result result;
        if (pid < 0) {
            return result;
        }
        char buffer[4096];
        for (;;) {
            const ssize_t got = read(master, buffer, sizeof buffer);
            if (got > 0) {
                result.out.append(buffer, static_cast<std::size_t>(got));
            } else if (got < 0 && errno == EINTR) {
                continue;
            } else {
                break; // EIO once the child has closed the terminal
            }
        }
        close(master);
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
            result.status = WEXITSTATUS(status);
        }
        return result;
    }

    // A site: files of several kinds, nested folders, a folder named like a page.
    void MakeSite() {
        for (const char* name : {"site", "site/en", "site/en/old", "site/img", "site/x.htm"}) {
            folder.MakeFolder(name);
        }
        const std::map<std::string, std::string> files{
            {"site/index.htm", "Gr\xFC\xDF\n"},
            {"site/Kontakt.HTML", "\xC4rger\n"},
            {"site/style.css", "a { }\n"},
            {"site/en/about.htm", "caf\xE9\n"},
            {"site/en/old/a.htm", "\xBD\n"},
            {"site/en/old/b.txt", "\xE4\n"},
            {"site/img/logo.png", "\x89PNG\xE4"},
            {"site/x.htm/inner.html", "\xF6\n"},
            {"site/README", "\xFC"},
        };
        for (const auto& [name, bytes] : files) {
            WriteBytes(At(name), bytes);
        }
    }

    // Every regular file below the folder with its bytes, inode and mtime.
    struct FileState {
        std::string bytes;
        ino_t inode = 0;
        timespec mtime{};
        bool operator==(const FileState& other) const {
            return bytes == other.bytes && inode == other.inode &&
                   mtime.tv_sec == other.mtime.tv_sec && mtime.tv_nsec == other.mtime.tv_nsec;
        }
    };
    std::map<std::string, FileState> Snapshot() const {
        std::map<std::string, FileState> state;
        for (const std::string& path :
             testing::ReaddirWalk(folder.Path(), [](const std::string&) { return true; })) {
            struct stat info {};
            lstat(path.c_str(), &info);
            state[path] = {ReadBytes(path).value_or("?"), info.st_ino, info.st_mtim};
        }
        return state;
    }
    // Sets every file's times to an old moment, so that any write shows.
    void AgeAllFiles() const {
        const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
        for (const auto& entry : Snapshot()) {
            utimensat(AT_FDCWD, entry.first.c_str(), old, 0);
        }
    }

    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
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

    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"--no-backup"},
                                                 {"umwandeln", "a"},
                                                 {"encode", "--x"},
                                                 {"encode", "-n", "-dash.htm"},
                                                 {"encode", "-", At("a.htm")}}) {
        const Result usage = Run(args);
        EXPECT_EQ(usage.status, 2);
        EXPECT_EQ(usage.out, "");
        EXPECT_EQ(usage.err.rfind("glyphwright-cli: ", 0), 0u) << usage.err;
    }
    EXPECT_TRUE(NamesIn(folder.Path()).empty());
}

// What the tool says in the language the locale variables choose: the help, a
// usage error, a failure line, the progress line and the summary. German under
// C, as under de_DE, whatever else is set; English for every other language,
// installed or not.
TEST_F(CliTest, SpeaksTheLanguageTheLocaleChooses) {
    // The help, the usage error, the progress line without its path, and what
    // follows the line's last erasure: the failure and the summary.
    using Spoken = std::array<std::string, 4>;
    const auto speak = [&](const Locale& variables) {
        locale = variables;
        WriteBytes(At("a.htm"), "\xE4");
        const Result run = RunOnTerminal({"encode", "--no-backup", At("a.htm"), At("missing.htm")});
        const std::size_t line = run.out.find('\r');
        const std::size_t path = run.out.find(": ", line);
        const std::size_t erased = run.out.rfind("\r\x1b[K");
        if (line == std::string::npos || erased == std::string::npos || path > erased) {
            return Spoken{{"", "", "", run.out}};
        }
        return Spoken{Run({"--help"}).out, Run({"umwandeln"}).err,
                      run.out.substr(line + 1, path - line - 1), run.out.substr(erased + 4)};
    };
    const Spoken german = speak({"", "", "", "C"});
    EXPECT_EQ(german[0].rfind("Aufruf: glyphwright-cli encode|decode [OPTION]... [PFAD]...\n", 0),
              0u);
    EXPECT_EQ(german[1], "glyphwright-cli: unbekannter Befehl „umwandeln“ (erwartet: encode, "
                         "decode oder restore)\nHilfe: glyphwright-cli --help\n");
    EXPECT_EQ(german[2], "0/1 Dateien, 0,0 MB/s");
    EXPECT_EQ(german[3], "glyphwright-cli: Datei oder Ordner " + Named("missing.htm") +
                             " nicht gefunden\r\n1 Datei umgewandelt (0 als UTF-8, 1 als "
                             "Windows-1252), 1 fehlgeschlagen\r\n");

    const Spoken english = speak({"", "", "", "en_US.UTF-8"});
    EXPECT_EQ(english[0].rfind("Usage: glyphwright-cli encode|decode [OPTION]... [PATH]...\n", 0),
              0u);
    EXPECT_EQ(english[1], "glyphwright-cli: unknown command 'umwandeln' (expected: encode, decode "
                          "or restore)\nTry 'glyphwright-cli --help' for more information.\n");
    EXPECT_EQ(english[2], "0/1 files, 0.0 MB/s");
    EXPECT_EQ(english[3], "glyphwright-cli: file or folder " + Named("missing.htm") +
                              " not found\r\n1 file converted (0 as UTF-8, 1 as "
                              "Windows-1252), 1 failed\r\n");

    const std::pair<Locale, const Spoken*> rows[] = {
        {{"", "", "", "de_DE.UTF-8"}, &german},      {{"", "", "", ""}, &german},
        {{"de:en", "", "", "en_US.UTF-8"}, &german}, {{"en", "C", "", "en_US.UTF-8"}, &german},
        {{"", "", "", "fr_FR.UTF-8"}, &english},     {{"en", "", "", "de_DE.UTF-8"}, &english},
    };
    for (const auto& [variables, expected] : rows) {
        EXPECT_EQ(speak(variables), *expected)
            << "LANGUAGE=" << variables[0] << " LC_ALL=" << variables[1]
            << " LC_MESSAGES=" << variables[2] << " LANG=" << variables[3];
    }
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
    // "-" names it, also after "--".
    EXPECT_EQ(Run({"decode", "-"}, input).out, DecodeEntities(input));
    EXPECT_EQ(Run({"encode", "--", "-"}, "\xFC\r").out, "&uuml;\r");
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
    // The missing path is reported when the paths are taken, before any conversion.
    EXPECT_EQ(result.err, "glyphwright-cli: Datei oder Ordner " + Named("missing.htm") +
                              " nicht gefunden\n"
                              "glyphwright-cli: Datei " +
                              Named("ro.htm") + " kann nicht erstellt werden: Schreibgeschützt\n");
    EXPECT_EQ(ReadBytes(At("ok1.htm")), "&auml;\r\n");
    EXPECT_EQ(ReadBytes(At("ro.htm")), "\xF6");
    EXPECT_EQ(ReadBytes(At("ok2.htm")), "&uuml;\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"ok1.htm", "ok2.htm", "ro.htm"}));
}

TEST_F(CliTest, PeakMemoryStaysWithinThreeTimesTheFileSize) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's own memory would be counted";
#endif
    // A child's peak counts what it held as a copy of this process before it
    // started the tool, so this process lets its large texts go before: above
    // a fixed threshold they are mapped apart and given back when freed.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    // Contents whose converted or joined text is several times the file.
    constexpr std::size_t kSize = std::size_t{16} << 20;
    const auto repeated = [](bool half) {
        const std::string accented = "\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xE9\xE8\xE0\xE7";
        std::string line;
        for (std::size_t i = 0; i < 79; ++i) {
            line += half && i % 2 ? 'a' : accented[i % accented.size()];
        }
        line += '\n';
        std::string text;
        text.reserve(kSize + line.size());
        while (text.size() < kSize) {
            text += line;
        }
        return text;
    };
    const std::pair<const char*, std::function<std::string()>> contents[] = {
        {"accented lines", [&] { return repeated(false); }},
        {"half accented", [&] { return repeated(true); }},
        {"one accented line", [] { return std::string(kSize, '\xE9'); }},
        {"line ends only", [] { return std::string(kSize, '\n'); }},
    };
    for (const auto& [what, make] : contents) {
        WriteBytes(At("big.htm"), make());
        malloc_trim(0);
        const Result result = Run({"encode", At("big.htm")});
        EXPECT_EQ(result.status, 0) << what << ": " << result.err;
        EXPECT_LE(static_cast<double>(result.peakKiB) * 1024, 3.0 * static_cast<double>(kSize))
            << what << ": peak " << result.peakKiB / 1024 << " MiB";
        const std::string joined = JoinLines(SplitLines(make()));
        EXPECT_TRUE(ReadBytes(At("big.htm")) == EncodeUmlauts(joined)) << what;
        EXPECT_TRUE(ReadBytes(At("big.htm._backup_")) == joined) << what;
    }
}

TEST_F(CliTest, WriteErrorNamesTheFile) {
    // The write error's own message names no file; the tool puts the path in
    // front and the cause after it.
    WriteBytes(At("big.htm"), std::string(1500, '\xE4'));
    const int code = testing::RunWithFileSizeLimit(4096, [&] {
        const Result result = Run({"encode", "--no-backup", At("big.htm")});
        const bool named = result.err == "glyphwright-cli: " + Named("big.htm") +
                                             ": Stream-Write-Fehler: Datei zu groß\n";
        return result.status == 1 && named ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(At("big.htm")), std::string(1500, '\xE4'));
}

// Under a file-size limit with SIGXFSZ at its default, which would end the
// process: the tool ignores it, so the limit is a write error like a full disk.
TEST_F(CliTest, FileSizeLimitFailsOneFileAndTheRunGoesOn) {
    WriteBytes(At("big.htm"), std::string(3000, '\xE4'));
    WriteBytes(At("small.htm"), "\xE4");
    const int code = testing::RunInChild([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit size{4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &size) != 0) {
            return 122;
        }
        const Result result = Run({"encode", "--no-backup", At("big.htm"), At("small.htm")});
        const std::string expected = "glyphwright-cli: " + Named("big.htm") +
                                     ": Stream-Write-Fehler: Datei zu gro\xC3\x9F\n";
        return result.status == 1 && result.err == expected ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(At("big.htm")), std::string(3000, '\xE4'));
    EXPECT_EQ(ReadBytes(At("small.htm")), "&auml;\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"big.htm", "small.htm"}));
}

// SIGINT, SIGTERM and SIGHUP end a run between two files, with one worker
// and with several: every file is either converted or untouched, no
// temporary file stays, the summary so far is printed and the exit status is
// 128 + the signal.
TEST_F(CliTest, StopSignalsEndTheRunBetweenFiles) {
    const std::size_t count = 2000;
    const std::string old = "Gr\xFC\xDF"
                            "e\r\n";
    const std::string converted = "Gr&uuml;&szlig;e\r\n";
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        for (const char* jobs : {"-j1", "-j4"}) {
            const std::string tree = "tree" + std::to_string(signal) + jobs;
            folder.MakeFolder(tree);
            for (std::size_t i = 0; i < count; ++i) {
                WriteBytes(At(tree + "/" + std::to_string(i) + ".htm"), old);
            }
            const std::string errPath = io.Path() + "/err";
            const pid_t pid = fork();
            if (pid == 0) {
                const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                dup2(err, 2);
                SetLocale();
                execl(GW_CLI_PATH, GW_CLI_PATH, "encode", jobs, "-e", ".htm", At(tree).c_str(),
                      nullptr);
                _exit(127);
            }
            ASSERT_GT(pid, 0);
            // Signal once some files are done.
            for (int wait = 0; wait < 20000 && NamesIn(At(tree)).size() < count + 10; ++wait) {
                usleep(500);
            }
            kill(pid, signal);
            int status = 0;
            ASSERT_EQ(waitpid(pid, &status, 0), pid);
            ASSERT_TRUE(WIFEXITED(status)) << "signal " << signal << " ended the tool";
            EXPECT_EQ(WEXITSTATUS(status), 128 + signal) << jobs;

            std::size_t done = 0;
            for (const std::string& name : NamesIn(At(tree))) {
                ASSERT_NE(name[0], '.') << "temporary file left: " << name;
                const std::string bytes = ReadBytes(At(tree + "/" + name)).value_or("?");
                const bool isBackup = name.ends_with("._backup_");
                EXPECT_EQ(bytes, isBackup || bytes == old ? old : converted) << name;
                done += !isBackup && bytes == converted;
            }
            EXPECT_LT(done, count) << "the run ended before the signal";
            const std::string err = ReadBytes(errPath).value_or("?");
            const std::string charsets =
                done == 0 ? "" : " (0 als UTF-8, " + GroupedCount(done) + " als Windows-1252)";
            EXPECT_EQ(err, "glyphwright-cli: abgebrochen: " + GroupedCount(done) +
                               (done == 1 ? " Datei" : " Dateien") + " umgewandelt" + charsets +
                               ", " + GroupedCount(count - done) + " nicht bearbeitet\n")
                << "signal " << signal << " " << jobs;
        }
}

// Ctrl-C ends a listing too: with the reader of standard output slow, the
// tool is stopped in mid-list and lists no more.
TEST_F(CliTest, StopSignalsEndADryRunListing) {
    const std::size_t count = 10000;
    folder.MakeFolder("listed");
    for (std::size_t i = 0; i < count; ++i) {
        const std::string page = At("listed/" + std::to_string(i) + ".htm");
        WriteBytes(page, "\xE4");
        WriteBytes(page + "._backup_", "x");
    }
    for (const char* command : {"encode", "restore"}) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            SetLocale();
            execl(GW_CLI_PATH, GW_CLI_PATH, command, "-n", "-e", ".htm", At("listed").c_str(),
                  nullptr);
            _exit(127);
        }
        ASSERT_GT(pid, 0);
        close(fds[1]);
        char byte = 0;
        ASSERT_EQ(read(fds[0], &byte, 1), 1); // the listing has begun
        kill(pid, SIGINT);
        std::size_t lines = 0;
        char buffer[4096];
        for (ssize_t got = 0; (got = read(fds[0], buffer, sizeof buffer)) > 0;) {
            lines += static_cast<std::size_t>(std::count(buffer, buffer + got, '\n'));
        }
        close(fds[0]);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status)) << command;
        EXPECT_EQ(WEXITSTATUS(status), 128 + SIGINT) << command;
        EXPECT_LT(lines, count / 2) << command;
    }
}

// A tree in which the order of the work shows: pages of very different sizes
// (so that workers finish out of walk order) in Windows-1252, UTF-8 and plain
// ASCII, failures of several kinds, two hard links, a link and its target, a
// backup that is a link. The same bytes on every call.
void MakeMixedTree(const std::string& root) {
    const std::string folders = "abcdefgh";
    mkdir(root.c_str(), 0755);
    for (const char folder : folders) {
        mkdir((root + "/" + folder).c_str(), 0755);
    }
    const std::string windows1252 = "Gr\xFC\xDF"
                                    "e aus K\xF6ln \xBD &amp;\n";
    const std::string utf8 = "Gr\xC3\xBC\xC3\x9F"
                             "e \xE2\x82\xAC &auml;\r\n";
    const std::string ascii = "&auml;&ouml; &#228; &amp;uuml;\n";
    for (int i = 0; i < 240; ++i) {
        std::string text;
        const int repeat = i % 17 == 3 ? 5000 : 1 + i % 5;
        for (int r = 0; r < repeat; ++r) {
            text += std::to_string(r) + (i % 3 == 0 ? windows1252 : i % 3 == 1 ? utf8 : ascii);
        }
        const std::string name = std::string(1, folders[static_cast<std::size_t>(i) % 8]) + "/p" +
                                 std::to_string(i) + (i % 2 == 0 ? ".htm" : ".html");
        WriteBytes(root + "/" + name, text);
    }
    std::string large;
    for (int r = 0; r < 20000; ++r) {
        large += windows1252;
    }
    WriteBytes(root + "/a/ro.htm", large, 0444);
    WriteBytes(root + "/b/nul.htm", std::string("Gr\xFC\0\n", 5));
    WriteBytes(root + "/c/marked.htm", "\xEF\xBB\xBF\xE4\n"); // marked UTF-8, but it is not
    WriteBytes(root + "/d/h1.htm", windows1252);
    link((root + "/d/h1.htm").c_str(), (root + "/e/h2.htm").c_str());
    symlink("../a/p0.htm", (root + "/g/link.htm").c_str());
    symlink("../a/p8.htm", (root + "/f/orphan.htm._backup_").c_str());
    WriteBytes(root + "/h/dup.htm", windows1252);
}

// However many workers share a run, the user sees the same: the same files
// with the same bytes, the same listings and failure lines in walk order, the
// same summary and exit status.
TEST_F(CliTest, JobsGiveTheSameResult) {
    const std::string tree = At("tree");
    // A large file that fails late, named twice in a row: the second entry
    // tries again only once the first has failed, as on one thread.
    // A folder walked twice: its files come round again while other files'
    // new versions take the numbers that their old ones freed.
    const std::vector<std::string> paths{
        tree + "/a/ro.htm",    tree + "/a/ro.htm", tree, tree + "/a", tree + "/h/dup.htm",
        tree + "/missing.htm", tree + "/h/dup.htm"};
    const auto with = [&](std::vector<std::string> args) {
        args.insert(args.end(), paths.begin(), paths.end());
        return args;
    };
    struct Case {
        std::vector<std::string> before; // run with -j 1 on the fresh tree first
        std::vector<std::string> args;
        bool onTerminal = false; // compare the summary on a terminal too
    };
    const std::vector<Case> cases{
        {{}, with({"encode", "-e", "htm,html"}), true},
        {{}, with({"decode", "--no-backup", "-e", "htm,html"}), false},
        {{}, with({"encode", "--utf8", "-e", "htm,html"}), false},
        {{}, with({"encode", "--check", "-e", "htm,html"}), false},
        {{}, with({"decode", "--check", "--cp1252", "-e", "htm,html"}), false},
        {{}, with({"encode", "-n", "-e", "htm,html"}), false},
        {with({"encode", "-e", "htm,html"}), {"restore", "-e", "htm,html", tree}, true},
    };
    struct Seen {
        Result result;
        std::map<std::string, std::string> files;
        std::string summary;
    };
    // A fresh tree, brought to the state the case starts from.
    const auto freshTree = [&](const Case& c) {
        testing::RemoveTree(AT_FDCWD, tree.c_str());
        MakeMixedTree(tree);
        if (!c.before.empty()) {
            std::vector<std::string> before = c.before;
            before.push_back("-j1");
            Run(before);
        }
    };
    const auto run = [&](const Case& c, const char* jobs) {
        freshTree(c);
        std::vector<std::string> args = c.args;
        args.push_back(jobs);
        Seen seen;
        seen.result = Run(args);
        for (const std::string& path :
             testing::ReaddirWalk(tree, [](const std::string&) { return true; })) {
            seen.files[path] = ReadBytes(path).value_or("?");
        }
        if (c.onTerminal) {
            freshTree(c);
            const std::string out = RunOnTerminal(args).out;
            seen.summary = out.substr(out.rfind("\r\x1b[K") + 1);
        }
        return seen;
    };
    for (const Case& c : cases) {
        const std::string call = c.args[0] + " " + c.args[1];
        const Seen one = run(c, "-j1");
        const Seen four = run(c, "-j4");
        ASSERT_NE(one.result.status, 2) << call << ": " << one.result.err;
        EXPECT_EQ(four.result.status, one.result.status) << call;
        EXPECT_EQ(four.result.out, one.result.out) << call;
        EXPECT_EQ(four.result.err, one.result.err) << call;
        EXPECT_EQ(four.summary, one.summary) << call;
        EXPECT_EQ(four.files.size(), one.files.size()) << call;
        for (const auto& [path, bytes] : one.files) {
            const auto other = four.files.find(path);
            EXPECT_TRUE(other != four.files.end() && other->second == bytes)
                << call << ": " << path;
        }
    }
    // The file named twice and reached once more by the walk counts as
    // converted once and named twice twice; so do the hard links, the link
    // and its target, and the 30 pages of the folder walked again. The
    // read-only file fails four times.
    const Seen encoded = run(cases.front(), "-j4");
    EXPECT_NE(encoded.summary.find(" Dateien umgewandelt (80 als UTF-8, "), std::string::npos)
        << encoded.summary;
    EXPECT_NE(encoded.summary.find(", 34 doppelt genannt, 7 fehlgeschlagen\r\n"), std::string::npos)
        << encoded.summary;
}

ExtensionList Marked(std::initializer_list<const char*> entries) {
    ExtensionList list;
    for (const char* entry : entries) {
        list.SetMark(list.Add(entry), true);
    }
    return list;
}

std::vector<std::string> Paths(const FileList& files) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < files.Count(); ++i) {
        paths.push_back(files.Path(i));
    }
    return paths;
}

TEST_F(CliTest, WalksFoldersInTheOrderOfADropOnTheWindow) {
    MakeSite();
    const std::vector<std::string> paths{At("site/en"), At("site/index.htm"), At("site"),
                                         At("site/x.htm")};
    FileList window;
    TakeDroppedPaths(paths, Marked({".HTM", ".HTML"}), window);
    ASSERT_EQ(window.Count(), 9u);

    std::vector<std::string> args{"encode", "--dry-run", "--ext", "htm,.Html"};
    args.insert(args.end(), paths.begin(), paths.end());
    const Result listed = Run(args);
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.err, "");
    EXPECT_EQ(Lines(listed.out), Paths(window));

    // The conversion takes the same list: a file reached twice is converted
    // once, and its backup holds it as it was.
    args.erase(args.begin() + 1);
    EXPECT_EQ(Run(args).status, 0);
    EXPECT_EQ(ReadBytes(At("site/x.htm/inner.html")), "&ouml;\r\n");
    EXPECT_EQ(ReadBytes(At("site/en/about.htm")), "caf&eacute;\r\n");
    EXPECT_EQ(ReadBytes(At("site/en/about.htm._backup_")), "caf\xE9\r\n");
    EXPECT_EQ(ReadBytes(At("site/style.css")), "a { }\n");
}

TEST_F(CliTest, ANamedFileIsTakenWhateverItsExtension) {
    MakeSite();
    const Result listed =
        Run({"decode", "-n", "-e", ".htm", At("site/README"), At("site/img/logo.png")});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(Lines(listed.out),
              (std::vector<std::string>{At("site/README"), At("site/img/logo.png")}));
    // Files alone need no extension list at all.
    EXPECT_EQ(Run({"encode", "--no-backup", At("site/README")}).status, 0);
    EXPECT_EQ(ReadBytes(At("site/README")), "&uuml;\r\n");
}

TEST_F(CliTest, ADryRunChangesNothing) {
    MakeSite();
    AgeAllFiles();
    const auto before = Snapshot();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"encode", "-n", "-e", "htm,html,css,txt", At("site")},
          {"decode", "--dry-run", "--cp1252", "-e", ".HTM", At("site"), At("site/README")},
          {"encode", "-nq", "--no-backup", "--ext=.png", At("site")}}) {
        const Result result = Run(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_FALSE(result.out.empty());
        EXPECT_EQ(result.err, "");
    }
    EXPECT_EQ(Snapshot(), before);
}

// By default the tool keeps each file's line ends, backs up its bytes, and
// leaves a file alone that it would not change: a second run writes nothing,
// and neither a dry run nor the check lists anything then.
TEST_F(CliTest, OwnLineEndsAreKeptAndASecondRunChangesNothing) {
    const std::vector<std::pair<std::string, std::string>> pages = {
        {"lf.htm", "<p>Gr\xFC\xDF"
                   "e</p>\n"},
        {"crlf.htm", "Men\xFC\r\nx"},
        {"cr.htm", "a\r\xE4\r"},
        {"ok.htm", "<p>ok</p>\n"},
    };
    for (const auto& [name, bytes] : pages) {
        WriteBytes(At(name), bytes);
    }
    const Result listed = Run({"encode", "--eol", "keep", "-n", "-e", "htm", folder.Path()});
    EXPECT_EQ(listed.out, At("crlf.htm") + "\n" + At("cr.htm") + "\n" + At("lf.htm") + "\n");
    AgeAllFiles();
    const auto untouched = Snapshot();

    const Result first = RunOnTerminal({"encode", "--eol", "keep", "-e", "htm", folder.Path()});
    EXPECT_EQ(first.status, 0) << first.out;
    EXPECT_NE(first.out.find("3 Dateien umgewandelt (0 als UTF-8, 3 als Windows-1252), "
                             "1 unverändert"),
              std::string::npos)
        << first.out;
    EXPECT_EQ(ReadBytes(At("lf.htm")), "<p>Gr&uuml;&szlig;e</p>\n");
    EXPECT_EQ(ReadBytes(At("crlf.htm")), "Men&uuml;\r\nx");
    EXPECT_EQ(ReadBytes(At("cr.htm")), "a\r&auml;\r");
    for (const auto& [name, bytes] : pages) {
        EXPECT_EQ(ReadBytes(At(name + "._backup_")),
                  name == "ok.htm" ? std::nullopt : std::optional<std::string>(bytes))
            << name;
    }
    EXPECT_EQ(untouched.at(At("ok.htm")), Snapshot().at(At("ok.htm")));

    AgeAllFiles();
    const auto converted = Snapshot();
    const Result second = RunOnTerminal({"encode", "--eol", "keep", "-e", "htm", folder.Path()});
    EXPECT_NE(second.out.find("0 Dateien umgewandelt, 4 unverändert"), std::string::npos)
        << second.out;
    EXPECT_EQ(Snapshot(), converted);
    for (const char* option : {"-n", "--check"}) {
        const Result again = Run({"encode", "--eol", "keep", option, "-e", "htm", folder.Path()});
        EXPECT_EQ(again.status, 0) << option;
        EXPECT_EQ(again.out, "") << option;
    }
}

TEST_F(CliTest, ExitStatusForMissingPathsAndMissingExtensions) {
    MakeSite();
    // A missing PATH is reported and counts as a failure; the rest is converted.
    const Result missing = Run({"encode", "--no-backup", "-e", ".htm", At("nothing"),
                                At("site/en/old"), At("site/index.htm/x")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "glyphwright-cli: Datei oder Ordner " + Named("nothing") +
                               " nicht gefunden\nglyphwright-cli: Datei oder Ordner " +
                               Named("site/index.htm/x") + " nicht gefunden\n");
    EXPECT_EQ(ReadBytes(At("site/en/old/a.htm")), "&frac12;\r\n");
    EXPECT_EQ(ReadBytes(At("site/en/old/b.txt")), "\xE4\n");

    AgeAllFiles();
    const auto before = Snapshot();
    WriteBytes(io.Path() + "/off.ini", "[Ext]\n.HTM=0\n.HTML=0\n");
    const Result noneMarked = Run({"encode", "--settings", io.Path() + "/off.ini", At("site")});
    EXPECT_EQ(noneMarked.status, 2);
    EXPECT_NE(noneMarked.err.find("keine Dateiendung markiert ('" + io.Path() + "/off.ini')"),
              std::string::npos)
        << noneMarked.err;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"encode", "--ext=", At("site")},
          {"encode", "-e", ",,", At("site"), At("site/index.htm")},
          {"encode", "--settings", io.Path() + "/none.ini", At("site/index.htm")},
          {"encode", "--settings", io.Path() + "/off.ini", "-e", ".htm", At("site")},
          {"encode", "-e", ".htm"},
          {"decode", "--dry-run"},
          {"encode", "-x", At("site")},
          {"encode", "--utf8=1", At("site")},
          {"encode", At("site"), "--ext"}}) {
        const Result usage = Run(args);
        EXPECT_EQ(usage.status, 2) << args.back();
        EXPECT_EQ(usage.out, "");
        EXPECT_EQ(usage.err.rfind("glyphwright-cli: ", 0), 0u) << usage.err;
    }
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(CliTest, TheSettingsFileChoosesTheExtensionsForFolders) {
    MakeSite();
    WriteBytes(io.Path() + "/html.ini", "[Other]\nx=1\n[Ext]\n.HTM=0\n.html=1\n");
    const Result result = Run({"encode", "--settings", io.Path() + "/html.ini", At("site")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadBytes(At("site/Kontakt.HTML")), "&Auml;rger\r\n");
    EXPECT_EQ(ReadBytes(At("site/x.htm/inner.html")), "&ouml;\r\n");
    EXPECT_EQ(ReadBytes(At("site/index.htm")), "Gr\xFC\xDF\n");
    EXPECT_EQ(ReadBytes(io.Path() + "/html.ini"), "[Other]\nx=1\n[Ext]\n.HTM=0\n.html=1\n");
}

TEST_F(CliTest, Utf8FilesBothWays) {
    const std::string text = "Grüße, ½ & € ✓ ×\n<p>\u00A0</p>\n";
    WriteBytes(At("u.html"), text);
    const Result encoded = Run({"encode", "--utf8", At("u.html")});
    EXPECT_EQ(encoded.status, 0);
    EXPECT_EQ(encoded.err, "");
    EXPECT_EQ(ReadBytes(At("u.html")), "Gr&uuml;&szlig;e, &frac12; & € ✓ ×\r\n<p>&nbsp;</p>\r\n");
    EXPECT_EQ(ReadBytes(At("u.html._backup_")), "Grüße, ½ & € ✓ ×\r\n<p>\u00A0</p>\r\n");

    const Result decoded = Run({"decode", "--utf8", "--no-backup", At("u.html")});
    EXPECT_EQ(decoded.status, 0);
    EXPECT_EQ(ReadBytes(At("u.html")), "Grüße, ½ & € ✓ ×\r\n<p>\u00A0</p>\r\n");

    // The filter too; bad bytes pass unchanged, the conversion goes on after
    // them, and the end names their positions and fails.
    EXPECT_EQ(Run({"encode", "--utf8"}, text).out,
              "Gr&uuml;&szlig;e, &frac12; & € ✓ ×\n<p>&nbsp;</p>\n");
    EXPECT_EQ(Run({"decode", "--utf8"}, "&auml;&#132;").out, "ä\"");
    const Result bad = Run({"encode", "--utf8"}, "ok\n\xE4ä");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "ok\n\xE4&auml;");
    EXPECT_EQ(bad.err, "glyphwright-cli: Die Eingabe ist kein gültiges UTF-8 (Byte 4); die Bytes "
                       "dort stehen unverändert in der Ausgabe\n");
    const Result found = Run({"decode"}, "ä &auml; \xE4 \xFC &ouml;");
    EXPECT_EQ(found.status, 1);
    EXPECT_EQ(found.out, "ä ä \xE4 \xFC ö");
    EXPECT_EQ(found.err, "glyphwright-cli: Die Eingabe ist an 2 Stellen kein gültiges UTF-8 "
                         "(zuerst Byte 11); die Bytes dort stehen unverändert in der Ausgabe\n");
}

TEST_F(CliTest, AFileThatIsNotUtf8IsRefusedAndLeftAlone) {
    WriteBytes(At("a.htm"), "ä\n");
    WriteBytes(At("b.htm"), "fine\nGr\xFC\xDF\n"); // Windows-1252
    WriteBytes(At("c.htm"), "\xED\xA0\x80\n");     // a surrogate
    WriteBytes(At("d.htm"), "&ouml;\n");
    AgeAllFiles();
    const auto before = Snapshot();
    const Result result =
        Run({"decode", "--utf8", At("a.htm"), At("b.htm"), At("c.htm"), At("d.htm")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "glyphwright-cli: Datei " + Named("b.htm") +
                              " ist kein gültiges UTF-8 (Zeile 2)\n"
                              "glyphwright-cli: Datei " +
                              Named("c.htm") + " ist kein gültiges UTF-8 (Zeile 1)\n");
    const auto after = Snapshot();
    EXPECT_EQ(after.at(At("b.htm")), before.at(At("b.htm")));
    EXPECT_EQ(after.at(At("c.htm")), before.at(At("c.htm")));
    EXPECT_EQ(ReadBytes(At("d.htm")), "ö\r\n");
    // No backup of a refused file.
    EXPECT_EQ(NamesIn(folder.Path()),
              (Names{"a.htm", "a.htm._backup_", "b.htm", "c.htm", "d.htm", "d.htm._backup_"}));
}

TEST_F(CliTest, EachFileIsReadInItsOwnCharsetUnlessOneIsForced) {
    const std::string utf8 = "Gr\xC3\xBC\xC3\x9F"
                             "e\n";
    const std::string windows1252 = "Gr\xFC\xDF"
                                    "e\n";
    const std::string marked = "\xEF\xBB\xBF" + windows1252;
    WriteBytes(At("u.htm"), utf8);
    WriteBytes(At("w.htm"), windows1252);
    WriteBytes(At("m.htm"), marked);
    const Result result = RunOnTerminal({"encode", At("u.htm"), At("w.htm"), At("m.htm")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("Datei " + Named("m.htm") + " ist kein gültiges UTF-8 (Zeile 1)"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("2 Dateien umgewandelt (1 als UTF-8, 1 als Windows-1252), 1 "
                              "fehlgeschlagen"),
              std::string::npos)
        << result.out;
    EXPECT_EQ(ReadBytes(At("u.htm")), "Gr&uuml;&szlig;e\r\n");
    EXPECT_EQ(ReadBytes(At("w.htm")), "Gr&uuml;&szlig;e\r\n");
    EXPECT_EQ(ReadBytes(At("m.htm")), marked);

    // --cp1252 reads every file byte by byte, as earlier versions did.
    WriteBytes(At("u.htm"), utf8);
    EXPECT_EQ(Run({"encode", "--cp1252", "--no-backup", At("u.htm"), At("m.htm")}).status, 0);
    EXPECT_EQ(ReadBytes(At("u.htm")), "Gr&Atilde;&frac14;&Atilde;\x9F"
                                      "e\r\n");
    EXPECT_EQ(ReadBytes(At("m.htm")), "&iuml;&raquo;&iquest;Gr&uuml;&szlig;e\r\n");
    EXPECT_EQ(Run({"decode", "--utf8", "--cp1252", At("u.htm")}).status, 2);
    // A stream is read by the same rule, decided at its first byte 0x80 or
    // above; --cp1252 still reads it byte by byte.
    EXPECT_EQ(Run({"encode"}, utf8).out, "Gr&uuml;&szlig;e\n");
    EXPECT_EQ(Run({"encode"}, "\xEF\xBB\xBF\xC3\xA4").out, "\xEF\xBB\xBF&auml;");
    EXPECT_EQ(Run({"encode", "--cp1252"}, "\xEF\xBB\xBF\xC3\xA4").out,
              "&iuml;&raquo;&iquest;&Atilde;\xA4");
}

TEST_F(CliTest, OnATerminalAProgressLineAndASummary) {
    MakeSite();
    const Result result = RunOnTerminal({"encode", "-e", "htm,html", At("site")});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("/5 Dateien, "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(" MB/s: " + folder.Path()), std::string::npos) << result.out;
    // The line is erased before the summary, which stands last on its own line.
    const std::string summary =
        "\r\x1b[K5 Dateien umgewandelt (0 als UTF-8, 5 als Windows-1252)\r\n";
    ASSERT_GE(result.out.size(), summary.size());
    EXPECT_EQ(result.out.substr(result.out.size() - summary.size()), summary) << result.out;

    // With a failure: listed after the line is gone, then the summary.
    chmod(At("site/index.htm").c_str(), 0444);
    const Result failed =
        RunOnTerminal({"decode", "--no-backup", "-e", "htm,html", At("site")}, 40);
    EXPECT_EQ(failed.status, 1);
    const std::string tail = "\r\x1b[Kglyphwright-cli: Datei " + Named("site/index.htm") +
                             " kann nicht erstellt werden: Schreibgeschützt\r\n4 Dateien "
                             "umgewandelt (0 als UTF-8, 4 als Windows-1252), 1 "
                             "fehlgeschlagen\r\n";
    ASSERT_GE(failed.out.size(), tail.size());
    EXPECT_EQ(failed.out.substr(failed.out.size() - tail.size()), tail) << failed.out;
    // Every drawing of the line fits a terminal of 40 columns.
    for (std::size_t at = failed.out.find('\r'); at != std::string::npos;
         at = failed.out.find('\r', at + 1)) {
        const std::size_t end = failed.out.find("\x1b[K", at);
        if (end == std::string::npos || failed.out.compare(at + 1, 1, "\n") == 0) {
            continue;
        }
        std::size_t columns = 0;
        for (std::size_t i = at + 1; i < end; ++i) {
            columns += (static_cast<unsigned char>(failed.out[i]) & 0xC0) != 0x80;
        }
        EXPECT_LE(columns, 39u) << failed.out.substr(at + 1, end - at - 1);
    }

    // Quiet: the failure alone.
    const Result quiet = RunOnTerminal({"decode", "-q", "-e", ".htm", At("site")});
    EXPECT_EQ(quiet.status, 1);
    EXPECT_EQ(quiet.out, "glyphwright-cli: Datei " + Named("site/index.htm") +
                             " kann nicht erstellt werden: Schreibgeschützt\r\n");
}

TEST_F(CliTest, NothingOnStandardErrorWhenItIsNotATerminal) {
    MakeSite();
    const Result result = Run({"encode", "-e", "htm,html", At("site"), At("site/README")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadBytes(At("site/README")), "&uuml;\r\n");
}

// Whether text, read by a UTF-8 terminal, holds a control character besides
// the line end, or a byte that is no UTF-8 (raw C1 on a Latin-1 terminal).
bool SteersTerminal(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte < 0x20 && byte != '\n') || byte == 0x7F ||
            (byte == 0xC2 && i + 1 < text.size() &&
             static_cast<unsigned char>(text[i + 1]) < 0xA0)) {
            return true;
        }
    }
    return !IsValidUtf8(text);
}

// A name with ESC, one with C1 CSI as UTF-8 and one with a raw C1 byte.
TEST_F(CliTest, NamesThatWouldSteerTheTerminalAreShownQuoted) {
    const std::string title = "a\x1b]0;PWNED\x07.htm";
    const std::string csi = "b\xC2\x9B"
                            "2J.htm";
    const std::string raw = "c\x9B"
                            "2J.htm";
    for (const std::string& name : {title, csi, raw}) {
        WriteBytes(At(name), "\xE4\n");
    }
    WriteBytes(At(raw + "._backup_"), "\xE4\n");
    const std::string dir = "'" + folder.Path();
    const std::string shownTitle = dir + "/a'$'\\033'']0;PWNED'$'\\a''.htm'";
    const std::string shownCsi = dir + "/b'$'\\302\\233''2J.htm'";
    const std::string shownRaw = dir + "/c'$'\\233''2J.htm'";
    const std::string all = folder.Path();
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> shown;
    } cases[] = {
        {{"encode", "-n", "-e", "htm", all}, {shownTitle, shownCsi, shownRaw}},
        {{"encode", "--check", "-e", "htm", all}, {shownTitle, shownCsi, shownRaw}},
        {{"restore", "-n", "-e", "htm", all},
         {dir + "/c'$'\\233''2J.htm._backup_' -> " + shownRaw}},
        {{"encode", "--utf8", At(raw)}, {"Datei " + shownRaw + " ist kein gültiges UTF-8"}},
        {{"encode", At("d\x1b[2J.htm")},
         {"Datei oder Ordner " + dir + "/d'$'\\033''[2J.htm' nicht gefunden"}},
    };
    for (const auto& [args, shown] : cases) {
        std::string out = RunOnTerminal(args).out;
        // The line ends of the terminal and the progress line's own controls.
        for (const std::string tool : {"\r", "\x1b[K"}) {
            for (std::size_t at; (at = out.find(tool)) != std::string::npos;) {
                out.erase(at, tool.size());
            }
        }
        EXPECT_FALSE(SteersTerminal(out)) << ::testing::PrintToString(args) << out;
        for (const std::string& name : shown) {
            EXPECT_NE(out.find(name), std::string::npos) << ::testing::PrintToString(args) << out;
        }
    }
    // Into a pipe a listing stays raw; a failure line is quoted wherever it goes.
    const Result piped = Run({"encode", "-n", At(title), At(raw), At("d\x1b")});
    EXPECT_EQ(piped.out, At(title) + "\n" + At(raw) + "\n");
    EXPECT_EQ(piped.err,
              "glyphwright-cli: Datei oder Ordner " + dir + "/d'$'\\033' nicht gefunden\n");
}

// Into a pipe a listing keeps each name on its line: one holding a line
// break is quoted. With -z each name ends with NUL instead, raw, on a
// terminal too: the form for xargs -0.
TEST_F(CliTest, ListingsKeepEachNameOnItsLineOrEndItWithNul) {
    const std::string lf = "a\nb.htm";
    const std::string cr = "c\rd.htm";
    const std::string esc = "e\x1b.htm";
    for (const std::string& name : {lf, cr, esc}) {
        WriteBytes(At(name), "\xE4\n");
        WriteBytes(At(name + "._backup_"), "\xE4\r\n");
    }
    const std::string dir = "'" + folder.Path();
    const std::string shownLf = dir + "/a'$'\\n''b.htm";
    const std::string shownCr = dir + "/c'$'\\r''d.htm";
    const std::string nul(1, '\0');
    const std::vector<std::string> named{At(lf), At(cr), At(esc)};
    const std::string list = shownLf + "'\n" + shownCr + "'\n" + At(esc) + "\n";
    const std::string nulEnded = At(lf) + nul + At(cr) + nul + At(esc) + nul;
    const struct {
        std::vector<std::string> args;
        std::string piped;
        std::string nulEnded;
    } cases[] = {
        {{"encode", "-n"}, list, nulEnded},
        {{"encode", "--check"}, list, nulEnded},
        {{"restore", "-n"},
         shownLf + "._backup_' -> " + shownLf + "'\n" + shownCr + "._backup_' -> " + shownCr +
             "'\n" + At(esc) + "._backup_ -> " + At(esc) + "\n",
         At(lf) + "._backup_" + nul + At(lf) + nul + At(cr) + "._backup_" + nul + At(cr) + nul +
             At(esc) + "._backup_" + nul + At(esc) + nul},
    };
    for (const auto& [args, piped, ended] : cases) {
        std::vector<std::string> call = args;
        call.insert(call.end(), named.begin(), named.end());
        EXPECT_EQ(Run(call).out, piped) << args[0] << " " << args[1];
        call.push_back("-z");
        EXPECT_EQ(Run(call).out, ended) << args[0] << " " << args[1];
    }
    EXPECT_EQ(RunOnTerminal({"encode", "-nz", At(esc)}).out, At(esc) + nul);
}

// The demo tree of a site kept in git: the check fails while a page still
// holds raw accented bytes or other line ends, and passes once it is converted.
TEST_F(CliTest, CheckFailsOnAnUnconvertedTreeAndPassesOnAConvertedOne) {
    MakeSite();
    WriteBytes(At("site/en/done.htm"), "caf&eacute;\r\n");
    WriteBytes(At("site/en/lf.htm"), "plain\n"); // its line end alone would change
    AgeAllFiles();
    const auto before = Snapshot();
    const std::vector<std::string> check{"encode", "--check", "-e", "htm,html", At("site")};
    const Result unconverted = Run(check);
    EXPECT_EQ(unconverted.status, 1);
    EXPECT_EQ(unconverted.err, "");
    EXPECT_EQ(Snapshot(), before) << "the check wrote something";
    const std::vector<std::string> listed = Lines(unconverted.out);

    // A dry run lists the same; a run then changes exactly these files.
    EXPECT_EQ(Lines(Run({"encode", "-n", "-e", "htm,html", At("site")}).out), listed);
    ASSERT_EQ(Run({"encode", "--no-backup", "-e", "htm,html", At("site")}).status, 0);
    std::set<std::string> changed;
    for (const auto& [path, state] : Snapshot()) {
        if (!(state == before.at(path))) {
            changed.insert(path);
        }
    }
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), changed);
    EXPECT_NE(std::find(listed.begin(), listed.end(), At("site/en/lf.htm")), listed.end());
    EXPECT_EQ(std::find(listed.begin(), listed.end(), At("site/en/done.htm")), listed.end());

    const Result converted = Run(check);
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(converted.out, "");
    EXPECT_EQ(converted.err, "");
    // Decoding would change the converted tree; with the other options too.
    WriteBytes(io.Path() + "/html.ini", "[Ext]\n.html=1\n");
    const Result decode = Run({"decode", "--check", "--utf8", "--settings", io.Path() + "/html.ini",
                               "--no-backup", At("site")});
    EXPECT_EQ(decode.status, 1);
    EXPECT_EQ(Lines(decode.out),
              (std::vector<std::string>{At("site/Kontakt.HTML"), At("site/x.htm/inner.html")}));
}

// A file the run would refuse or cannot read fails the check, on standard error.
TEST_F(CliTest, CheckReportsAFileItCannotReadAndFails) {
    WriteBytes(At("ok.htm"), "&auml;\r\n");
    WriteBytes(At("marked.htm"), "\xEF\xBB\xBF\xE4\r\n");
    const Result result =
        Run({"encode", "--check", At("ok.htm"), At("marked.htm"), At("missing.htm")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "glyphwright-cli: Datei oder Ordner " + Named("missing.htm") +
                              " nicht gefunden\nglyphwright-cli: Datei " + Named("marked.htm") +
                              " ist kein gültiges UTF-8 (Zeile 1)\n");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"marked.htm", "ok.htm"}));
}

// Encode with backups, then restore: every file holds what it held, joined
// with CR LF as the backup keeps it, and no backup is left.
TEST_F(CliTest, RestoreUndoesARun) {
    MakeSite();
    const auto original = Snapshot();
    const std::vector<std::string> converted =
        Lines(Run({"encode", "-n", "-e", "htm,html", At("site")}).out);
    ASSERT_EQ(Run({"encode", "-e", "htm,html", At("site")}).status, 0);

    const Result listed = Run({"restore", "-n", "-e", "htm,html", At("site")});
    EXPECT_EQ(listed.status, 0);
    // In the order the walk meets the backups now.
    std::vector<std::string> pairs;
    for (const std::string& backup : testing::ReaddirWalk(
             At("site"), [](const std::string& path) { return path.ends_with("._backup_"); })) {
        pairs.push_back(backup + " -> " + backup.substr(0, backup.size() - 9));
    }
    EXPECT_EQ(pairs.size(), converted.size());
    EXPECT_EQ(Lines(listed.out), pairs);

    const Result restored = Run({"restore", "-e", "htm,html", At("site")});
    EXPECT_EQ(restored.status, 0);
    EXPECT_EQ(restored.out, "");
    EXPECT_EQ(restored.err, "");
    for (const auto& [path, state] : Snapshot()) {
        const bool wasConverted =
            std::find(converted.begin(), converted.end(), path) != converted.end();
        EXPECT_EQ(state.bytes, wasConverted ? JoinLines(SplitLines(original.at(path).bytes))
                                            : original.at(path).bytes)
            << path;
    }
    EXPECT_EQ(Snapshot().size(), original.size()) << "a backup is left";
}

// By name: a backup, or a file whose backup it is; a missing file is made
// again, --keep keeps the backup, a link is refused, a missing backup reported.
TEST_F(CliTest, RestoreNamedBackupsAndFiles) {
    WriteBytes(At("a.htm._backup_"), "a\r\n");
    WriteBytes(At("b.htm"), "&ouml;\r\n");
    WriteBytes(At("b.htm._backup_"), "\xF6\r\n");
    WriteBytes(At("c.htm._backup_"), "c\r\n");
    WriteBytes(At("elsewhere"), "x");
    folder.MakeLink("d.htm._backup_", "elsewhere");
    const Result result = Run({"restore", "--keep", At("a.htm._backup_"), At("b.htm"),
                               At("d.htm._backup_"), At("e.htm")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "glyphwright-cli: Sicherung " + Named("e.htm._backup_") +
                              " nicht gefunden\nglyphwright-cli: Sicherung " +
                              Named("d.htm._backup_") +
                              " ist eine symbolische Verknüpfung und wird nicht "
                              "zurückgeschrieben\n");
    EXPECT_EQ(ReadBytes(At("a.htm")), "a\r\n");
    EXPECT_EQ(ReadBytes(At("b.htm")), "\xF6\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"a.htm", "a.htm._backup_", "b.htm", "b.htm._backup_",
                                             "c.htm._backup_", "d.htm._backup_", "elsewhere"}));
    // Named twice, put back once.
    const Result onTerminal = RunOnTerminal({"restore", At("c.htm"), At("c.htm._backup_")});
    EXPECT_EQ(onTerminal.status, 0);
    EXPECT_EQ(onTerminal.out, "1 Datei zurückgeschrieben\r\n");
    EXPECT_EQ(ReadBytes(At("c.htm")), "c\r\n");
    EXPECT_FALSE(ReadBytes(At("c.htm._backup_")).has_value());
}

// However a restore is stopped, every file holds either its converted or its
// backed-up content whole, and every backup that is left is whole; running
// restore again finishes the job. The signal lands wherever it lands: SIGTERM
// ends the run between files, with status 143 and no temporary file left;
// SIGKILL may leave one temporary file, and nothing else.
TEST_F(CliTest, ARestoreKilledMidwayLeavesEveryFileWhole) {
    constexpr int kFiles = 400;
    const std::string line = "Gr\xFC\xDF"
                             "e \xE4\xF6\xFC aus K\xF6ln\n";
    std::map<std::string, std::string> original;
    for (int i = 0; i < kFiles; ++i) {
        std::string text;
        for (int j = 0; j < 200 + i; ++j) {
            text += std::to_string(i) + line;
        }
        original["p" + std::to_string(i) + ".htm"] = JoinLines(SplitLines(text));
        WriteBytes(At("p" + std::to_string(i) + ".htm"), text);
    }
    int stoppedMidway = 0;
    const int signals[] = {SIGTERM, SIGKILL, SIGKILL, SIGKILL};
    for (int round = 0; round < 4; ++round) {
        ASSERT_EQ(Run({"encode", "-e", "htm", folder.Path()}).status, 0);
        const pid_t pid = Start({"restore", "-e", "htm", folder.Path()});
        ASSERT_GT(pid, 0);
        // Signalled as soon as the first backup is gone (or the run is over).
        int status = 0;
        bool signalled = false;
        while (!signalled && waitpid(pid, &status, WNOHANG) == 0) {
            if (NamesIn(folder.Path()).size() < 2 * kFiles) {
                kill(pid, signals[round]);
                waitpid(pid, &status, 0);
                signalled = true;
                ++stoppedMidway;
            }
        }
        if (signalled && signals[round] == SIGTERM) {
            // Hundreds of files were left to do: the run ends before them.
            const std::string err = ReadBytes(io.Path() + "/err").value_or("?");
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 143) << err;
            EXPECT_EQ(err.rfind("glyphwright-cli: abgebrochen: ", 0), 0u) << err;
            EXPECT_GT(NamesIn(folder.Path()).size(), kFiles + 0u) << "no backup left to restore";
        }
        for (const std::string& name : NamesIn(folder.Path())) {
            if (name[0] == '.') {
                // A temporary file a kill left; never a page or a backup.
                EXPECT_EQ(signals[round], SIGKILL) << name;
                continue;
            }
            const std::string bytes = ReadBytes(At(name)).value_or("?");
            const auto page = original.find(name);
            if (page != original.end()) {
                EXPECT_TRUE(bytes == page->second || bytes == EncodeUmlauts(page->second))
                    << name << " round " << round;
            } else {
                ASSERT_EQ(name.substr(name.size() - 9), "._backup_") << name;
                EXPECT_EQ(bytes, original.at(name.substr(0, name.size() - 9))) << name;
            }
        }
        ASSERT_EQ(Run({"restore", "-e", "htm", folder.Path()}).status, 0);
        for (const auto& [name, bytes] : original) {
            EXPECT_EQ(ReadBytes(At(name)), bytes) << name << " round " << round;
        }
    }
    RecordProperty("stoppedMidway", stoppedMidway);
}

} // namespace
} // namespace glyphwright
