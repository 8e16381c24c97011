// The folder walk against find(1): a generated tree of 100,000 files in 1,000
// folders, half of them accepted, walked by ScanFolder into the file list
// model, and by `find -type f ( -iname ... )` with the same extensions; and
// the walk once more with the pause the window gives it (a clock reading per
// entry, to repaint at most every 50 ms; the repainting itself is not here).
// Prints the median of several runs of each after a warm-up, and the ratios.
#include "bench/ProgramMain.h"
#include "files/collect/ExtensionList.h"
#include "files/collect/FileList.h"
#include "files/collect/ScanFolder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace glyphwright::bench {
namespace {

constexpr int kTopFolders = 10;
constexpr int kMiddleFolders = 9;  // in each top folder
constexpr int kBottomFolders = 10; // in each middle folder: 10 + 90 + 900 = 1,000 folders
constexpr int kFolders = kTopFolders * (1 + kMiddleFolders * (1 + kBottomFolders));
constexpr int kFilesPerFolder = 100;
constexpr int kRuns = 7;

// Accepted and refused names alternate; letter case varies as on real sites.
const char* const kAccepted[] = {".htm", ".HTML", ".php", ".Inc", ".shtml"};
const char* const kRefused[] = {".txt", ".css", ".JS", ".png", ""};
const char* const kMarked[] = {".HTM", ".HTML", ".INC", ".PHP", ".SHTML"};

void MakeFiles(const std::filesystem::path& folder, int& serial) {
    std::filesystem::create_directory(folder);
    for (int i = 0; i < kFilesPerFolder; ++i, ++serial) {
        const char* extension =
            serial % 2 == 0 ? kAccepted[(serial / 2) % 5] : kRefused[(serial / 2) % 5];
        const std::string name = "page" + std::to_string(serial) + extension;
        const int fd = open((folder / name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            throw std::runtime_error("cannot create " + (folder / name).string());
        }
        close(fd);
    }
}

// Every folder gets its files before its sub-folders, so files and folders
// mix in each folder's readdir order.
void MakeTree(const std::filesystem::path& root) {
    int serial = 0;
    for (int t = 0; t < kTopFolders; ++t) {
        const auto top = root / ("top" + std::to_string(t));
        MakeFiles(top, serial);
        for (int m = 0; m < kMiddleFolders; ++m) {
            const auto middle = top / ("mid" + std::to_string(m));
            MakeFiles(middle, serial);
            for (int b = 0; b < kBottomFolders; ++b) {
                MakeFiles(middle / ("leaf" + std::to_string(b)), serial);
            }
        }
    }
}

std::vector<std::string> FindArguments(const std::string& root) {
    std::vector<std::string> arguments{"find", root, "-type", "f", "("};
    for (const char* extension : kAccepted) {
        if (arguments.back() != "(") {
            arguments.emplace_back("-o");
        }
        arguments.emplace_back("-iname");
        arguments.push_back(std::string("*") + extension);
    }
    arguments.emplace_back(")");
    return arguments;
}

// Runs find with its output sent to outputFd; returns once it has ended.
void RunFind(const std::vector<std::string>& arguments, int outputFd) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    pid_t child = 0;
    const int error = posix_spawnp(&child, "find", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw std::runtime_error("cannot start find");
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("find failed");
    }
}

std::size_t CountFindLines(const std::vector<std::string>& arguments) {
    char pattern[] = "/tmp/glyphwright-find-XXXXXX";
    const int fd = mkstemp(pattern);
    if (fd < 0) {
        throw std::runtime_error("cannot create a temp file");
    }
    unlink(pattern);
    RunFind(arguments, fd);
    lseek(fd, 0, SEEK_SET);
    std::size_t lines = 0;
    char buffer[65536];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
        lines += static_cast<std::size_t>(std::count(buffer, buffer + n, '\n'));
    }
    close(fd);
    return lines;
}

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Run() {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("glyphwright-walk-" + std::to_string(getpid()));
    std::filesystem::remove_all(root);
    std::filesystem::create_directory(root);
    struct RemoveAtEnd {
        std::filesystem::path path;
        ~RemoveAtEnd() { std::filesystem::remove_all(path); }
    } removeAtEnd{root};

    const auto created = Clock::now();
    MakeTree(root);
    std::printf("tree: %d folders, %d files, made in %.0f ms under %s\n", kFolders,
                kFolders * kFilesPerFolder, Milliseconds(Clock::now() - created), root.c_str());

    ExtensionList extensions = ExtensionList::WithDefaults();
    for (const char* text : kMarked) {
        extensions.SetMark(*extensions.Find(text), true);
    }
    const std::vector<std::string> findArguments = FindArguments(root.string());
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);

    auto walkOnce = [&](std::size_t& count) {
        FileList files;
        const auto start = Clock::now();
        ScanFolder(root.string(), extensions, files);
        const auto elapsed = Clock::now() - start;
        count = files.Count();
        return Milliseconds(elapsed);
    };
    std::size_t breaths = 0;
    auto pausedWalkOnce = [&] {
        FileList files;
        auto lastBreath = Clock::now();
        const auto pause = [&] {
            const auto now = Clock::now();
            if (now - lastBreath >= std::chrono::milliseconds(50)) {
                lastBreath = now;
                ++breaths;
            }
        };
        const auto start = Clock::now();
        ScanFolder(root.string(), extensions, files, pause);
        return Milliseconds(Clock::now() - start);
    };
    auto findOnce = [&] {
        const auto start = Clock::now();
        RunFind(findArguments, devNull);
        return Milliseconds(Clock::now() - start);
    };

    std::size_t walked = 0;
    walkOnce(walked); // warm-up: the tree is in the page cache for both
    findOnce();
    const std::size_t found = CountFindLines(findArguments);
    std::printf("accepted: ScanFolder %zu, find %zu%s\n", walked, found,
                walked == found ? "" : "  MISMATCH");

    std::vector<double> ours;
    std::vector<double> theirs;
    std::vector<double> paused;
    for (int run = 0; run < kRuns; ++run) { // interleaved, so drift hits all alike
        ours.push_back(walkOnce(walked));
        theirs.push_back(findOnce());
        paused.push_back(pausedWalkOnce());
    }
    close(devNull);
    const double ourMedian = Median(ours);
    const double findMedian = Median(theirs);
    const double pausedMedian = Median(paused);
    std::printf("ScanFolder + FileList: median %8.1f ms of %d runs\n", ourMedian, kRuns);
    std::printf("find -iname ...:       median %8.1f ms of %d runs\n", findMedian, kRuns);
    std::printf("with the window pause: median %8.1f ms of %d runs (%zu breaths in all)\n",
                pausedMedian, kRuns, breaths);
    std::printf("ratio ScanFolder / find: %.2f (target <= 1.50)\n", ourMedian / findMedian);
    std::printf("ratio paused / plain walk: %.2f\n", pausedMedian / ourMedian);
    return walked == found ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace
} // namespace glyphwright::bench

int main() {
    return glyphwright::bench::RunProgram("bench_walk", glyphwright::bench::Run);
}
