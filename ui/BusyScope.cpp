#include "ui/BusyScope.h"

#include "ui/Application.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace glyphwright::ui {

namespace {

// The window manager asks every few seconds; painting wants a little more.
constexpr auto kBreathInterval = std::chrono::milliseconds(50);
// The most one breath spends on events.
constexpr int kBreathBudgetMs = 20;

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

BusyScope::BusyScope(Application& app) : app_(app) {
    app_.BusyBegins();
    app_.installEventFilter(this);
}

BusyScope::BusyScope() : BusyScope(Application::Instance()) {}

BusyScope::~BusyScope() {
    app_.removeEventFilter(this);
    app_.BusyEnds();
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
        app_.WhenIdle(window, [window] { window->close(); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace glyphwright::ui
