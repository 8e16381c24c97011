// The program glyphwright told to end by a signal, as a session or a service
// manager does it: SIGTERM, SIGINT and SIGHUP close the window, which saves
// the extension list; SIGXFSZ (a file-size limit) does not end it.
#include "tests/ui/UiTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/types.h>

namespace {

// Whether the process has a handler for signal (the "SigCgt" mask).
bool Catches(qint64 pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            const qulonglong mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
            return (mask >> (signal - 1) & 1U) != 0;
        }
    }
    return false;
}

} // namespace

class TestSignals : public QObject {
    Q_OBJECT
private slots:
    void endingSignalsCloseTheWindowAndSaveTheList_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void endingSignalsCloseTheWindowAndSaveTheList() {
        QFETCH(int, signal);
        // A copy of the program keeps its settings beside itself, in here.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString program = dir.filePath(QStringLiteral("glyphwright"));
        QVERIFY(QFile::copy(QStringLiteral(GW_WINDOW_PATH), program));
        const QString settings = dir.filePath(QStringLiteral("glyphwright.ini"));

        QProcess window;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        window.setProcessEnvironment(environment);
        window.start(program, {});
        QVERIFY(window.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(Catches(window.processId(), signal), 10000);

        QCOMPARE(::kill(static_cast<pid_t>(window.processId()), SIGXFSZ), 0);
        QVERIFY(!QFile::exists(settings));
        QCOMPARE(::kill(static_cast<pid_t>(window.processId()), signal), 0);
        QVERIFY(window.waitForFinished(20000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QCOMPARE(window.exitCode(), 0);
        QFile saved(settings);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("[Ext]"));
    }
};

GW_UI_TEST_MAIN(TestSignals)
#include "tst_Signals.moc"
