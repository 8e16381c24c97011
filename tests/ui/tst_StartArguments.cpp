// glyphwright [FILE|FOLDER]...: the paths named are taken in as a drop takes
// them; --help and --version print and end the program, an unknown option
// fails it.
#include "files/collect/DropIntake.h"
#include "tests/ui/CollectTestSupport.h"
#include "ui/StartArguments.h"
#include "ui/Unit1.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace glyphwright;
using namespace glyphwright::ui;
using namespace glyphwright::ui::test;

using Strings = std::vector<std::string>;
Q_DECLARE_METATYPE(Strings)
Q_DECLARE_METATYPE(glyphwright::ui::StartRequest::Kind)

class TestStartArguments : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<Strings>("arguments");
        QTest::addColumn<StartRequest::Kind>("kind");
        QTest::addColumn<Strings>("paths");
        using Kind = StartRequest::Kind;
        QTest::newRow("nothing") << Strings{} << Kind::Window << Strings{};
        QTest::newRow("relative and absolute, bytes as given")
            << Strings{"site",
                       "B\xfc"
                       "cher.htm",
                       "/w/a.htm", "./b.htm", "-"}
            << Kind::Window
            << Strings{"/home/u/site",
                       "/home/u/B\xfc"
                       "cher.htm",
                       "/w/a.htm", "/home/u/./b.htm", "/home/u/-"};
        QTest::newRow("after --") << Strings{"--", "--help", "-x.htm"} << Kind::Window
                                  << Strings{"/home/u/--help", "/home/u/-x.htm"};
        QTest::newRow("help wins")
            << Strings{"a.htm", "--version", "--bogus", "-h"} << Kind::Help << Strings{};
        QTest::newRow("version") << Strings{"--bogus", "--version"} << Kind::Version << Strings{};
        QTest::newRow("unknown") << Strings{"a.htm", "--bogus"} << Kind::UnknownOption << Strings{};
    }

    void parse() {
        QFETCH(Strings, arguments);
        QFETCH(StartRequest::Kind, kind);
        QFETCH(Strings, paths);
        const StartRequest request = ParseStartArguments(arguments, "/home/u");
        QCOMPARE(request.kind, kind);
        QCOMPARE(request.paths, paths);
    }

    // A file and a site's folder, named relative to the current folder, list
    // what dropping them lists.
    void filesAndFoldersAreTakenInAsADrop() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("site/en")));
        for (const char* name : {"a.htm", "c.txt", "site/index.htm", "site/en/about.htm"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const std::string folder = QFile::encodeName(dir.path()).toStdString();
        TForm1 form;
        form.Extensions().SetMark(*form.Extensions().Find(".HTM"), true);
        FileList dropped;
        TakeDroppedPaths({folder + "/a.htm", folder + "/site", folder + "/c.txt"},
                         form.Extensions(), dropped);
        QCOMPARE(dropped.Count(), 3U);

        form.TakeIn(ParseStartArguments({"a.htm", "site", "c.txt"}, folder).paths);
        QCOMPARE(Paths(form.Files()), Paths(dropped));
    }

    void helpVersionAndUnknownOptions_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help") << "--help"
                              << "C" << 0 << "Aufruf: glyphwright [DATEI|ORDNER]...\n"
                              << "";
        QTest::newRow("help in English")
            << "--help"
            << "en_GB.UTF-8" << 0 << "Usage: glyphwright [FILE|FOLDER]...\n"
            << "";
        QTest::newRow("version") << "--version"
                                 << "C" << 0 << "glyphwright " GLYPHWRIGHT_VERSION "\n"
                                 << "";
        QTest::newRow("unknown") << "--bogus"
                                 << "C" << 2 << ""
                                 << "glyphwright: unbekannte Option „--bogus“\n";
        QTest::newRow("unknown in English") << "-x"
                                            << "en_GB.UTF-8" << 2 << ""
                                            << "glyphwright: unknown option “-x”\n";
    }

    // The first line of each stream; help and version need no display.
    void helpVersionAndUnknownOptions() {
        QFETCH(QString, argument);
        QFETCH(QString, lang);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("LANG"), lang);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(GW_WINDOW_PATH), {argument});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        const auto firstLine = [](const QByteArray& bytes) {
            return QString::fromUtf8(bytes.left(bytes.indexOf('\n') + 1));
        };
        QCOMPARE(firstLine(program.readAllStandardOutput()), out);
        QCOMPARE(firstLine(program.readAllStandardError()), err);
    }
};

GW_UI_TEST_MAIN(TestStartArguments)
#include "tst_StartArguments.moc"
