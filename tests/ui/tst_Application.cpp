// Failures that escape a handler: reported in the error box through the
// application's notify, and the program goes on.
#include "tests/ui/UiTestSupport.h"
#include "ui/ErrorReport.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include <stdexcept>

using namespace glyphwright::ui;
using glyphwright::ui::test::WhenModal;

namespace {

struct ShownBox {
    QString title;
    QString text;
};

// Answers the next error box and remembers what it showed.
void AnswerNextBox(ShownBox& shown) {
    WhenModal([&shown](QWidget* modal) {
        shown.title = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shown.text = box->text();
        } else {
            for (QLabel* label : modal->findChildren<QLabel*>()) {
                shown.text += label->text();
            }
        }
        modal->close();
    });
}

} // namespace

class TestApplication : public QObject {
    Q_OBJECT
private slots:
    void failureFromASlotIsReportedAndTheWindowGoesOn() {
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("x"), &window);
        int presses = 0;
        connect(button, &QPushButton::clicked, [&presses] {
            ++presses;
            throw std::runtime_error("Datei /tmp/a.htm kann nicht geöffnet werden");
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        ShownBox shown;
        AnswerNextBox(shown);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(presses, 1);
        QCOMPARE(shown.title, QStringLiteral("Glyphwright"));
        QCOMPARE(shown.text, QStringLiteral("Datei /tmp/a.htm kann nicht geöffnet werden."));
        QVERIFY(!button->isDown());

        // Still usable: the next press runs and is reported again.
        ShownBox again;
        AnswerNextBox(again);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(presses, 2);
        QCOMPARE(again.text, shown.text);
    }

    void failureOutsideAnyEventIsReportedToo() {
        // As FormCreate runs: inside the window's constructor, before the loop.
        ShownBox shown;
        AnswerNextBox(shown);
        bool after = false;
        RunReportingErrors([] { throw std::runtime_error("Zeile kann nicht eingefügt werden"); });
        after = true;
        QVERIFY(after);
        QCOMPARE(shown.text, QStringLiteral("Zeile kann nicht eingefügt werden."));
    }

    // The desktop's colours when its theme gives any (here a dark one set
    // before the set-up, as a desktop theme hands it over); without them the
    // classic grey, as on a bare X server or offscreen.
    void coloursComeFromTheDesktop() {
        const QPalette offered = QApplication::palette();
        SetUpApplication(*qApp);
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(0xd4, 0xd0, 0xc8));

        QPalette dark(QColor(0x31, 0x36, 0x3b), QColor(0x2a, 0x2e, 0x32));
        dark.setColor(QPalette::WindowText, QColor(0xfc, 0xfc, 0xfc));
        QApplication::setPalette(dark);
        SetUpApplication(*qApp);
        QWidget window;
        QCOMPARE(window.palette().color(QPalette::Window), dark.color(QPalette::Window));
        QCOMPARE(window.palette().color(QPalette::WindowText), QColor(0xfc, 0xfc, 0xfc));
        QCOMPARE(QApplication::style()->name(), QStringLiteral("windows"));
        QApplication::setPalette(offered);
    }

    void messagesOfOtherFailures() {
        QCOMPARE(
            ExceptionMessage(std::make_exception_ptr(std::runtime_error("Stream-Write-Fehler"))),
            QStringLiteral("Stream-Write-Fehler"));
        QCOMPARE(ExceptionMessage(std::make_exception_ptr(42)),
                 QStringLiteral("Unbekannter Fehler"));
    }
};

GW_UI_TEST_MAIN(TestApplication)
#include "tst_Application.moc"
