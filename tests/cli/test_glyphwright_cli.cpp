// Runs the built tool on real files in a temporary folder.
#include "entities/Unit_HtmlUmlaute.h"
#include "files/DropIntake.h"
#include "files/ExtensionList.h"
#include "files/FileList.h"
#include "files/LineList.h"
#include "tests/files/FileTesting.h"
#include "tests/files/ReaddirWalk.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <malloc.h>
#include <map>
#include <pty.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
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
    long peakKiB = 0; // the tool's peak resident memory
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
        rusage usage{};
        if (pid > 0 && wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
            result.status = WEXITSTATUS(status);
            result.peakKiB = usage.ru_maxrss;
        }
        result.out = ReadBytes(outPath).value_or("?");
        result.err = ReadBytes(errPath).value_or("?");
        return result;
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
            std::vector<char*> argv{const_cast<char*>(GW_CLI_PATH)};
            for (const std::string& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
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
    // The missing path is reported when the paths are taken, before any conversion.
    EXPECT_EQ(result.err, "glyphwright-cli: Datei oder Ordner " + At("missing.htm") +
                              " nicht gefunden\n"
                              "glyphwright-cli: Datei " +
                              At("ro.htm") + " kann nicht erstellt werden\n");
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
    // twice, and its backup then holds the first result.
    args.erase(args.begin() + 1);
    EXPECT_EQ(Run(args).status, 0);
    EXPECT_EQ(ReadBytes(At("site/x.htm/inner.html")), "&ouml;\r\n");
    EXPECT_EQ(ReadBytes(At("site/en/about.htm")), "caf&eacute;\r\n");
    EXPECT_EQ(ReadBytes(At("site/en/about.htm._backup_")), "caf&eacute;\r\n");
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
          {"decode", "--dry-run", "--utf8", "-e", ".HTM", At("site"), At("site/README")},
          {"encode", "-nq", "--no-backup", "--ext=.png", At("site")}}) {
        const Result result = Run(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_FALSE(result.out.empty());
        EXPECT_EQ(result.err, "");
    }
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(CliTest, ExitStatusForMissingPathsAndMissingExtensions) {
    MakeSite();
    // A missing PATH is reported and counts as a failure; the rest is converted.
    const Result missing = Run({"encode", "--no-backup", "-e", ".htm", At("nothing"),
                                At("site/en/old"), At("site/index.htm/x")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "glyphwright-cli: Datei oder Ordner " + At("nothing") +
                               " nicht gefunden\nglyphwright-cli: Datei oder Ordner " +
                               At("site/index.htm/x") + " nicht gefunden\n");
    EXPECT_EQ(ReadBytes(At("site/en/old/a.htm")), "&frac12;\r\n");
    EXPECT_EQ(ReadBytes(At("site/en/old/b.txt")), "\xE4\n");

    AgeAllFiles();
    const auto before = Snapshot();
    WriteBytes(io.Path() + "/off.ini", "[Ext]\n.HTM=0\n.HTML=0\n");
    const Result noneMarked = Run({"encode", "--settings", io.Path() + "/off.ini", At("site")});
    EXPECT_EQ(noneMarked.status, 2);
    EXPECT_NE(noneMarked.err.find("keine Dateiendung markiert (" + io.Path() + "/off.ini)"),
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

    // The filter too; a bad byte ends it with a message naming its position.
    EXPECT_EQ(Run({"encode", "--utf8"}, text).out,
              "Gr&uuml;&szlig;e, &frac12; & € ✓ ×\n<p>&nbsp;</p>\n");
    EXPECT_EQ(Run({"decode", "--utf8"}, "&auml;&#132;").out, "ä\"");
    const Result bad = Run({"encode", "--utf8"}, "ok\n\xE4");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "glyphwright-cli: Die Eingabe ist kein gültiges UTF-8 (Byte 4)\n");
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
    EXPECT_EQ(result.err, "glyphwright-cli: Datei " + At("b.htm") +
                              " ist kein gültiges UTF-8 (Zeile 2)\n"
                              "glyphwright-cli: Datei " +
                              At("c.htm") + " ist kein gültiges UTF-8 (Zeile 1)\n");
    const auto after = Snapshot();
    EXPECT_EQ(after.at(At("b.htm")), before.at(At("b.htm")));
    EXPECT_EQ(after.at(At("c.htm")), before.at(At("c.htm")));
    EXPECT_EQ(ReadBytes(At("d.htm")), "ö\r\n");
    // No backup of a refused file.
    EXPECT_EQ(NamesIn(folder.Path()),
              (Names{"a.htm", "a.htm._backup_", "b.htm", "c.htm", "d.htm", "d.htm._backup_"}));
}

TEST_F(CliTest, OnATerminalAProgressLineAndASummary) {
    MakeSite();
    const Result result = RunOnTerminal({"encode", "-e", "htm,html", At("site")});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("/5 Dateien, "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(" MB/s: " + folder.Path()), std::string::npos) << result.out;
    // The line is erased before the summary, which stands last on its own line.
    const std::string summary = "\r\x1b[K5 Dateien umgewandelt\r\n";
    ASSERT_GE(result.out.size(), summary.size());
    EXPECT_EQ(result.out.substr(result.out.size() - summary.size()), summary) << result.out;

    // With a failure: listed after the line is gone, then the summary.
    chmod(At("site/index.htm").c_str(), 0444);
    const Result failed =
        RunOnTerminal({"decode", "--no-backup", "-e", "htm,html", At("site")}, 40);
    EXPECT_EQ(failed.status, 1);
    const std::string tail = "\r\x1b[Kglyphwright-cli: Datei " + At("site/index.htm") +
                             " kann nicht erstellt werden\r\n4 Dateien umgewandelt, 1 "
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
    EXPECT_EQ(quiet.out,
              "glyphwright-cli: Datei " + At("site/index.htm") + " kann nicht erstellt werden\r\n");
}

TEST_F(CliTest, NothingOnStandardErrorWhenItIsNotATerminal) {
    MakeSite();
    const Result result = Run({"encode", "-e", "htm,html", At("site"), At("site/README")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadBytes(At("site/README")), "&uuml;\r\n");
}

} // namespace
} // namespace glyphwright
