// The windows under a real window manager (run by with-openbox): each is
// centred with the frame the manager puts around it once it is mapped.
#include "tests/ui/UiTestSupport.h"
#include "ui/DialogGeometry.h"
#include "ui/Dialogs.h"
#include "ui/Unit1.h"
#include "ui/Unit_Copyright.h"
#include "ui/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <memory>

using namespace glyphwright::ui;
using glyphwright::ui::test::WhenModal;

namespace {

QRect Screen() {
    return QGuiApplication::primaryScreen()->geometry();
}

// Whether the window manager has framed window; offscreen has no manager.
bool Framed(const QWidget& window) {
    return window.windowHandle() != nullptr && !window.windowHandle()->frameMargins().isNull();
}

} // namespace

class TestWindowManager : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs an X server with a window manager (tests/ui/with-openbox)");
        }
        // A window shown while the manager still starts up may be framed in
        // odd steps: the tests begin once it frames a window of its own.
        QWidget first;
        first.show();
        QTRY_VERIFY_WITH_TIMEOUT(Framed(first), 10000);
    }

    void mainAndAboutWindowAreCentredWithTheirFrames() {
        TForm1 form;
        form.ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(Framed(form));
        QTRY_COMPARE(form.frameGeometry().topLeft(),
                     CentredPosition(Screen(), form.frameGeometry().size()));

        TForm_Copyright about;
        about.ShowInFront(&form);
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTRY_VERIFY(Framed(about));
        QTRY_COMPARE(about.frameGeometry().topLeft(),
                     CentredPosition(Screen(), about.frameGeometry().size()));
    }

    void dialogsAreCentredWithTheirFrames() {
        TForm1 form;
        form.ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QRect frame;
        QPoint expected;
        const auto look = [&](bool message) {
            WhenModal([&, message](QWidget* modal) {
                const auto rule = [&] {
                    const QSize size = modal->frameGeometry().size();
                    return message ? MessageBoxFramePosition(Screen(), size)
                                   : InputDialogFramePosition(Screen(), size);
                };
                // The manager's answer to a move takes a moment.
                (void)QTest::qWaitFor(
                    [&] { return Framed(*modal) && modal->frameGeometry().topLeft() == rule(); },
                    5000);
                frame = modal->frameGeometry();
                expected = rule();
                modal->close();
            });
        };
        look(true);
        ShowInformationBox(QStringLiteral("Fertig"));
        QVERIFY(!frame.isNull());
        QCOMPARE(frame.topLeft(), expected);

        frame = QRect();
        look(false);
        QString text;
        ShowInputDialog(QStringLiteral("Neue Endung"),
                        QStringLiteral("Bitte die Endung eingeben (z.B. \".PHP\"):"), text);
        QVERIFY(!frame.isNull());
        QCOMPARE(frame.topLeft(), expected);
    }
};

GW_UI_TEST_MAIN(TestWindowManager)
#include "tst_WindowManager.moc"
