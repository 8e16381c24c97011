// The fault suite: the real glyphwright-cli on generated trees, killed,
// stopped, limited, refused and given odd trees. After each fault every file
// holds exactly its old or exactly its converted content, every backup that
// is there is complete, and nothing outside the tree has changed.
#include "entities/Unit_HtmlUmlaute.h"
#include "files/collect/FileList.h"
#include "files/runs/ListRun.h"
#include "tests/faults/FaultTree.h"
#include "tests/faults/ToolProcess.h"
#include "tests/files/FileTesting.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace glyphwright::faults {
namespace {

using Clock = std::chrono::steady_clock;
using testing::ReadBytes;
using testing::WriteBytes;

// GW_FAULT_SEED repeats a run; otherwise every run draws its own.
unsigned DrawSeed() {
    if (const char* given = std::getenv("GW_FAULT_SEED")) {
        return static_cast<unsigned>(std::strtoul(given, nullptr, 10));
    }
    return std::random_device{}();
}

std::string Describe(const FaultTree::State& state) {
    std::string text = std::to_string(state.converted) + " converted, " +
                       std::to_string(state.untouched) + " untouched, " +
                       std::to_string(state.leftovers) + " temporary files";
    for (std::size_t i = 0; i < state.faults.size() && i < 10; ++i) {
        text += "\n  " + state.faults[i];
    }
    return text;
}

class Faults : public ::testing::Test {
protected:
    Faults() : seed_(DrawSeed()), random_(seed_) {
        // Every case says its seed, so that a failure can be run again.
        ::testing::Test::RecordProperty("seed", std::to_string(seed_));
        std::printf("seed %u (GW_FAULT_SEED=%u repeats it)\n", seed_, seed_);
        chmod(work_.Path().c_str(), 0755); // a case may run the tool as another user
        outside_ = work_.Path() + "/outside";
        mkdir(outside_.c_str(), 0755);
        WriteBytes(outside_ + "/victim.txt", "not to be touched\n");
        WriteBytes(outside_ + "/page.htm", "Gr\xFC\xDF\n");
        before_ = Fingerprint(outside_);
    }

    ~Faults() override {
        EXPECT_EQ(Fingerprint(outside_), before_) << "something outside the tree changed";
    }

