// The whole job by keyboard alone, under a window manager (run by
// with-openbox): tick an extension, Ctrl+O, type the files into the file
// dialog, Tab to the encode button, Enter, Enter on "Fertig".
#include "tests/ui/UiTestSupport.h"
#include "ui/DialogWindow.h"
#include "ui/Unit1.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace glyphwright::ui;
using glyphwright::ui::test::Child;
using glyphwright::ui::test::WhenModal;

namespace {

void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

// The dialogs may take a while to come up on a busy machine.
constexpr int kModalTries = 3000;
constexpr int kActiveTimeout = 20000;

// Waits until window is active and holds the keyboard focus.
bool HasFocus(QWidget* window) {
    return QTest::qWaitForWindowActive(window, kActiveTimeout) &&
           QTest::qWaitFor(
               [window] {
                   QWidget* focus = QApplication::focusWidget();
                   return focus != nullptr && window->isAncestorOf(focus);
               },
               kActiveTimeout);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class TestKeyboardJob : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs an X server with a window manager (tests/ui/with-openbox)");
        }
        // Qt's own dialog, which takes the typed names, also where the
        // desktop would offer its own.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }

    void wholeJobByKeyboard() {
        QTemporaryDir dir;
        for (const auto& [name, text] :
             {std::pair{"a.htm", "Gr\xc3\xbc\xc3\x9f"
                                 "e"},
              std::pair{"b.htm", "\xc3\x84"}, std::pair{"c.txt", "\xc3\xa4"}}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        TForm1 form;
        form.ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        // Step 1: the first entry, ".HTM", selected and ticked with Space.
        Press(Qt::Key_Down);
        Press(Qt::Key_Up);
        Press(Qt::Key_Space);
        QVERIFY(form.Extensions().Mark(0));

        // Step 2: the files named in the dialog.
        bool typed = false;
        WhenModal(
            [&](QWidget* dialog) {
                auto* name = Child<QLineEdit>(*dialog, "fileNameEdit");
                typed = HasFocus(dialog) && QApplication::focusWidget() == name;
                QTest::keyClicks(
                    name, QStringLiteral("\"%1/a.htm\" \"%1/c.txt\" \"%1/b.htm\"").arg(dir.path()));
                QTest::keyClick(name, Qt::Key_Return);
            },
            kModalTries);
        Press(Qt::Key_O, Qt::ControlModifier);
        QVERIFY(typed);
        QTRY_COMPARE(form.Files().Count(), std::size_t{2});
        QVERIFY(Child<QLabel>(form, "StatusText")->text().contains(QStringLiteral("„c.txt“")));

        // Step 3: Tab to the encode button, Enter, and Enter on "Fertig".
        QVERIFY(QTest::qWaitForWindowActive(&form, kActiveTimeout));
        auto* encode = Child<QPushButton>(form, "Button1");
        for (int tabs = 0; tabs < 12 && QApplication::focusWidget() != encode; ++tabs) {
            Press(Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), encode);
        QString shown;
        WhenModal(
            [&](QWidget* box) {
                (void)HasFocus(box);
                shown = Child<QLabel>(*box, kMessageTextName)->text();
                Press(Qt::Key_Return);
            },
            kModalTries);
        Press(Qt::Key_Return);
        QCOMPARE(shown, QStringLiteral("Fertig"));

        QCOMPARE(Contents(dir.filePath(QStringLiteral("a.htm"))),
                 QByteArray("Gr&uuml;&szlig;e\r\n"));
        QCOMPARE(Contents(dir.filePath(QStringLiteral("b.htm"))), QByteArray("&Auml;\r\n"));
        QCOMPARE(Contents(dir.filePath(QStringLiteral("c.txt"))), QByteArray("\xc3\xa4"));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("a.htm._backup_"))));
    }
};

GW_UI_TEST_MAIN(TestKeyboardJob)
#include "tst_KeyboardJob.moc"
