// The font metrics the window's layout relies on. A changed font environment
// (a missing package, another font configuration) fails here first.
#include "tests/ui/UiTestSupport.h"
#include "ui/Fonts.h"

#include <QFontInfo>
#include <QFontMetrics>

using namespace glyphwright::ui;

namespace {

QString Alphabet() {
    QString letters;
    for (char c = 'A'; c <= 'Z'; ++c) {
        letters += QLatin1Char(c);
    }
    for (char c = 'a'; c <= 'z'; ++c) {
        letters += QLatin1Char(c);
    }
    return letters;
}

} // namespace

class TestFonts : public QObject {
    Q_OBJECT
private slots:
    void windowFontIsTheClassicOne() {
        QCOMPARE(QFontInfo(WindowFont()).family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(QApplication::font(), WindowFont());
        const QFontMetrics metrics(WindowFont());
        QCOMPARE(metrics.height(), 13);
        QCOMPARE(WindowLineHeight(), kDesignLineHeight);
        QCOMPARE(metrics.horizontalAdvance(Alphabet()) / 52, 6);
        QCOMPARE(
            metrics.horizontalAdvance(QStringLiteral("Dateien mit folgender Endung annehmen:")),
            196);
        // Without PreferNoShaping the font's ligature makes "<H™L>" (35).
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("<HTML>")), 42);
    }

    void captionsFitTheirButtons() {
        const QFontMetrics metrics(WindowFont());
        // Buttons 89 and 105 wide; the 3D border takes 2 pixels on each side.
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("- Eintrag löschen")) <= 89 - 4);
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("+ Eintrag hinzufügen")) <= 105 - 4);
    }

    void boldTextsKeepTheirWidths() {
        const QFont bold = BoldFont();
        QCOMPARE(QFontInfo(bold).family(), QStringLiteral("Liberation Sans"));
        QVERIFY(QFontInfo(bold).bold());
        const QFontMetrics metrics(bold);
        QVERIFY(metrics.height() <= 13);
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("Umwandeln mit folgenden Optionen:")) <=
                205);
        const QString label5 = QStringLiteral(
            "Die Dateien werden in Schritt 2. per Drag und Drop in die Liste eingefügt. "
            "Hier können Sie eingrenzen welche Dateien aufgenommen werden sollen.");
        QVERIFY(metrics.boundingRect(QRect(0, 0, 397, 1000), Qt::TextWordWrap, label5).height() <=
                39);
        const QString label6 =
            QStringLiteral("Jetzt die Dateien per Drag & Drop aus dem Explorer ziehen und über "
                           "der Liste \"fallen lassen\"");
        QVERIFY(metrics.boundingRect(QRect(0, 0, 392, 1000), Qt::TextWordWrap, label6).height() <=
                26);
    }

    void stepNumbersFitBesideTheTexts() {
        const QFont font = StepNumberFont();
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(font).pixelSize(), 32);
        const QFontMetrics metrics(font);
        // From left 8 to the texts at 48, and within Panel4's 41 from top 3.
        for (const char* number : {"1.", "2.", "3."}) {
            QVERIFY(8 + metrics.horizontalAdvance(QString::fromLatin1(number)) < 48);
        }
        QVERIFY(3 + metrics.height() <= 41);
    }

    void lineHeightRuleScalesLengths() {
        QCOMPARE(ScaleByLineHeight(452, 13), 452);
        QCOMPARE(ScaleByLineHeight(452, 12), 417); // 417.2
        QCOMPARE(ScaleByLineHeight(7, 12), 6);     // 6.46
        QCOMPARE(ScaleByLineHeight(495, 15), 571); // 571.15
        QCOMPARE(ScaleByLineHeight(13, 16), 16);
        QCOMPARE(Scaled(193), 193);
    }
};

GW_UI_TEST_MAIN(TestFonts)
#include "tst_Fonts.moc"
