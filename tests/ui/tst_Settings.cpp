// The settings file as the window uses it: the extension list loaded while the
// window is built, saved when it closes, and the two messages when either fails.
#include "tests/ui/UiTestSupport.h"
#include "ui/DialogWindow.h"
#include "ui/Unit1.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

using namespace glyphwright::ui;
using glyphwright::ui::test::Child;

namespace {

// Answers every modal box that opens while it lives and keeps its text; its
// timer dies with it, so that no late poll answers a box of another test.
class BoxTexts {
public:
    BoxTexts() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                auto* label = modal->findChild<QLabel*>(QString::fromLatin1(kMessageTextName));
                texts << (label != nullptr ? label->text() : QString());
                QTest::keyClick(modal, Qt::Key_Return);
            }
        });
        timer_.start();
    }

    QStringList texts;

private:
    QTimer timer_;
};

const QString kLoadFailed = QStringLiteral("Fehler beim Öffnen der Konfigurationsdatei");
const QString kSaveFailed = QStringLiteral("Fehler beim Öffnen der Konfigurationsdatei.");

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArrayLiteral("<missing>");
    }
    return file.readAll();
}

QByteArray Golden(const char* name) {
    return ReadBytes(QStringLiteral(GW_TEST_DATA_DIR "/ini/") + QString::fromLatin1(name));
}

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The extension list as the window shows it: "text=1" or "text=0" per row.
QStringList Shown(const TForm1& form) {
    const QAbstractItemModel* model = Child<QListView>(form, "CheckListBox2")->model();
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        const bool marked = model->data(index, Qt::CheckStateRole).toInt() == Qt::Checked;
        rows << model->data(index).toString() +
                    (marked ? QStringLiteral("=1") : QStringLiteral("=0"));
    }
    return rows;
}

void Mark(TForm1& form, const char* text) {
    auto& list = form.Extensions();
    list.SetMark(list.Find(text).value(), true);
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString iniPath_;

    // Builds the window over the settings file, noting the boxes it shows.
    std::unique_ptr<TForm1> Start(QStringList* boxes = nullptr) {
        BoxTexts answerer;
        auto form = std::make_unique<TForm1>(Native(iniPath_));
        form->ShowAtFirstPosition();
        if (!QTest::qWaitForWindowExposed(form.get())) {
            qWarning("window not exposed");
        }
        if (boxes != nullptr) {
            *boxes = answerer.texts;
        }
        return form;
    }

    // Closes the window as its close box does; returns the boxes shown.
    QStringList Close(TForm1& form) {
        BoxTexts answerer;
        const bool closed = form.close();
        QStringList texts = answerer.texts;
        if (!closed || form.isVisible()) {
            texts << QStringLiteral("<window stayed open>");
        }
        return texts;
    }

    void CopyGolden(const char* name) {
        QVERIFY(QFile::copy(QStringLiteral(GW_TEST_DATA_DIR "/ini/") + QString::fromLatin1(name),
                            iniPath_));
        QVERIFY(QFile::setPermissions(iniPath_, QFile::ReadOwner | QFile::WriteOwner));
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        iniPath_ = dir_->filePath(QStringLiteral("glyphwright.ini"));
    }

    void cleanup() { dir_.reset(); }

    // Other sections stay as they were; the section follows the list.
    void loadAtStartAndSaveAtClose() {
        CopyGolden("other_sections.ini");
        QStringList boxes;
        auto form = Start(&boxes);
        QVERIFY(boxes.isEmpty());
        QCOMPARE(Shown(*form), (QStringList{".HTM=1", ".PHP=0"}));

        Mark(*form, ".PHP");
        form->Extensions().Add(".INC");
        QVERIFY(Close(*form).isEmpty());
        QCOMPARE(ReadBytes(iniPath_), Golden("other_sections.expected.ini"));
    }

    // Logging out ends the program without a close: the list is saved then.
    void endOfTheSessionSavesTheList() {
        CopyGolden("other_sections.ini");
        auto form = Start();
        Mark(*form, ".PHP");
        form->Extensions().Add(".INC");
        form->SessionEnding();
        QCOMPARE(ReadBytes(iniPath_), Golden("other_sections.expected.ini"));
        QVERIFY(form->isVisible());
    }

    // Without a file the defaults show; the first close writes them, and the
    // marks come back at the next start.
    void firstStartKeepsTheDefaultsAndMarksSurviveARestart() {
        iniPath_ = dir_->filePath(QStringLiteral("glyphwright/glyphwright.ini"));
        QStringList boxes;
        auto form = Start(&boxes);
        QVERIFY(boxes.isEmpty());
        QCOMPARE(Shown(*form).size(), 7);
        Mark(*form, ".HTM");
        Mark(*form, ".PHP");
        QVERIFY(Close(*form).isEmpty());
        QCOMPARE(ReadBytes(iniPath_), Golden("two_marked.expected.ini"));

        form = Start(&boxes);
        QVERIFY(boxes.isEmpty());
        QCOMPARE(Shown(*form), (QStringList{".HTM=1", ".HTML=0", ".INC=0", ".PHP=1", ".PHP3=0",
                                            ".SHTM=0", ".SHTML=0"}));
    }

    void fileWithoutTheSectionEmptiesTheList() {
        CopyGolden("no_section.ini");
        QStringList boxes;
        auto form = Start(&boxes);
        QVERIFY(boxes.isEmpty());
        QVERIFY(Shown(*form).isEmpty());
    }

    // A name that cannot be looked up (a link to itself): the load message at
    // start, the defaults kept, the save message at close, and the window
    // closes all the same.
    void unreadableFileShowsBothMessages() {
        QVERIFY(::symlink("glyphwright.ini", Native(iniPath_).c_str()) == 0);
        QStringList boxes;
        auto form = Start(&boxes);
        QCOMPARE(boxes, QStringList{kLoadFailed});
        QCOMPARE(Shown(*form).size(), 7);
        QVERIFY(form->isVisible());
        QCOMPARE(Close(*form), QStringList{kSaveFailed});
        QCOMPARE(QFile::symLinkTarget(iniPath_), iniPath_);
    }

    // A read-only file loads, refuses the save and stays as it was.
    void readOnlyFileRefusesTheSave() {
        CopyGolden("two_marked.expected.ini");
        QVERIFY(::chmod(Native(iniPath_).c_str(), 0444) == 0);
        QStringList boxes;
        auto form = Start(&boxes);
        QVERIFY(boxes.isEmpty());
        Mark(*form, ".INC");
        QCOMPARE(Close(*form), QStringList{kSaveFailed});
        QCOMPARE(ReadBytes(iniPath_), Golden("two_marked.expected.ini"));
    }
};

GW_UI_TEST_MAIN(TestSettings)

#include "tst_Settings.moc"
