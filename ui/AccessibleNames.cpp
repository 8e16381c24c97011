#include "ui/AccessibleNames.h"

#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include <span>

namespace glyphwright::ui {

namespace {

struct Naming {
    const char* objectName;
    const char* name; // nullptr: the control's own text or title
    const char* description;
};

// A menu's title without its access-key marks, as a menu entry's name is.
QString WithoutAccessKey(QString title) {
    title.replace(QLatin1String("&&"), QStringLiteral("\u0001"));
    title.remove(u'&');
    return title.replace(u'\u0001', u'&');
}

// German, translated when set. The window itself comes first.
constexpr Naming kMainWindow[] = {
    {"Form1", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames", "Wandelt Umlaute und Sonderzeichen in Textdateien in "
                                          "HTML-Entities um und zurück")},
    {"MainMenu1", QT_TRANSLATE_NOOP("AccessibleNames", "Menüleiste"),
     QT_TRANSLATE_NOOP("AccessibleNames", "Die Menüs Datei und Infos")},
    {"Datei1", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames", "Menü mit den Befehlen für Dateien und zum Beenden")},
    {"Infos1", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames", "Menü mit Lizenz, Spendenseite und Webseite")},
    {"Label2", QT_TRANSLATE_NOOP("AccessibleNames", "Schritt 1"),
     QT_TRANSLATE_NOOP("AccessibleNames", "Welche Dateien aufgenommen werden")},
    {"Label5", nullptr, QT_TRANSLATE_NOOP("AccessibleNames", "Erklärung zu Schritt 1")},
    {"Label1", nullptr, QT_TRANSLATE_NOOP("AccessibleNames", "Überschrift der Endungsliste")},
    {"Button5", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames", "Löscht alle Endungen aus der Liste in Schritt 1")},
    {"Button6", nullptr, QT_TRANSLATE_NOOP("AccessibleNames", "Löscht die gewählte Endung")},
    {"Button7", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames", "Fügt der Liste eine neue Endung hinzu")},
    {"CheckListBox2", QT_TRANSLATE_NOOP("AccessibleNames", "Endungen"),
     QT_TRANSLATE_NOOP("AccessibleNames", "Nur Dateien mit einer angehakten Endung werden "
                                          "aufgenommen; die Leertaste hakt an oder ab")},
    {"Label3", QT_TRANSLATE_NOOP("AccessibleNames", "Schritt 2"),
     QT_TRANSLATE_NOOP("AccessibleNames", "Die Dateien, die umgewandelt werden")},
    {"Label6", nullptr, QT_TRANSLATE_NOOP("AccessibleNames", "Erklärung zu Schritt 2")},
    {"Button3", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames", "Löscht alle Dateien aus der Liste in Schritt 2")},
    {"Button4", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames", "Löscht die gewählten Dateien aus der Liste")},
    {"ListBox1", QT_TRANSLATE_NOOP("AccessibleNames", "Dateiliste"),
     QT_TRANSLATE_NOOP("AccessibleNames",
                       "Die Dateien, die umgewandelt werden; Dateien und Ordner hierher ziehen")},
    {"Label4", QT_TRANSLATE_NOOP("AccessibleNames", "Schritt 3"),
     QT_TRANSLATE_NOOP("AccessibleNames", "Das Umwandeln")},
    {"Label7", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames", "Überschrift der Optionen zum Umwandeln")},
    {"CheckBox1", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames",
                       "Bewahrt von jeder Datei vor dem Umwandeln eine Kopie auf")},
    {"Button1", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames", "Wandelt Umlaute und Sonderzeichen aller Dateien der "
                                          "Liste in HTML-Entities um")},
    {"Button2", nullptr,
     QT_TRANSLATE_NOOP("AccessibleNames", "Wandelt HTML-Entities aller Dateien der Liste zurück "
                                          "in Umlaute und Sonderzeichen")},
    {"ProgressBar1", QT_TRANSLATE_NOOP("AccessibleNames", "Fortschritt"),
     QT_TRANSLATE_NOOP("AccessibleNames", "Wie weit das Umwandeln ist")},
    {"StatusBar1", QT_TRANSLATE_NOOP("AccessibleNames", "Statuszeile"),
     QT_TRANSLATE_NOOP("AccessibleNames", "Hinweise des Programms")},
    {"StatusText", nullptr, QT_TRANSLATE_NOOP("AccessibleNames", "Hinweis in der Statuszeile")},
};

constexpr Naming kAboutWindow[] = {
    {"Form_Copyright", nullptr, QT_TRANSLATE_NOOP("AccessibleNames", "Die Lizenz des Programms")},
    {"Memo1", QT_TRANSLATE_NOOP("AccessibleNames", "Lizenz"),
     QT_TRANSLATE_NOOP("AccessibleNames",
                       "Der Lizenztext des Programms; Änderungen werden nicht gespeichert")},
    {"Button1", nullptr, QT_TRANSLATE_NOOP("AccessibleNames", "Schließt das Fenster")},
};

void Apply(QWidget& control, const Naming& naming) {
    if (naming.name != nullptr) {
        control.setAccessibleName(QCoreApplication::translate("AccessibleNames", naming.name));
    } else if (const auto* menu = qobject_cast<const QMenu*>(&control)) {
        // Qt names a menu by its window title, which a menu of the bar has not.
        control.setAccessibleName(WithoutAccessKey(menu->title()));
    }
    control.setAccessibleDescription(
        QCoreApplication::translate("AccessibleNames", naming.description));
}

} // namespace

void NameForAssistiveTools(QWidget& window) {
    const std::span<const Naming> namings =
        window.objectName() == QLatin1String(kAboutWindow[0].objectName)
            ? std::span<const Naming>(kAboutWindow)
            : std::span<const Naming>(kMainWindow);
    Apply(window, namings.front());
    for (const Naming& naming : namings.subspan(1)) {
        if (auto* control = window.findChild<QWidget*>(QString::fromLatin1(naming.objectName))) {
            Apply(*control, naming);
        }
    }
}

} // namespace glyphwright::ui
