// What the window tests share: a main() that builds the program's own
// application object (so that failures go through its notify), and a way to
// answer a modal dialog from inside the test.
#pragma once

#include "ui/Application.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>

namespace glyphwright::ui::test {

// The control called name below root; the test program stops when there is none.
template <class T = QWidget> T* Child(const QObject& root, const char* name) {
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no control %s", name);
    }
    return found;
}

// Calls act with the modal dialog as soon as one is open; polls so that it
// works whenever the dialog appears.
inline void WhenModal(std::function<void(QWidget*)> act, int tries = 300) {
    QTimer::singleShot(10, [act = std::move(act), tries]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(modal);
        } else if (tries > 0) {
            WhenModal(std::move(act), tries - 1);
        }
    });
}

// Pokes a window while long work goes on in it, as soon as it sees the work
// under way: asks for a repaint of watched, as uncovering it would, and runs
// poke, which clicks, types or drops on the window. Notes whether watched was
// painted while the work was still under way.
class DuringWork : public QObject {
public:
    DuringWork(QWidget& watched, std::function<bool()> underWay, std::function<void()> poke)
        : watched_(watched), underWay_(std::move(underWay)), poke_(std::move(poke)) {
        watched_.installEventFilter(this);
        Arm();
    }
    ~DuringWork() override { watched_.removeEventFilter(this); }

    bool poked = false;
    bool paintedDuringWork = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &watched_ && event->type() == QEvent::Paint && poked && underWay_()) {
            paintedDuringWork = true;
        }
        return false;
    }

private:
    // Tries again at every turn of the event loop until the work is seen.
    void Arm() {
        QTimer::singleShot(0, this, [this] {
            if (poked) {
                return;
            }
            if (!underWay_()) {
                Arm();
                return;
            }
            poked = true;
            watched_.update();
            poke_();
        });
    }

    QWidget& watched_;
    std::function<bool()> underWay_;
    std::function<void()> poke_;
};

} // namespace glyphwright::ui::test

#define GW_UI_TEST_MAIN(TestClass)                                                                 \
    int main(int argc, char** argv) {                                                              \
        glyphwright::ui::Application app(argc, argv);                                              \
        glyphwright::ui::SetUpApplication(app);                                                    \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
