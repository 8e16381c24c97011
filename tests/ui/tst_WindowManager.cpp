// The windows under a real window manager (run by with-openbox): each is
// centred with the frame the manager puts around it once it is mapped, and
// the about window belongs to the main window.
#include "tests/ui/UiTestSupport.h"
#include "ui/DialogGeometry.h"
#include "ui/Dialogs.h"
#include "ui/Unit1.h"
#include "ui/Unit_Copyright.h"
#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

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

xcb_connection_t* XConnection() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t Atom(const char* name) {
    xcb_connection_t* connection = XConnection();
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window's property, as xprop shows them.
std::vector<std::uint32_t> Property(const QWidget& window, xcb_atom_t property) {
    xcb_connection_t* connection = XConnection();
    const auto cookie = xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()),
                                         property, XCB_GET_PROPERTY_TYPE_ANY, 0, 64);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (reply == nullptr || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

bool Allows(const QWidget& window, const char* action) {
    const std::vector<std::uint32_t> allowed = Property(window, Atom("_NET_WM_ALLOWED_ACTIONS"));
    return std::find(allowed.begin(), allowed.end(), Atom(action)) != allowed.end();
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

    // The desktop keeps the about window above the main window and shows no
    // task-bar entry of its own for it; its frame stays that of a sizeable
    // window with every box.
    void aboutWindowBelongsToTheMainWindowWithItsFrame() {
        TForm1 form;
        form.ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TForm_Copyright about;
        about.ShowInFront(&form);
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTRY_VERIFY(Framed(about));
        const std::vector<std::uint32_t> owner = {static_cast<std::uint32_t>(form.winId())};
        QCOMPARE(Property(about, XCB_ATOM_WM_TRANSIENT_FOR), owner);
        for (const char* action : {"_NET_WM_ACTION_MOVE", "_NET_WM_ACTION_RESIZE",
                                   "_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                                   "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_CLOSE"}) {
            QVERIFY2(Allows(about, action), action);
        }
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
