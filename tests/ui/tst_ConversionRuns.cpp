// The two conversion runs in the window: what lands on disk, the locked window
// and the progress bar of the encode run, the closing box and the files it
// names when some could not be converted.
#include "files/collect/DropIntake.h"
#include "tests/ui/CollectTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/DialogWindow.h"
#include "ui/Unit1.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace glyphwright::ui;
using glyphwright::ui::test::Child;

namespace {

// What the window showed while a box was open.
struct BoxSeen {
    QString text;
    bool windowEnabled;
    bool barVisible;
    int barValue;
    int barMaximum;
    QImage bar;
};

// Answers every modal box that opens while it lives, noting the window's
// state at that moment. Its timer dies with it, so that no late poll
// answers a box of another test.
class BoxAnswerer {
public:
    explicit BoxAnswerer(TForm1& form) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this, &form] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) {
                return;
            }
            auto* label = modal->findChild<QLabel*>(QString::fromLatin1(kMessageTextName));
            auto* bar = Child<QProgressBar>(form, "ProgressBar1");
            seen.push_back({label != nullptr ? label->text() : QString(), form.isEnabled(),
                            bar->isVisible(), bar->value(), bar->maximum(), bar->grab().toImage()});
            QTest::keyClick(modal, Qt::Key_Return);
        });
        timer_.start();
    }

    std::vector<BoxSeen> seen;

private:
    QTimer timer_;
};

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArrayLiteral("<missing>");
    }
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// By bytes, for names that are not UTF-8 and so have no QString.
QByteArray ReadNative(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return QByteArray::fromStdString(
        std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
}

void WriteNative(const std::string& path, const QByteArray& bytes) {
    std::ofstream(path, std::ios::binary) << bytes.toStdString();
}

// A file manager's URL of path: every byte but "/" and the unreserved ones
// percent-encoded.
QUrl DroppedUrl(const char* prefix, const std::string& path) {
    return QUrl::fromEncoded(QByteArray(prefix) +
                             QByteArray::fromStdString(path).toPercentEncoding("/"));
}

QString Backup(const QString& path) {
    return path + QStringLiteral("._backup_");
}

// Windows-1252 texts with LF or CR LF line ends, and their converted forms.
const QByteArray kGreeting("Gr\xFC\xDF"
                           "e\naus K\xF6ln");
const QByteArray kGreetingLines("Gr\xFC\xDF"
                                "e\r\naus K\xF6ln\r\n");
const QByteArray kGreetingEncoded("Gr&uuml;&szlig;e\r\naus K&ouml;ln\r\n");
const QByteArray kNote("<p>\xA9 2024 &amp; \xBD</p>\r\n");
const QByteArray kNoteEncoded("<p>&copy; 2024 &amp; &frac12;</p>\r\n");
const QByteArray kNoteDecoded("<p>\xA9 2024 & \xBD</p>\r\n");

} // namespace

