#include "ui/CloseOnSignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace glyphwright::ui {

namespace {

constexpr int kClosingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Read end and write end of the self-pipe; -1 while no watcher lives.
int pipeEnds[2] = {-1, -1};

extern "C" void NoteSignal(int signal) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    // Nothing to do when the pipe is full: a close is already on its way.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

void SetHandler(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
}

} // namespace

void IgnoreFileSizeSignal() {
    SetHandler(SIGXFSZ, SIG_IGN);
}

CloseOnSignals::CloseOnSignals(QWidget& window) : QObject(&window), window_(window) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipeEnds[0] = pipeEnds[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &CloseOnSignals::Arrived);
    for (const int signal : kClosingSignals) {
        SetHandler(signal, NoteSignal);
    }
}

CloseOnSignals::~CloseOnSignals() {
    if (pipeEnds[0] < 0) {
        return;
    }
    for (const int signal : kClosingSignals) {
        SetHandler(signal, SIG_DFL);
    }
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void CloseOnSignals::Arrived() {
    char bytes[64];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    // During a run or a walk the close waits for its end, as the user's does.
    window_.close();
}

} // namespace glyphwright::ui
