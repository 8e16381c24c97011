#include "ui/BusyScope.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <utility>
#include <vector>

namespace glyphwright::ui {

namespace {

// The window manager asks every few seconds; painting wants a little more.
constexpr auto kBreathInterval = std::chrono::milliseconds(50);
// The most one breath spends on events.
constexpr int kBreathBudgetMs = 20;

int activeScopes = 0;

struct IdleWork {
    QPointer<QObject> context;
    std::function<void()> work;
};

std::vector<IdleWork>& WaitingForIdle() {
    static std::vector<IdleWork> waiting;
    return waiting;
}

bool IsDrag(QEvent::Type type) {
    return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
}

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return IsDrag(type);
    }
}

} // namespace

BusyScope::BusyScope() {
    ++activeScopes;
    QCoreApplication::instance()->installEventFilter(this);
}

BusyScope::~BusyScope() {
    QCoreApplication::instance()->removeEventFilter(this);
    if (--activeScopes > 0) {
        return;
    }
    std::vector<IdleWork> waiting = std::exchange(WaitingForIdle(), {});
    for (IdleWork& w : waiting) {
        if (!w.context.isNull()) {
            WhenIdle(w.context.data(), std::move(w.work));
        }
    }
}

void BusyScope::Breathe() {
    const auto now = std::chrono::steady_clock::now();
    if (breathed_ && now - lastBreath_ < kBreathInterval) {
        return;
    }
    breathed_ = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents, kBreathBudgetMs);
    lastBreath_ = std::chrono::steady_clock::now();
}

bool BusyScope::Active() {
    return activeScopes > 0;
}

void BusyScope::WhenIdle(QObject* context, std::function<void()> work) {
    // Checked when the timer fires: a run may have started in between.
    QTimer::singleShot(0, context, [context, work = std::move(work)]() mutable {
        if (Active()) {
            WaitingForIdle().push_back({context, std::move(work)});
        } else {
            work();
        }
    });
}

bool BusyScope::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (IsUserInput(type)) {
        // A drag is refused; other input is taken and goes nowhere.
        event->setAccepted(!IsDrag(type));
        return true;
    }
    if (type == QEvent::Close && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        auto* window = static_cast<QWidget*>(watched);
        event->ignore();
        WhenIdle(window, [window] { window->close(); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace glyphwright::ui
