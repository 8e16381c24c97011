#include "bench/ChildProcess.h"

#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace glyphwright::bench {
namespace {

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

// An unnamed temporary file that collects a child's output.
int AnonymousFile() {
    char pattern[] = "/tmp/glyphwright-bench-XXXXXX";
    const int fd = ::mkostemp(pattern, O_CLOEXEC);
    if (fd < 0) {
        throw std::runtime_error("cannot create a temporary file");
    }
    ::unlink(pattern);
    return fd;
}

std::string ReadFromStart(int fd, std::size_t limit) {
    std::string text(limit, '\0');
    const ssize_t got = ::pread(fd, text.data(), limit, 0);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

struct Finished {
    int status = 0;
    rusage usage{};
};

Finished SpawnAndWait(const std::vector<std::string>& argv, const std::string& workDir,
                      int outputFd, int errorFd) {
    std::vector<char*> pointers;
    for (const std::string& argument : argv) {
        pointers.push_back(const_cast<char*>(argument.c_str()));
    }
    pointers.push_back(nullptr);
    SpawnActions actions;
    posix_spawn_file_actions_adddup2(actions.Get(), outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(actions.Get(), errorFd, STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(actions.Get(), workDir.c_str());
    pid_t child = 0;
    if (posix_spawnp(&child, pointers[0], actions.Get(), nullptr, pointers.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    Finished finished;
    if (::wait4(child, &finished.status, 0, &finished.usage) != child) {
        throw std::runtime_error("lost the child " + argv[0]);
    }
    return finished;
}

} // namespace

ChildResult RunChild(const std::vector<std::string>& argv, const std::string& workDir) {
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const int errors = AnonymousFile();
    const auto start = std::chrono::steady_clock::now();
    const Finished finished = SpawnAndWait(argv, workDir, devNull, errors);
    const auto end = std::chrono::steady_clock::now();
    ChildResult result;
    result.exitStatus = WIFEXITED(finished.status) ? WEXITSTATUS(finished.status) : -1;
    result.seconds = std::chrono::duration<double>(end - start).count();
    result.peakResidentKiB = finished.usage.ru_maxrss; // Linux counts it in KiB
    result.standardError = ReadFromStart(errors, 4096);
    ::close(errors);
    ::close(devNull);
    return result;
}

} // namespace glyphwright::bench
