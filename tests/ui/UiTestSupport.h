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

} // namespace glyphwright::ui::test

#define GW_UI_TEST_MAIN(TestClass)                                                                 \
    int main(int argc, char** argv) {                                                              \
        glyphwright::ui::Application app(argc, argv);                                              \
        glyphwright::ui::SetUpApplication(app);                                                    \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
