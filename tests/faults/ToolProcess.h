// The real glyphwright-cli as a child process, started under the limits a
// fault case needs and stopped or killed from outside.
#pragma once

#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

namespace glyphwright::faults {

struct Launch {
    std::vector<std::string> arguments; // after the program name
    rlim_t fileSizeLimit = RLIM_INFINITY;
    bool asUnprivilegedUser = false; // a root test becomes nobody, whom permission bits stop
    std::string errorFile;           // standard error goes there; standard output is dropped
};

class ToolProcess {
public:
    // Starts the tool with SIGXFSZ at its default, so that the tool's own
    // handling of a size limit is what counts.
    explicit ToolProcess(const Launch& launch);
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    void Signal(int signal) const;
    // Waits for the end: the exit status, or 128 + the signal that ended it
    // when exited is false.
    struct End {
        bool exited = false;
        int code = -1;
    };
    End Wait();

private:
    pid_t pid_ = -1;
};

// Runs the tool to its end.
ToolProcess::End RunTool(const Launch& launch);

} // namespace glyphwright::faults