    // A fresh folder for one tree, with a backup path that is a link to a
    // file outside: the run must replace the link, never write through it.
    std::string NewTreeFolder(const std::string& name) {
        const std::string folder = work_.Path() + "/" + name;
        mkdir(folder.c_str(), 0755);
        return folder;
    }
    void LayTrap(const FaultTree& tree) {
        const std::string backup = tree.Root() + "/" + tree.Files().begin()->first + "._backup_";
        symlink((outside_ + "/victim.txt").c_str(), backup.c_str());
    }
    // A trap not yet reached is taken away, so that the tree check sees only the tool's files.
    void ClearTrap(const FaultTree& tree) {
        const auto& [name, expected] = *tree.Files().begin();
        const std::string backup = tree.Root() + "/" + name + "._backup_";
        struct stat info {};
        if (lstat(backup.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
            EXPECT_EQ(ReadBytes(tree.Root() + "/" + name), expected.old)
                << "converted, but its backup is still the link";
            unlink(backup.c_str());
        }
    }

    std::vector<std::string> Encode(const std::string& tree, std::vector<std::string> options) {
        // Every page is Windows-1252: a short one could pass for UTF-8 by chance.
        std::vector<std::string> arguments{"encode", "--cp1252", "-e", ".htm"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.push_back(tree);
        return arguments;
    }

    std::string ErrorFile() const { return work_.Path() + "/err"; }

    unsigned seed_;
    std::mt19937 random_;
    testing::TempFolder work_;
    std::string outside_;
    std::map<std::string, std::string> before_;
};

TEST_F(Faults, KilledAtTwentyRandomMoments) {
    // Several workers, each of which may be caught between writing and renaming.
    constexpr std::size_t kWorkers = 4;
    const std::vector<std::string> jobs{"-j", std::to_string(kWorkers)};
    // How long one whole run takes here, to spread the moments over it.
    const std::string first = NewTreeFolder("calibration");
    const FaultTree calibration(first, random_, 300, 6, 500, 6000);
    const Clock::time_point start = Clock::now();
    ASSERT_EQ(RunTool({Encode(first, jobs), RLIM_INFINITY, false, {}}).code, 0);
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    ASSERT_EQ(calibration.Check(true).converted, 300u);
    testing::RemoveTree(AT_FDCWD, first.c_str());

    for (int trial = 0; trial < 20; ++trial) {
        const std::string folder = NewTreeFolder("kill" + std::to_string(trial));
        const FaultTree tree(folder, random_, 300, 6, 500, 6000);
        LayTrap(tree);
        const auto moment = std::chrono::microseconds(random_() % (whole.count() + 1));
        SCOPED_TRACE("trial " + std::to_string(trial) + ", killed after " +
                     std::to_string(moment.count()) + " us of " + std::to_string(whole.count()) +
                     ", seed " + std::to_string(seed_));
        ToolProcess tool({Encode(folder, jobs), RLIM_INFINITY, false, {}});
        std::this_thread::sleep_for(moment);
        tool.Signal(SIGKILL);
        tool.Wait();
        ClearTrap(tree);
        const FaultTree::State state = tree.Check(true);
        EXPECT_TRUE(state.faults.empty()) << Describe(state);
        // Killed between writing and renaming, one temporary file per worker may stay.
        EXPECT_LE(state.leftovers, kWorkers) << Describe(state);
        testing::RemoveTree(AT_FDCWD, folder.c_str());
    }
}

TEST_F(Faults, StoppedWithSigterm) {
    const std::string folder = NewTreeFolder("term");
    const FaultTree tree(folder, random_, 2000, 10, 200, 3000);
    LayTrap(tree);
    ToolProcess tool({Encode(folder, {}), RLIM_INFINITY, false, ErrorFile()});
    // Signal once the run is under way: some backups stand.
    const auto backups = [&] {
        std::size_t count = 0;
        for (std::size_t f = 0; f < 10; ++f) {
            for (const std::string& name : testing::NamesIn(folder + "/s" + std::to_string(f))) {
                count += name.ends_with("._backup_");
            }
        }
        return count;
    };
    for (int wait = 0; wait < 5000 && backups() < 20; ++wait) {
        usleep(1000);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random_() % 20000));
    tool.Signal(SIGTERM);
    const ToolProcess::End end = tool.Wait();
    ASSERT_TRUE(end.exited) << "ended by signal " << end.code - 128;
    ClearTrap(tree);
    const FaultTree::State state = tree.Check(true);
    EXPECT_TRUE(state.faults.empty()) << Describe(state);
    EXPECT_EQ(state.leftovers, 0u);
    if (state.converted < tree.Files().size()) {
        EXPECT_EQ(end.code, 128 + SIGTERM);
        EXPECT_NE(ReadBytes(ErrorFile()).value_or("").find("glyphwright-cli: abgebrochen: "),
                  std::string::npos);
    }
}

TEST_F(Faults, FileSizeLimit) {
    const std::string folder = NewTreeFolder("limit");
    const FaultTree tree(folder, random_, 60, 3, 1000, 12000, 2);
    LayTrap(tree);
    const rlim_t limit = 16 * 1024;
    const ToolProcess::End end = RunTool({Encode(folder, {}), limit, false, ErrorFile()});
    ASSERT_TRUE(end.exited) << "ended by signal " << end.code - 128;
    ClearTrap(tree);
    // Exactly the files whose backup and converted text fit are converted.
    std::size_t fitting = 0;
    for (const auto& [name, expected] : tree.Files()) {
        const bool fits = expected.converted.size() <= limit && expected.backup.size() <= limit;
        fitting += fits;
        EXPECT_EQ(ReadBytes(folder + "/" + name), fits ? expected.converted : expected.old) << name;
    }
    EXPECT_EQ(end.code, fitting == tree.Files().size() ? 0 : 1);
    const FaultTree::State state = tree.Check(true);
    EXPECT_TRUE(state.faults.empty()) << Describe(state);
    EXPECT_EQ(state.leftovers, 0u);
}

// A small file system that runs full halfway through the run.
TEST_F(Faults, FullFileSystem) {
    const std::string folder = NewTreeFolder("full");
    const bool mounted = geteuid() == 0 && mount("glyphwright-faults", folder.c_str(), "tmpfs",
                                                 MS_NOSUID | MS_NODEV, "size=640k,mode=0755") == 0;
    struct Unmount {
        std::string folder;
        bool active;
        ~Unmount() {
            if (active) {
                umount2(folder.c_str(), MNT_DETACH);
            }
        }
    } unmount{folder, mounted};
    rlim_t limit = RLIM_INFINITY;
    if (!mounted) {
        std::printf(
            "no tmpfs can be mounted here: a file-size limit stands in for the full disk\n");
        limit = 24 * 1024;
    }
    const FaultTree tree(folder, random_, 80, 4, 2000, 8000, 2);
    LayTrap(tree);
    const ToolProcess::End end = RunTool({Encode(folder, {}), limit, false, ErrorFile()});
    ASSERT_TRUE(end.exited) << "ended by signal " << end.code - 128;
    ClearTrap(tree);
    const FaultTree::State state = tree.Check(true);
    EXPECT_TRUE(state.faults.empty()) << Describe(state);
    EXPECT_EQ(state.leftovers, 0u);
    EXPECT_GT(state.untouched, 0u) << "the file system never ran full";
    EXPECT_EQ(end.code, 1);
    const std::string cause = mounted ? "Kein Speicherplatz mehr" : "Datei zu groß";
    EXPECT_NE(ReadBytes(ErrorFile()).value_or("").find(cause), std::string::npos);
}

// A folder that takes no new file: its files cannot get a backup, so they
// stay; without backups they are rewritten in place.
TEST_F(Faults, ReadOnlyFolder) {
    const std::string folder = NewTreeFolder("readonly");
    const FaultTree tree(folder, random_, 30, 3, 200, 3000);
    const bool asRoot = geteuid() == 0;
    if (asRoot) {
        // Root ignores permission bits: the tool runs as nobody, who owns the tree.
        for (const auto& [name, expected] : tree.Files()) {
            chown((folder + "/" + name).c_str(), testing::kUnprivilegedId,
                  testing::kUnprivilegedId);
        }
        for (const char* sub : {"", "/s0", "/s1", "/s2"}) {
            chown((folder + sub).c_str(), testing::kUnprivilegedId, testing::kUnprivilegedId);
        }
    }
    chmod((folder + "/s0").c_str(), 0555);
    const auto inSealed = [](const std::string& name) { return name.starts_with("s0/"); };

    ToolProcess::End end = RunTool({Encode(folder, {}), RLIM_INFINITY, asRoot, ErrorFile()});
    ASSERT_TRUE(end.exited);
    EXPECT_EQ(end.code, 1);
    for (const auto& [name, expected] : tree.Files()) {
        EXPECT_EQ(ReadBytes(folder + "/" + name),
                  inSealed(name) ? expected.old : expected.converted)
            << name;
    }
    FaultTree::State state = tree.Check(true);
    EXPECT_TRUE(state.faults.empty()) << Describe(state);
    EXPECT_EQ(state.leftovers, 0u);
    EXPECT_NE(ReadBytes(ErrorFile())
                  .value_or("")
                  .find("._backup_' kann nicht erstellt werden: "
                        "Keine Berechtigung"),
              std::string::npos);

    end = RunTool({Encode(folder + "/s0", {"--no-backup"}), RLIM_INFINITY, asRoot, ErrorFile()});
    EXPECT_EQ(end.code, 0) << ReadBytes(ErrorFile()).value_or("");
    state = tree.Check(false);
    EXPECT_TRUE(state.faults.empty()) << Describe(state);
    EXPECT_EQ(state.untouched, 0u);
    chmod((folder + "/s0").c_str(), 0755);
}

// Another program swaps a file for a link to a file outside the tree while
// the run is going on, just before the file would be replaced.
TEST_F(Faults, FileReplacedByALinkDuringTheRun) {
    const std::string folder = NewTreeFolder("swap");
    const FaultTree tree(folder, random_, 50, 5, 200, 3000);
    FileList list;
    for (const auto& [name, expected] : tree.Files()) {
        list.Append(folder + "/" + name);
    }
    const std::string swapped = list.Path(random_() % list.Count());
    SCOPED_TRACE("swapped " + swapped + ", seed " + std::to_string(seed_));
    RunHooks hooks;
    hooks.perFile.backupWanted = [] { return true; };
    hooks.perFile.beforeReplace = [&](const std::string& target) {
        if (target == swapped) {
            unlink(swapped.c_str());
            symlink((outside_ + "/victim.txt").c_str(), swapped.c_str());
        }
    };
    const RunSummary summary =
        ConvertAllListed(list, EncodeConversion(CharsetRule::Windows1252), hooks);
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_EQ(summary.failures[0], (FileFailure{FailureKind::Changed, swapped, 0, {}}));
    const FaultTree::State state = tree.Check(true);
    ASSERT_EQ(state.faults.size(), 1u) << Describe(state);
    EXPECT_EQ(state.faults[0],
              swapped.substr(folder.size() + 1) + ": neither old nor converted content");
    EXPECT_EQ(state.converted, tree.Files().size() - 1);
}

// 3,000 folders, each inside the last, each with a page: deeper than any
// path the system takes whole.
TEST_F(Faults, ThreeThousandLevels) {
    const std::string root = NewTreeFolder("deep");
    const std::string page = "Gr\xFC\xDF\n";
    const Expected expected = ExpectedOf(page);
    const int levels = 3000;
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < levels && fd >= 0; ++level) {
        const int file = openat(fd, "p.htm", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ASSERT_GE(file, 0);
        ASSERT_EQ(write(file, page.data(), page.size()), static_cast<ssize_t>(page.size()));
        close(file);
        ASSERT_EQ(mkdirat(fd, "d", 0755), 0);
        const int next = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = next;
    }
    ASSERT_GE(fd, 0);
    close(fd);

    const ToolProcess::End end = RunTool({Encode(root, {}), RLIM_INFINITY, false, ErrorFile()});
    ASSERT_TRUE(end.exited) << "ended by signal " << end.code - 128;

    int converted = 0;
    fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < levels && fd >= 0; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        std::string bytes(64, '\0');
        const int file = openat(fd, "p.htm", O_RDONLY | O_CLOEXEC);
        ASSERT_GE(file, 0);
        bytes.resize(static_cast<std::size_t>(std::max<ssize_t>(0, read(file, bytes.data(), 64))));
        close(file);
        ASSERT_TRUE(bytes == expected.old || bytes == expected.converted);
        converted += bytes == expected.converted;
        const int backup = openat(fd, "p.htm._backup_", O_RDONLY | O_CLOEXEC);
        if (bytes == expected.converted) {
            ASSERT_GE(backup, 0);
        }
        if (backup >= 0) {
            std::string saved(64, '\0');
            saved.resize(
                static_cast<std::size_t>(std::max<ssize_t>(0, read(backup, saved.data(), 64))));
            close(backup);
            ASSERT_EQ(saved, expected.backup);
        }
        const int next = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = next;
    }
    if (fd >= 0) {
        close(fd);
    }
    std::printf("%d of %d levels converted\n", converted, levels);
    EXPECT_GT(converted, 0);
}

// A tree that another user owns and has laid traps in, run over by root:
// links to root's files and folders, a FIFO with a writer waiting on it, a
// page that a program keeps open for writing. Nothing outside changes, the
// writers keep their place, every trap is named, and the plain page converts.
TEST_F(Faults, AnotherUsersTrapsInTheTree) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to give files to another user";
    }
    const uid_t other = 1000;
    const std::string folder = NewTreeFolder("hostile");
    const auto give = [&](const std::string& name) {
        ASSERT_EQ(lchown((folder + "/" + name).c_str(), other, other), 0);
    };
    WriteBytes(folder + "/plain.htm", "Gr\xFC\xDF\n");
    symlink((outside_ + "/victim.txt").c_str(), (folder + "/x.htm").c_str());
    WriteBytes(folder + "/x.htm._backup_", "hacker::0:0\n");
    symlink((outside_ + "/page.htm").c_str(), (folder + "/y.htm").c_str());
    symlink(outside_.c_str(), (folder + "/sub").c_str());
    ASSERT_EQ(mkfifo((folder + "/feed.htm").c_str(), 0644), 0);
    WriteBytes(folder + "/log.htm", "Gr\xFC\xDF\n");
    for (const char* name :
         {"", "plain.htm", "x.htm", "x.htm._backup_", "y.htm", "sub", "feed.htm", "log.htm"}) {
        give(name);
    }
    // Each child waits until the pipe closes: one in its open of the FIFO,
    // one with the page open for appending.
    int hold[2];
    int opened[2];
    ASSERT_EQ(pipe(hold), 0);
    ASSERT_EQ(pipe(opened), 0);
    const auto child = [&](const std::string& path, int flags) {
        const pid_t pid = fork();
        if (pid == 0) {
            close(hold[1]);
            const int fd = open(path.c_str(), flags);
            char byte = 0;
            [[maybe_unused]] const auto told = write(opened[1], &byte, 1);
            [[maybe_unused]] const auto waited = read(hold[0], &byte, 1);
            [[maybe_unused]] const auto late = write(fd, "late\n", 5);
            _exit(fd >= 0 ? 0 : 1);
        }
        return pid;
    };
    const pid_t fifoWriter = child(folder + "/feed.htm", O_WRONLY);
    const pid_t logWriter = child(folder + "/log.htm", O_WRONLY | O_APPEND);
    close(hold[0]);
    char byte = 0;
    ASSERT_EQ(read(opened[0], &byte, 1), 1);
    close(opened[0]);
    close(opened[1]);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"encode", "--check", "-e", "htm", folder}, Encode(folder, {}),
          std::vector<std::string>{"restore", "-e", "htm", folder}}) {
        const ToolProcess::End end = RunTool({command, RLIM_INFINITY, false, ErrorFile()});
        EXPECT_EQ(end.code, 1) << command.front();
        const std::string errors = ReadBytes(ErrorFile()).value_or("");
        for (const char* named : {"/x.htm' wird nicht verfolgt", "/y.htm' wird nicht verfolgt",
                                  "feed.htm' ist keine gewöhnliche Datei (benannte Pipe)",
                                  "log.htm' wird gerade von einem anderen Programm geschrieben"}) {
            if (command.front() != "restore") {
                EXPECT_NE(errors.find(named), std::string::npos) << named << "\n" << errors;
            }
        }
        if (command.front() == "restore") {
            EXPECT_NE(errors.find("/x.htm' wird nicht verfolgt"), std::string::npos) << errors;
        }
    }
    int status = 0;
    EXPECT_EQ(waitpid(fifoWriter, &status, WNOHANG), 0) << "the FIFO's writer was let through";
    close(hold[1]);
    kill(fifoWriter, SIGKILL);
    waitpid(fifoWriter, &status, 0);
    waitpid(logWriter, &status, 0);
    EXPECT_EQ(ReadBytes(folder + "/log.htm"), "Gr\xFC\xDF\nlate\n");
    EXPECT_EQ(ReadBytes(folder + "/plain.htm"), "Gr\xFC\xDF\r\n"); // converted, then restored
    EXPECT_EQ(ReadBytes(folder + "/x.htm._backup_"), "hacker::0:0\n");
}

// 100,000 tiny files in 100 folders, in memory where the machine has a tmpfs.
TEST_F(Faults, HundredThousandFiles) {
    std::string base = "/dev/shm";
    struct stat info {};
    if (stat(base.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || access(base.c_str(), W_OK)) {
        base = work_.Path();
    }
    std::string folder = base + "/glyphwright-faults-XXXXXX";
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    struct Remove {
        std::string folder;
        ~Remove() { testing::RemoveTree(AT_FDCWD, folder.c_str()); }
    } remove{folder};
    const FaultTree tree(folder, random_, 100000, 100, 4, 40);
    const ToolProcess::End end = RunTool({Encode(folder, {}), RLIM_INFINITY, false, ErrorFile()});
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.code, 0) << ReadBytes(ErrorFile()).value_or("");
    const FaultTree::State state = tree.Check(true);
    EXPECT_TRUE(state.faults.empty()) << Describe(state);
    EXPECT_EQ(state.converted, 100000u);
    EXPECT_EQ(state.leftovers, 0u);
}

} // namespace
} // namespace glyphwright::faults
