// What the status line says after an intake that left files out: on a first
// run nothing is marked, and the line tells which entries to tick.
#include "files/collect/DropIntake.h"
#include "files/collect/ExtensionList.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/IntakeStatus.h"

using namespace glyphwright;
using namespace glyphwright::ui;

Q_DECLARE_METATYPE(glyphwright::IntakeOutcome)

namespace {

IntakeOutcome Outcome(std::size_t taken, Refusals named, Refusals found = {}) {
    return IntakeOutcome{.taken = taken, .named = std::move(named), .found = std::move(found)};
}

Refusals Refused(std::size_t count, std::vector<std::string> extensions,
                 std::string first = "/w/a.txt") {
    return Refusals{.count = count, .first = std::move(first), .extensions = std::move(extensions)};
}

} // namespace

class TestIntakeStatus : public QObject {
    Q_OBJECT
private slots:
    void textAfterAnIntake_data() {
        QTest::addColumn<IntakeOutcome>("outcome");
        QTest::addColumn<QString>("expected");
        const QString none = QStringLiteral("Keine Datei übernommen: ");
        QTest::newRow("all taken") << Outcome(3, {}) << QString();
        QTest::newRow("a walk left some out") << Outcome(3, {}, Refused(9, {".GIF"})) << QString();
        QTest::newRow("first run, a site's folder")
            << Outcome(0, {}, Refused(5, {".HTM", ".GIF", ".PHP", ".INC"}))
            << none + QStringLiteral("Endung nicht markiert (.HTM, .PHP … in Schritt 1 anhaken)");
        QTest::newRow("named and found")
            << Outcome(0, Refused(1, {".PHP"}), Refused(1, {".HTM"}))
            << none + QStringLiteral("Endung nicht markiert (.PHP, .HTM in Schritt 1 anhaken)");
        QTest::newRow("not in the list")
            << Outcome(0, Refused(2, {".TXT", ".CSS"}))
            << none + QStringLiteral("Endung fehlt (.TXT, .CSS in Schritt 1 eintragen)");
        QTest::newRow("no extension")
            << Outcome(0, {}, Refused(1, {}, "/w/README"))
            << none + QStringLiteral("Namen ohne Endung werden nie angenommen");
        QTest::newRow("one named file refused")
            << Outcome(4, Refused(1, {".TXT"}, "/w/l\nies.txt"))
            << QStringLiteral(
                   "„l␊ies.txt“ nicht übernommen: Endung fehlt (.TXT in Schritt 1 eintragen)");
        QTest::newRow("several named files refused")
            << Outcome(1, Refused(3, {".PHP"}, "/w/a.php"))
            << QStringLiteral("„a.php“ und 2 weitere nicht übernommen: Endung nicht markiert "
                              "(.PHP in Schritt 1 anhaken)");
    }

    void textAfterAnIntake() {
        QFETCH(IntakeOutcome, outcome);
        QFETCH(QString, expected);
        QCOMPARE(IntakeStatusText(outcome, ExtensionList::WithDefaults()), expected);
    }
};

GW_UI_TEST_MAIN(TestIntakeStatus)
#include "tst_IntakeStatus.moc"
