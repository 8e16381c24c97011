// The window's words in the language the locale variables chose: run in
// German (LANG=C and LANG=de_DE.UTF-8) and in English (LANG=en_US.UTF-8),
// each a ctest entry of its own that names the language it expects in
// GW_EXPECTED_LANGUAGE. Menus, buttons, labels, a dialog, the about window,
// what assistive tools say about the controls, and Qt's own texts.
#include "tests/ui/UiTestSupport.h"
#include "ui/DialogWindow.h"
#include "ui/DockPanel.h"
#include "ui/Unit1.h"
#include "ui/Unit_Copyright.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>

#include <memory>

using namespace glyphwright::ui;
using glyphwright::ui::test::Child;
using glyphwright::ui::test::WhenModal;

namespace {

bool English() {
    return qEnvironmentVariable("GW_EXPECTED_LANGUAGE") == QLatin1String("en");
}

// The text a menu, a menu entry, a button or a label shows.
QString TextOf(const QObject& control) {
    if (const auto* menu = qobject_cast<const QMenu*>(&control)) {
        return menu->title();
    }
    if (const auto* action = qobject_cast<const QAction*>(&control)) {
        return action->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->text();
    }
    if (const auto* widget = qobject_cast<const QWidget*>(&control)) {
        return widget->windowTitle();
    }
    return {};
}

QObject* Named(const QObject& root, const char* name) {
    QObject* found = root.findChild<QObject*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no control %s", name);
    }
    return found;
}

} // namespace

class TestWindowLanguage : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TForm1> form_;

    void AddRow(const char* name, const char* german, const char* english) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(german)
                            << QString::fromUtf8(english);
    }

private slots:
    void init() {
        form_ = std::make_unique<TForm1>();
        form_->ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() { form_.reset(); }

    void mainWindowSpeaksIt_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        AddRow("Datei1", "&Datei", "&File");
        AddRow("Beenden1", "&Beenden", "E&xit");
        AddRow("Infos1", "&Infos", "&Info");
        AddRow("Donate1", "&Spenden", "&Donate");
        AddRow("VisitWebsite1", "&Webseite besuchen", "&Visit website");
        AddRow("Label1", "Dateien mit folgender Endung annehmen:",
               "Accept files with the following extensions:");
        AddRow("Label6",
               "Jetzt die Dateien per Drag & Drop aus dem Explorer ziehen und über der Liste "
               "\"fallen lassen\"",
               "Now drag the files from the file manager and \"drop\" them onto the list");
        AddRow("Button4", "- Eintrag löschen", "- Delete entry");
        AddRow("Button7", "+ Eintrag hinzufügen", "+ Add entry");
        AddRow("CheckBox1", "BackUp Dateien erstellen (*._backup_)",
               "Create backup files (*._backup_)");
        AddRow("Button2", "<HTML> nach Umlaute", "<HTML> to umlauts");
    }

    void mainWindowSpeaksIt() {
        QFETCH(QString, name);
        QFETCH(QString, german);
        QFETCH(QString, english);
        QCOMPARE(TextOf(*Named(*form_, name.toLatin1().constData())), English() ? english : german);
    }

    void aDialogSpeaksIt() {
        QStringList seen;
        WhenModal([&seen](QWidget* modal) {
            seen << modal->windowTitle() << TextOf(*Named(*modal, kMessageTextName))
                 << TextOf(*Named(*modal, kYesButtonName)) << TextOf(*Named(*modal, kNoButtonName));
            modal->close();
        });
        Child<QAbstractButton>(*form_, "Button5")->click();
        const QStringList expected =
            English() ? QStringList{"Confirm", "Clear the whole list?", "&Yes", "&No"}
                      : QStringList{"Bestätigen", "Die gesamte Liste löschen?", "&Ja", "&Nein"};
        QCOMPARE(seen, expected);
    }

    void aboutWindowSpeaksIt() {
        TForm_Copyright about;
        QCOMPARE(about.windowTitle(), QStringLiteral("Copyright"));
        QCOMPARE(TextOf(*Named(about, "Button1")), QStringLiteral("&OK"));
    }

    // Every control, menu entries included, has a name and a description for
    // assistive tools; the docking panels only hold controls.
    void everyControlIsNamedForAssistiveTools() {
        TForm_Copyright about;
        for (QWidget* window :
             {static_cast<QWidget*>(form_.get()), static_cast<QWidget*>(&about)}) {
            QList<QWidget*> controls = window->findChildren<QWidget*>();
            controls.prepend(window);
            for (QWidget* control : controls) {
                const QString name = control->objectName();
                if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) ||
                    qobject_cast<DockPanel*>(control) != nullptr) {
                    continue;
                }
                QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
                QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), qPrintable(name));
                QVERIFY2(!accessible->text(QAccessible::Description).isEmpty(), qPrintable(name));
                if (qobject_cast<QMenu*>(control) != nullptr) {
                    for (int i = 0; i < accessible->childCount(); ++i) {
                        // A separator is read out as one, without a name.
                        QAccessibleInterface* entry = accessible->child(i);
                        QVERIFY2(entry->role() == QAccessible::Separator ||
                                     !entry->text(QAccessible::Name).isEmpty(),
                                 qPrintable(name));
                    }
                }
            }
        }
        // In the window's language.
        const auto said = [&about, this](const char* name, QAccessible::Text text) {
            QWidget* control = QString::fromLatin1(name) == QLatin1String("Memo1")
                                   ? Child(about, name)
                                   : Child(*form_, name);
            return QAccessible::queryAccessibleInterface(control)->text(text);
        };
        QCOMPARE(said("ListBox1", QAccessible::Name),
                 English() ? QStringLiteral("File list") : QStringLiteral("Dateiliste"));
        QCOMPARE(said("Label3", QAccessible::Name),
                 English() ? QStringLiteral("Step 2") : QStringLiteral("Schritt 2"));
        QCOMPARE(said("Memo1", QAccessible::Description),
                 English() ? QStringLiteral("The program's licence text; changes are not saved")
                           : QStringLiteral("Der Lizenztext des Programms; Änderungen werden "
                                            "nicht gespeichert"));
    }

    // A text field's context menu, drawn by Qt, speaks the window's language.
    void qtsOwnTextsFollow() {
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"),
                 English() ? QStringLiteral("&Undo") : QStringLiteral("&Rückgängig"));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "Select All"),
                 English() ? QStringLiteral("Select All") : QStringLiteral("Alles auswählen"));
    }
};

GW_UI_TEST_MAIN(TestWindowLanguage)
#include "tst_WindowLanguage.moc"
