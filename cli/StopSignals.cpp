#include "cli/StopSignals.h"

#include "files/io/StopFlag.h"

#include <csignal>

namespace glyphwright::cli {

namespace {

StopFlag stopFlag;

void RequestStop(int signal) {
    stopFlag.Request(signal);
}

} // namespace

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

StopFlag& StopOnSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep reads and writes whole; the flag is looked at
    // between files. The handler goes after one use, so that a second
    // Ctrl-C ends a run that does not come to a stop.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored from the start (nohup) stays ignored.
        struct sigaction before {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) {
            continue;
        }
        sigaction(signal, &action, nullptr);
    }
    return stopFlag;
}

} // namespace glyphwright::cli
