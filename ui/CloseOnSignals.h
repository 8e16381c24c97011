// The window program's signals. SIGTERM, SIGINT and SIGHUP (a service or
// session manager ending the program, Ctrl+C, a closed terminal) become a
// close request of the main window, so the extension list is saved as when
// the user closes it. SIGXFSZ is ignored: a file-size limit then fails the
// write like a full disk, and the run goes on with the next file.
#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace glyphwright::ui {

// Call first thing in main().
void IgnoreFileSizeSignal();

// Closes window on SIGTERM, SIGINT and SIGHUP while it lives: the handler
// only writes to a pipe, which the event loop watches. One at a time.
class CloseOnSignals : public QObject {
public:
    explicit CloseOnSignals(QWidget& window);
    ~CloseOnSignals() override;
    CloseOnSignals(const CloseOnSignals&) = delete;
    CloseOnSignals& operator=(const CloseOnSignals&) = delete;

private:
    void Arrived();

    QWidget& window_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace glyphwright::ui
