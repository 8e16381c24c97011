// The failure report of the window's closing box, made from the core's data.
#include "ui/FailureText.h"

#include <QTest>

#include <string>
#include <vector>

using namespace glyphwright;
using namespace glyphwright::ui;

namespace {

// A failure whose line is text as it is: an error the core does not know, of no file.
FileFailure Worded(const std::string& text) {
    return {FailureKind::Other, {}, 0, text};
}

} // namespace

class TestFailureText : public QObject {
    Q_OBJECT
private slots:
    void failureReportListsTwentyAndSumsUpTheRest() {
        QCOMPARE(FailureReport({}), QString());
        QCOMPARE(FailureReport({Worded("eins"), Worded("zwei")}),
                 QStringLiteral("Nicht umgewandelt:\neins\nzwei"));

        std::vector<FileFailure> exactlyTwenty;
        for (int i = 0; i < 20; ++i) {
            exactlyTwenty.push_back(Worded("f" + std::to_string(i)));
        }
        std::vector<FileFailure> many = exactlyTwenty;
        for (int i = 20; i < 25; ++i) {
            many.push_back(Worded("f" + std::to_string(i)));
        }
        const QString twenty = FailureReport(exactlyTwenty);
        QVERIFY(!twenty.contains(QStringLiteral("weitere")));
        QCOMPARE(FailureReport(many), twenty + QStringLiteral("\n… und 5 weitere"));
    }
};

QTEST_APPLESS_MAIN(TestFailureText)
#include "tst_FailureText.moc"
