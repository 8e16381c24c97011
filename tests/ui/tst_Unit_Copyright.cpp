// The about window: created hidden, centred at its first showing (top-left
// clamped to 0 on a small screen), later shown where the user left it;
// closing only hides it, and typed text survives. Closing the main window
// ends the program even with the about window open.
#include "tests/ui/UiTestSupport.h"
#include "ui/Unit1.h"
#include "ui/Unit_Copyright.h"
#include "ui/WindowPlacement.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QWindow>

#include <memory>

using namespace glyphwright::ui;
using glyphwright::ui::test::Child;

class TestUnitCopyright : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TForm_Copyright> about_;

    QPlainTextEdit* Memo() const { return Child<QPlainTextEdit>(*about_, "Memo1"); }
    QPushButton* OkButton() const { return Child<QPushButton>(*about_, "Button1"); }

    void ChooseCopyright() {
        main_->findChild<QAction*>(QStringLiteral("Copyright1"))->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(about_.get()));
    }

private slots:
    void init() {
        main_ = std::make_unique<TForm1>();
        about_ = std::make_unique<TForm_Copyright>();
        main_->SetAboutWindow(about_.get());
        main_->ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }

    void cleanup() {
        about_.reset();
        main_.reset();
    }

    void isBuiltHiddenWithItsControls() {
        QVERIFY(!about_->isVisible());
        QCOMPARE(about_->windowTitle(), QStringLiteral("Copyright"));
        // Outer 460 x 546 less the classic frame.
        QCOMPARE(about_->size(), QSize(452, 519));
        QCOMPARE(Memo()->objectName(), QStringLiteral("Memo1"));
        QCOMPARE(Memo()->geometry(), QRect(8, 8, 441, 473));
        QCOMPARE(Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(Memo()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(Memo()->tabChangesFocus());
        QVERIFY(!Memo()->isReadOnly());
        QCOMPARE(OkButton()->geometry(), QRect(176, 488, 97, 25));
        QCOMPARE(OkButton()->text(), QStringLiteral("&OK"));
        QVERIFY(!OkButton()->isDefault());
        const QString licence = Memo()->toPlainText();
        QVERIFY(licence.startsWith(QStringLiteral("MIT License")));
        QVERIFY(licence.contains(QStringLiteral("Permission is hereby granted, free of charge, to "
                                                "any person obtaining a copy of this software")));
    }

    // The program has one task-bar entry: the about window belongs to the
    // main window, which the window manager is told.
    void belongsToTheMainWindow() {
        ChooseCopyright();
        QVERIFY(about_->windowHandle() != nullptr);
        QCOMPARE(about_->windowHandle()->transientParent(), main_->windowHandle());
    }

    void firstShowingIsCentredLaterOnesKeepThePlace() {
        ChooseCopyright();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect frame = about_->frameGeometry();
        QCOMPARE(frame.topLeft(), CentredPosition(screen, frame.size()));

        // Tab leaves the text box for the button and comes back.
        QVERIFY(QTest::qWaitForWindowActive(about_.get()));
        QCOMPARE(QApplication::focusWidget(), Memo());
        QTest::keyClick(Memo(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), OkButton());
        QTest::keyClick(OkButton(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Memo());

        // Moved, resized, text typed; then closed by OK.
        about_->move(10, 20);
        about_->resize(500, 540);
        Memo()->moveCursor(QTextCursor::End);
        QTest::keyClicks(Memo(), QStringLiteral("Hallo"));
        QTRY_COMPARE(about_->pos(), QPoint(10, 20));
        QPointer<TForm_Copyright> alive(about_.get());
        QTest::mouseClick(OkButton(), Qt::LeftButton);
        QVERIFY(!about_->isVisible());
        QVERIFY(alive);

        ChooseCopyright();
        QCOMPARE(about_->pos(), QPoint(10, 20));
        QCOMPARE(about_->size(), QSize(500, 540));
        QVERIFY(Memo()->toPlainText().endsWith(QStringLiteral("Hallo")));

        // Choosing it again while shown gives no second window.
        ChooseCopyright();
        int aboutWindows = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            aboutWindows += qobject_cast<TForm_Copyright*>(window) != nullptr ? 1 : 0;
        }
        QCOMPARE(aboutWindows, 1);

        // The close box (and Alt+F4) only hide it as well.
        QVERIFY(about_->close());
        QVERIFY(!about_->isVisible());
        QVERIFY(alive);
    }

    void firstShowingOnASmallScreen() {
        // Runs with a 640 x 480 offscreen screen (a second ctest entry).
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        if (screen.height() >= 546) {
            QSKIP("needs a screen lower than the about window");
        }
        ChooseCopyright();
        const QRect frame = about_->frameGeometry();
        QCOMPARE(frame.top(), 0);
        QCOMPARE(frame.left(), (screen.width() - frame.width()) / 2);
        QCOMPARE(CentredPosition(QRect(0, 0, 400, 300), QSize(460, 546)), QPoint(0, 0));
        QCOMPARE(CentredPosition(QRect(0, 0, 1024, 300), QSize(460, 546)), QPoint(282, 0));
    }

    void closingTheMainWindowEndsTheProgramWithTheAboutWindowOpen() {
        ChooseCopyright();
        // The real event loop, as main() runs it; it must end by itself.
        bool timedOut = false;
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [&timedOut] {
            timedOut = true;
            QApplication::quit();
        });
        guard.start(10000);
        QTimer::singleShot(0, main_.get(), [this] { main_->close(); });
        QApplication::exec();
        QVERIFY(!timedOut);
        QVERIFY(!main_->isVisible());
        QVERIFY(!about_->isVisible());
    }
};

GW_UI_TEST_MAIN(TestUnitCopyright)
#include "tst_Unit_Copyright.moc"
