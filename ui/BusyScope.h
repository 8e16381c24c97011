// A conversion run or a folder walk in progress on the user-interface
// thread. The program's windows take no input while it lasts, as if the work
// held the event loop, but Breathe() between files lets them repaint and
// answers the window manager, which otherwise greys a silent window out after
// a few seconds and offers to kill it. The application object counts the
// scopes under way (Application::Busy, Application::WhenIdle).
#pragma once

#include <QObject>

#include <chrono>
#include <functional>

namespace glyphwright::ui {

class Application;

class BusyScope : public QObject {
public:
    explicit BusyScope(Application& app);
    BusyScope();
    ~BusyScope() override;
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    // Handles what the window system has sent, input aside: at the first
    // call, then at most every few dozen milliseconds, so that a walk of
    // 100,000 files does not pay for it at every entry.
    void Breathe();

    // Breathe() as a callable for the core's pause hooks.
    std::function<void()> BreatheHook() {
        return [this] { Breathe(); };
    }

protected:
    // Drops mouse, keyboard and drag input; a close request is carried out
    // when the work is done.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Application& app_;
    std::chrono::steady_clock::time_point lastBreath_;
    bool breathed_ = false;
};

} // namespace glyphwright::ui