class TestConversionRuns : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<QTemporaryDir> dir_;

    QString At(const QString& name) const { return dir_->filePath(name); }

    QProgressBar* Bar() const { return Child<QProgressBar>(*form_, "ProgressBar1"); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(*form_, name); }
    QCheckBox* BackupOption() const { return Child<QCheckBox>(*form_, "CheckBox1"); }
    QListView* FileList() const { return Child<QListView>(*form_, "ListBox1"); }

    void List(const QString& path) { form_->Files().Append(Native(path)); }

    // Presses the button as the user would; returns once the run and its box are over.
    std::vector<BoxSeen> Press(QPushButton* button) {
        BoxAnswerer answerer(*form_);
        QTest::mouseClick(button, Qt::LeftButton);
        return answerer.seen;
    }

    // 200 files in 10 folders holding text, listed in order.
    QStringList ListTree(const QByteArray& text) {
        QStringList paths;
        for (int folder = 0; folder < 10; ++folder) {
            const QString name = QStringLiteral("tree/%1").arg(folder);
            QDir(dir_->path()).mkpath(name);
            for (int file = 0; file < 20; ++file) {
                paths << At(name + QStringLiteral("/%1.htm").arg(file));
                WriteBytes(paths.back(), text);
                List(paths.back());
            }
        }
        return paths;
    }

    void CheckUnlocked() {
        QVERIFY(form_->isEnabled());
        QVERIFY(!Bar()->isVisible());
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        form_ = std::make_unique<TForm1>();
        form_->ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() {
        form_.reset();
        // QTemporaryDir leaves names that are not UTF-8 behind.
        std::filesystem::remove_all(Native(dir_->path()));
        dir_.reset();
    }

    // Marks ".HTM", takes a dropped folder in, encodes and decodes it.
    void encodeThenDecodeADroppedFolder() {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("sub")));
        WriteBytes(At("a.htm"), kGreeting);
        WriteBytes(At("sub/b.HTM"), kNote);
        WriteBytes(At("c.txt"), kGreeting);
        WriteBytes(At("d.html"), kGreeting);
        auto& extensions = form_->Extensions();
        extensions.SetMark(extensions.Find(".HTM").value(), true);
        glyphwright::TakeDroppedPaths({Native(dir_->path())}, extensions, form_->Files());
        QCOMPARE(form_->Files().Count(), std::size_t{2});

        QVERIFY(Bar()->isVisible());
        const int listHeight = FileList()->height();
        std::vector<BoxSeen> boxes = Press(Button("Button1"));
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].text, QStringLiteral("Fertig"));
        QVERIFY(!boxes[0].windowEnabled);
        QVERIFY(boxes[0].barVisible);
        QCOMPARE(boxes[0].barValue, 2);
        QCOMPARE(boxes[0].barMaximum, 2);
        // A full bar shows its fill across the 5-pixel strip.
        const QImage& bar = boxes[0].bar;
        QCOMPARE(bar.height(), 5);
        const QColor fill = bar.pixelColor(bar.width() * 3 / 4, 2);
        QVERIFY(fill != Bar()->palette().color(QPalette::Base));
        QVERIFY(fill != Bar()->palette().color(QPalette::Window));

        QCOMPARE(ReadBytes(At("a.htm")), kGreetingEncoded);
        QCOMPARE(ReadBytes(Backup(At("a.htm"))), kGreetingLines);
        QCOMPARE(ReadBytes(At("sub/b.HTM")), kNoteEncoded);
        QCOMPARE(ReadBytes(Backup(At("sub/b.HTM"))), kNote);
        QCOMPARE(ReadBytes(At("c.txt")), kGreeting);
        QCOMPARE(ReadBytes(At("d.html")), kGreeting);
        QVERIFY(!QFile::exists(Backup(At("c.txt"))));
        CheckUnlocked();
        QCOMPARE(FileList()->height(), listHeight + 5);
        QCOMPARE(form_->Files().Count(), std::size_t{2});

        boxes = Press(Button("Button2"));
        QVERIFY(boxes.empty());
        QCOMPARE(ReadBytes(At("a.htm")), kGreetingLines);
        QCOMPARE(ReadBytes(Backup(At("a.htm"))), kGreetingEncoded);
        QCOMPARE(ReadBytes(At("sub/b.HTM")), kNoteDecoded);
        QCOMPARE(ReadBytes(Backup(At("sub/b.HTM"))), kNoteEncoded);
        CheckUnlocked();
        QCOMPARE(Bar()->value(), 2);
        QCOMPARE(form_->Files().Count(), std::size_t{2});
    }

    // A dropped site of UTF-8 and Windows-1252 pages: each page is read in its
    // own character set, both ways, and a marked page that is not UTF-8 is
    // named in the closing box and left alone.
    void eachPageInItsOwnCharset() {
        const QByteArray utf8("<p>Gr\xC3\xBC\xC3\x9F"
                              "e \xE2\x82\xAC</p>\n");
        const QByteArray marked("\xEF\xBB\xBF\xFC\n");
        WriteBytes(At("utf8.htm"), utf8);
        WriteBytes(At("cp1252.htm"), kGreeting);
        WriteBytes(At("marked.htm"), marked);
        auto& extensions = form_->Extensions();
        extensions.SetMark(extensions.Find(".HTM").value(), true);
        const auto drag = glyphwright::ui::test::FileDrag({dir_->path()});
        glyphwright::ui::test::DropOn(FileList(), *drag);
        QTRY_COMPARE(form_->Files().Count(), std::size_t{3});

        std::vector<BoxSeen> boxes = Press(Button("Button1"));
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].text, QStringLiteral("Fertig\n\nNicht umgewandelt:\nDatei ") +
                                    At("marked.htm") +
                                    QStringLiteral(" ist kein gültiges UTF-8 (Zeile 1)"));
        QCOMPARE(ReadBytes(At("utf8.htm")), QByteArray("<p>Gr&uuml;&szlig;e \xE2\x82\xAC</p>\r\n"));
        QCOMPARE(ReadBytes(At("cp1252.htm")), kGreetingEncoded);
        QCOMPARE(ReadBytes(At("marked.htm")), marked);
        QVERIFY(!QFile::exists(Backup(At("marked.htm"))));

        Press(Button("Button2"));
        QCOMPARE(ReadBytes(At("utf8.htm")), QByteArray("<p>Gr\xC3\xBC\xC3\x9F"
                                                       "e \xE2\x82\xAC</p>\r\n"));
        QCOMPARE(ReadBytes(At("cp1252.htm")), kGreetingLines);
    }

    // Names from a Windows site are Windows-1252 bytes, dropped percent-encoded:
    // listed, walked and converted under those very bytes.
    void droppedNamesThatAreNotUtf8() {
        const std::string root = Native(dir_->path());
        const std::string file = root + "/B\xFC"
                                        "cher.htm";
        const std::string folder = root + "/Ordner\xE4";
        QVERIFY(::mkdir(folder.c_str(), 0755) == 0);
        WriteNative(file, kGreeting);
        WriteNative(folder + "/x.htm", kGreeting);
        auto& extensions = form_->Extensions();
        extensions.SetMark(extensions.Find(".HTM").value(), true);
        QMimeData drag;
        drag.setUrls({DroppedUrl("file://", file), DroppedUrl("file://localhost", folder)});
        glyphwright::ui::test::DropOn(FileList()->viewport(), drag);
        QTRY_COMPARE(glyphwright::ui::test::Paths(form_->Files()),
                     (std::vector<std::string>{file, folder + "/x.htm"}));

        const std::vector<BoxSeen> boxes = Press(Button("Button1"));
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].text, QStringLiteral("Fertig"));
        QCOMPARE(ReadNative(file), kGreetingEncoded);
        QCOMPARE(ReadNative(file + "._backup_"), kGreetingLines);
        QCOMPARE(ReadNative(folder + "/x.htm"), kGreetingEncoded);
    }

    // The report names each file as the file list shows it: on one line.
    void theReportShowsOddNamesOnOneLine() {
        List(At(QStringLiteral("a\nb.htm")));
        form_->Files().Append(Native(dir_->path()) + "/c\x1B\xFC.htm");
        const std::vector<BoxSeen> boxes = Press(Button("Button2"));
        QCOMPARE(boxes.size(), std::size_t{1});
        const QString missing = QStringLiteral(" kann nicht geöffnet werden: Nicht vorhanden");
        QCOMPARE(boxes[0].text, QStringLiteral("Nicht umgewandelt:\nDatei ") +
                                    At(QStringLiteral("a\u240Ab.htm")) + missing +
                                    QStringLiteral("\nDatei ") +
                                    At(QStringLiteral("c\u241B\uFFFD.htm")) + missing);
    }

    // The decode run leaves the bar as the window opened with it.
    void decodeRunKeepsWindowAndBar() {
        WriteBytes(At("a.htm"), kNoteEncoded);
        List(At("a.htm"));
        QVERIFY(Press(Button("Button2")).empty());
        QCOMPARE(ReadBytes(At("a.htm")), kNoteDecoded);
        QVERIFY(form_->isEnabled());
        QVERIFY(Bar()->isVisible());
        QCOMPARE(Bar()->value(), 0);
        QCOMPARE(Bar()->maximum(), 100);
    }

    void noBackupWhenTheOptionIsOff() {
        WriteBytes(At("a.htm"), kGreeting);
        List(At("a.htm"));
        BackupOption()->setChecked(false);
        QCOMPARE(Press(Button("Button1")).size(), std::size_t{1});
        QCOMPARE(Press(Button("Button2")).size(), std::size_t{0});
        QCOMPARE(ReadBytes(At("a.htm")), kGreetingLines);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("a.htm")});
        QVERIFY(!BackupOption()->isChecked());
    }

    // Each file is converted once in a run; its backup holds it as it was.
    void samePathListedTwiceIsConvertedOnce() {
        WriteBytes(At("a.htm"), kGreeting);
        List(At("a.htm"));
        List(At("a.htm"));
        const std::vector<BoxSeen> boxes = Press(Button("Button1"));
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].text, QStringLiteral("Fertig"));
        QCOMPARE(boxes[0].barValue, 2);
        QCOMPARE(ReadBytes(At("a.htm")), kGreetingEncoded);
        QCOMPARE(ReadBytes(Backup(At("a.htm"))), kGreetingLines);

        WriteBytes(At("b.htm"), QByteArrayLiteral("&amp;auml;"));
        form_->Files().Clear();
        List(At("b.htm"));
        List(At("b.htm"));
        QVERIFY(Press(Button("Button2")).empty());
        QCOMPARE(ReadBytes(At("b.htm")), QByteArrayLiteral("&auml;\r\n"));
        QCOMPARE(ReadBytes(Backup(At("b.htm"))), QByteArrayLiteral("&amp;auml;\r\n"));
    }

    void emptyListEncodeSaysFertig() {
        const std::vector<BoxSeen> boxes = Press(Button("Button1"));
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].text, QStringLiteral("Fertig"));
        QVERIFY(!boxes[0].windowEnabled);
        QVERIFY(boxes[0].barVisible);
        QCOMPARE(boxes[0].barValue, 0);
        QCOMPARE(boxes[0].barMaximum, 0);
        // An empty bar, where Qt draws the range 0..0 as a moving "busy" stripe.
        const QColor fill = Bar()->palette().color(QPalette::Highlight);
        const QImage bar = boxes[0].bar.convertToFormat(QImage::Format_RGB32);
        for (int x = 0; x < bar.width(); ++x) {
            QVERIFY2(bar.pixelColor(x, bar.height() / 2) != fill, qPrintable(QString::number(x)));
        }
        CheckUnlocked();
    }

    // The locked window loses its focus; afterwards the control that had it
    // gets it back.
    void focusReturnsAfterTheEncodeRun() {
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        Button("Button1")->setFocus();
        BoxAnswerer answerer(*form_);
        QTest::keyClick(Button("Button1"), Qt::Key_Space);
        QCOMPARE(answerer.seen.size(), std::size_t{1});
        QTRY_COMPARE(QApplication::focusWidget(), Button("Button1"));
    }

    // A run over a large tree repaints the window (and so answers the window
    // manager), but takes no click, key or drop until it is done; the list
    // stays, and every file is converted as always.
    void aLongRunPaintsButTakesNoInput_data() {
        QTest::addColumn<bool>("encode");
        QTest::newRow("encode") << true;
        QTest::newRow("decode") << false;
    }

    void aLongRunPaintsButTakesNoInput() {
        QFETCH(bool, encode);
        const QByteArray before = encode ? kGreeting : kGreetingEncoded;
        const QByteArray after = encode ? kGreetingEncoded : kGreetingLines;
        const QStringList paths = ListTree(before);
        auto* extensions = Child<QListView>(*form_, "CheckListBox2");
        extensions->setCurrentIndex(extensions->model()->index(0, 0));

        const auto underWay = [&] {
            return ReadBytes(paths.first()) == after && ReadBytes(paths.last()) == before;
        };
        auto drag = std::make_unique<QMimeData>();
        drag->setUrls({QUrl::fromLocalFile(paths.first())});
        const auto poke = [&] {
            QTest::mouseClick(Button("Button3"), Qt::LeftButton);
            QTest::keyClick(extensions, Qt::Key_Space);
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, drag.get(), Qt::LeftButton, {});
            QApplication::sendEvent(FileList()->viewport(), &enter);
            QVERIFY(!enter.isAccepted());
        };
        glyphwright::ui::test::DuringWork during(*Child<QLabel>(*form_, "StatusText"), underWay,
                                                 poke);
        const std::vector<BoxSeen> boxes = Press(Button(encode ? "Button1" : "Button2"));

        QVERIFY(during.poked);
        QVERIFY(during.paintedDuringWork);
        QCOMPARE(boxes.size(), encode ? std::size_t{1} : std::size_t{0}); // "Fertig" only
        QVERIFY(!form_->Extensions().Mark(0));
        QCOMPARE(form_->Files().Count(), std::size_t(paths.size()));
        for (const QString& path : paths) {
            QCOMPARE(ReadBytes(path), after);
        }
    }

    // Closing the window (its close box, or the program told to end) during
    // a run waits for the run's end; then the window closes as always.
    void aCloseDuringARunWaitsForItsEnd() {
        const QStringList paths = ListTree(kGreetingEncoded);
        const auto underWay = [&] {
            return ReadBytes(paths.first()) == kGreetingLines &&
                   ReadBytes(paths.last()) == kGreetingEncoded;
        };
        bool openAfterClose = false;
        const auto poke = [&] {
            form_->close();
            openAfterClose = form_->isVisible();
        };
        glyphwright::ui::test::DuringWork during(*Child<QLabel>(*form_, "StatusText"), underWay,
                                                 poke);
        QTest::mouseClick(Button("Button2"), Qt::LeftButton);
        QVERIFY(during.poked);
        QVERIFY(openAfterClose);
        QCOMPARE(ReadBytes(paths.last()), kGreetingLines);
        QTRY_VERIFY(!form_->isVisible());
    }

    void emptyListDecodeDoesNothing() {
        QVERIFY(Press(Button("Button2")).empty());
        QVERIFY(form_->isEnabled());
        QVERIFY(Bar()->isVisible());
        QCOMPARE(Bar()->maximum(), 100);
    }

    // Each failing file is named in the box; the others are converted.
    void failuresAreReportedAndTheRunGoesOn() {
        const QString good1 = At("1.htm"), readOnly = At("2.htm"), vanished = At("3.htm"),
                      withNul = At("4.htm"), good2 = At("5.htm");
        const QByteArray nulBytes("\xE4\0\xE4\n", 4);
        WriteBytes(good1, kGreeting);
        WriteBytes(readOnly, kGreeting);
        QVERIFY(::chmod(Native(readOnly).c_str(), 0444) == 0);
        WriteBytes(withNul, nulBytes);
        WriteBytes(good2, kNote);
        for (const QString& path : {good1, readOnly, vanished, withNul, good2}) {
            List(path);
        }
        const QString report =
            QStringLiteral("Nicht umgewandelt:\nDatei ") + readOnly +
            QStringLiteral(" kann nicht erstellt werden: Schreibgeschützt\nDatei ") + vanished +
            QStringLiteral(" kann nicht geöffnet werden: Nicht vorhanden\nDatei ") + withNul +
            QStringLiteral(" enthält ein NUL-Byte und wird nicht umgewandelt");

        std::vector<BoxSeen> boxes = Press(Button("Button1"));
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].text, QStringLiteral("Fertig\n\n") + report);
        QVERIFY(!boxes[0].windowEnabled);
        QVERIFY(boxes[0].barVisible);
        // The read-only file got as far as its save; the vanished one and the
        // one holding NUL stopped before the step.
        QCOMPARE(boxes[0].barValue, 3);
        QCOMPARE(boxes[0].barMaximum, 5);
        CheckUnlocked();

        QCOMPARE(ReadBytes(good1), kGreetingEncoded);
        QCOMPARE(ReadBytes(good2), kNoteEncoded);
        QCOMPARE(ReadBytes(readOnly), kGreeting);
        QCOMPARE(ReadBytes(Backup(readOnly)), kGreetingLines);
        QVERIFY(!QFile::exists(vanished));
        QVERIFY(!QFile::exists(Backup(vanished)));
        QCOMPARE(ReadBytes(withNul), nulBytes);
        QVERIFY(!QFile::exists(Backup(withNul)));

        // The decode run shows the report alone, after the last file, unlocked.
        boxes = Press(Button("Button2"));
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].text, report);
        QVERIFY(boxes[0].windowEnabled);
        QVERIFY(!boxes[0].barVisible);
        QCOMPARE(ReadBytes(good1), kGreetingLines);
        QCOMPARE(ReadBytes(good2), kNoteDecoded);
        QCOMPARE(ReadBytes(readOnly), kGreeting);
    }

    void longFailureListIsCutShort() {
        for (int i = 0; i < 22; ++i) {
            List(At(QStringLiteral("gone%1.htm").arg(i)));
        }
        const std::vector<BoxSeen> boxes = Press(Button("Button2"));
        QCOMPARE(boxes.size(), std::size_t{1});
        const QStringList lines = boxes[0].text.split('\n');
        QCOMPARE(lines.size(), 22);
        QCOMPARE(lines.first(), QStringLiteral("Nicht umgewandelt:"));
        QVERIFY(lines[20].contains(QStringLiteral("gone19.htm")));
        QCOMPARE(lines.last(), QStringLiteral("… und 2 weitere"));
    }

    // The command-line tool in the window's form writes the same bytes.
    void commandLineToolWritesTheSameBytes() {
        QByteArray text("first\rsecond\r\n&auml;&AUML;&#132;&nbsp&amp;lt; &unknown;\n\n");
        for (int byte = 1; byte < 256; ++byte) {
            text.append(static_cast<char>(byte));
        }
        const QStringList commands = {QStringLiteral("encode"), QStringLiteral("decode")};
        for (const QString& command : commands) {
            const QString byWindow = At(command + QStringLiteral("-window.htm"));
            const QString byTool = At(command + QStringLiteral("-tool.htm"));
            WriteBytes(byWindow, text);
            WriteBytes(byTool, text);
            form_->Files().Clear();
            List(byWindow);
            Press(command == QLatin1String("encode") ? Button("Button1") : Button("Button2"));

            QProcess tool;
            tool.start(QStringLiteral(GW_CLI_PATH),
                       {command, QStringLiteral("--eol=crlf"), byTool});
            QVERIFY(tool.waitForFinished(60000));
            QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
            QCOMPARE(tool.exitCode(), 0);
            QVERIFY(ReadBytes(byWindow) != text);
            QCOMPARE(ReadBytes(byWindow), ReadBytes(byTool));
            QCOMPARE(ReadBytes(Backup(byWindow)), ReadBytes(Backup(byTool)));
        }
    }
};

GW_UI_TEST_MAIN(TestConversionRuns)

#include "tst_ConversionRuns.moc"
