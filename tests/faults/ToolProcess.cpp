#include "tests/faults/ToolProcess.h"

#include "tests/files/FileTesting.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace glyphwright::faults {

namespace {

// GW_FAULTS_TOOL runs the suite on another build of the tool, an installed one say.
const char* ToolPath() {
    const char* given = std::getenv("GW_FAULTS_TOOL");
    return given != nullptr && *given != '\0' ? given : GW_CLI_PATH;
}

} // namespace

ToolProcess::ToolProcess(const Launch& launch) {
    const char* tool = ToolPath();
    // The faults are judged against the window's bytes.
    std::vector<char*> argv{const_cast<char*>(tool)};
    if (std::find(launch.arguments.begin(), launch.arguments.end(), "restore") ==
        launch.arguments.end()) {
        argv.push_back(const_cast<char*>("--eol=crlf"));
    }
    for (const std::string& argument : launch.arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid_ != 0) {
        return;
    }
    std::signal(SIGXFSZ, SIG_DFL);
    const int null = open("/dev/null", O_RDWR);
    const int err = launch.errorFile.empty()
                        ? null
                        : open(launch.errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const rlimit size{launch.fileSizeLimit, launch.fileSizeLimit};
    if (null < 0 || err < 0 || dup2(null, 0) < 0 || dup2(null, 1) < 0 || dup2(err, 2) < 0 ||
        (launch.fileSizeLimit != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &size) != 0)) {
        _exit(126);
    }
    if (launch.asUnprivilegedUser && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(testing::kUnprivilegedId) != 0 ||
         setuid(testing::kUnprivilegedId) != 0)) {
        _exit(126);
    }
    // German whatever the caller's locale: the faults are judged by the tool's words.
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        unsetenv(name);
    }
    setenv("LANG", "C", 1);
    execv(tool, argv.data());
    _exit(127);
}

ToolProcess::~ToolProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        Wait();
    }
}

void ToolProcess::Signal(int signal) const {
    kill(pid_, signal);
}

ToolProcess::End ToolProcess::Wait() {
    End end;
    int status = 0;
    pid_t got;
    while ((got = waitpid(pid_, &status, 0)) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    if (got < 0) {
        return end;
    }
    if (WIFEXITED(status)) {
        end.exited = true;
        end.code = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        end.code = 128 + WTERMSIG(status);
    }
    return end;
}

ToolProcess::End RunTool(const Launch& launch) {
    return ToolProcess(launch).Wait();
}

} // namespace glyphwright::faults
