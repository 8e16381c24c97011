// The file list: drops from anywhere on the window fill it in the order the
// drag source gives, folders walked in between; the two buttons delete the
// selected entries or, after a confirmation, all of them.
#include "files/collect/DropIntake.h"
#include "tests/ui/CollectTestSupport.h"
#include "ui/Application.h"
#include "ui/Unit1.h"

#include <QDir>
#include <QFile>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QListView>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

using namespace glyphwright;
using namespace glyphwright::ui;
using namespace glyphwright::ui::test;

namespace {

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

void MakeFile(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TForm1> form_;

    QListView* List() const { return Child<QListView>(*form_, "ListBox1"); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(*form_, name); }

    // Fills the file list with "/f/0.htm" ... without a drop.
    void Fill(int count) {
        for (int i = 0; i < count; ++i) {
            form_->Files().Append("/f/" + std::to_string(i) + ".htm");
        }
    }

    void SelectRows(std::initializer_list<int> rows) {
        QItemSelection selection;
        for (int row : rows) {
            const QModelIndex index = List()->model()->index(row, 0);
            selection.select(index, index);
        }
        List()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }

private slots:
    void init() {
        form_ = std::make_unique<TForm1>();
        form_->ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        form_->Extensions().SetMark(0, true); // ".HTM"
    }

    void cleanup() { form_.reset(); }

    void dropsOnAnyControlFillTheList() {
        QWidget* targets[] = {List()->viewport(),
                              Child<QListView>(*form_, "CheckListBox2")->viewport(),
                              Button("Button4"), Child<QLabel>(*form_, "Label1"),
                              Child<QStatusBar>(*form_, "StatusBar1")};
        std::vector<std::string> expected;
        int n = 0;
        for (QWidget* target : targets) {
            // No existence check: a path that names nothing is judged by its name.
            const QString accepted = QStringLiteral("/nowhere/drop %1/Datei ä.htm").arg(n++);
            DropOn(target, *FileDrag({accepted, QStringLiteral("/nowhere/b.php")}));
            expected.push_back(Native(accepted));
            QCOMPARE(Paths(form_->Files()), expected);
        }
        QCOMPARE(List()->model()->rowCount(), int(expected.size()));
        QCOMPARE(List()->model()->index(0, 0).data().toString(),
                 QStringLiteral("/nowhere/drop 0/Datei ä.htm"));

        // With ".HTM" off the same drop takes nothing.
        form_->Extensions().SetMark(0, false);
        DropOn(Child<QLabel>(*form_, "Label3"), *FileDrag({QStringLiteral("/nowhere/c.htm")}));
        QCOMPARE(Paths(form_->Files()), expected);
    }

    // File, folder, file: the folder's accepted files come between the two,
    // the folder itself (named like an accepted file) never.
    void aMixedDropKeepsTheOrderOfTheDrag() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString root = dir.path();
        QVERIFY(QDir(root).mkpath(QStringLiteral("D.htm/S")));
        MakeFile(root + QStringLiteral("/a.htm"));
        MakeFile(root + QStringLiteral("/D.htm/S/y.HTM"));
        MakeFile(root + QStringLiteral("/D.htm/S/README"));
        MakeFile(root + QStringLiteral("/D.htm/notes.txt"));
        const QString missing = root + QStringLiteral("/b.htm");

        DropOn(List()->viewport(), *FileDrag({root + QStringLiteral("/a.htm"),
                                              root + QStringLiteral("/D.htm/"), missing}));
        const std::vector<std::string> expected = {Native(root + QStringLiteral("/a.htm")),
                                                   Native(root + QStringLiteral("/D.htm/S/y.HTM")),
                                                   Native(missing)};
        QCOMPARE(Paths(form_->Files()), expected);

        // The same drop once more lists everything twice.
        DropOn(Button("Button3"), *FileDrag({root + QStringLiteral("/D.htm")}));
        QCOMPARE(form_->Files().Count(), std::size_t{4});
        QCOMPARE(form_->Files().Path(3), expected[1]);
    }

    // What the two file dialogs of the Datei menu give goes the way of a drop;
    // a file named there and refused is told in the status line for a while.
    void theMenuTakesFilesAndFoldersAsADropTakesThem() {
        QTemporaryDir dir;
        const QString root = dir.path();
        QVERIFY(QDir(root).mkpath(QStringLiteral("D/S")));
        for (const char* name : {"/a.htm", "/b.txt", "/D/x.htm", "/D/S/y.htm", "/D/z.php"}) {
            MakeFile(root + QString::fromLatin1(name));
        }
        const std::string native = Native(root);
        form_->Choosers().folder = [&](QWidget*) { return std::vector{native + "/D"}; };
        form_->Choosers().files = [&](QWidget*) {
            return std::vector{native + "/b.txt", native + "/a.htm"};
        };
        auto* status = Child<QLabel>(*form_, "StatusText");
        const QString credit = status->text();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier);
        FileList dropped;
        TakeDroppedPaths({native + "/D", native + "/b.txt", native + "/a.htm"}, form_->Extensions(),
                         dropped);
        QCOMPARE(Paths(form_->Files()), Paths(dropped));

        form_->Choosers().files = [&](QWidget*) { return std::vector{native + "/b.txt"}; };
        QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(
            status->text(),
            QStringLiteral("Keine Datei übernommen: Endung fehlt (.TXT in Schritt 1 eintragen)"));
        auto* timer = Child<QTimer>(*form_, "StatusNoticeTimer");
        QVERIFY(timer->isActive() && timer->interval() >= 5000);
        timer->setInterval(0);
        QTRY_COMPARE(status->text(), credit);
    }

    // The drag source gets its answer at once; the walk comes after.
    void theDropIsAnsweredBeforeTheWalk() {
        const auto drag = FileDrag({QStringLiteral("/nowhere/a.htm")});
        QWidget* target = List()->viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, drag.get(), Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, drag.get(), Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(form_->Files().Count(), std::size_t{0});
        QTRY_COMPARE(form_->Files().Count(), std::size_t{1});
    }

    // A walk of a large tree repaints the window, but takes no click, key or
    // drop until it is done.
    void aLongWalkPaintsButTakesNoInput() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        constexpr int folders = 20;
        constexpr int perFolder = 25;
        for (int folder = 0; folder < folders; ++folder) {
            const QString name = QStringLiteral("%1/sub").arg(folder);
            QVERIFY(QDir(dir.path()).mkpath(name));
            for (int file = 0; file < perFolder; ++file) {
                MakeFile(dir.filePath(name + QStringLiteral("/%1.htm").arg(file)));
            }
        }
        const std::size_t total = folders * perFolder;
        auto* extensions = Child<QListView>(*form_, "CheckListBox2");
        extensions->setCurrentIndex(extensions->model()->index(1, 0));

        const auto underWay = [] { return Application::Instance().Busy(); };
        const auto late = FileDrag({QStringLiteral("/nowhere/late.htm")});
        const auto poke = [&] {
            QTest::mouseClick(Button("Button3"), Qt::LeftButton);
            QTest::keyClick(extensions, Qt::Key_Space);
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, late.get(), Qt::LeftButton, {});
            QApplication::sendEvent(List()->viewport(), &enter);
            QVERIFY(!enter.isAccepted());
        };
        DuringWork during(*Child<QLabel>(*form_, "StatusText"), underWay, poke);
        DropOn(List()->viewport(), *FileDrag({dir.path()}));
        QTRY_COMPARE(form_->Files().Count(), total);

        QVERIFY(during.poked);
        QVERIFY(during.paintedDuringWork);
        QVERIFY(QApplication::activeModalWidget() == nullptr); // no question was asked
        QVERIFY(!form_->Extensions().Mark(1));
        QTest::qWait(20);
        QCOMPARE(form_->Files().Count(), total);
    }

    void deleteRemovesTheSelectedEntries() {
        Fill(5);
        SelectRows({1, 2});
        QTest::mouseClick(Button("Button4"), Qt::LeftButton);
        const std::vector<std::string> left = {"/f/0.htm", "/f/3.htm", "/f/4.htm"};
        QCOMPARE(Paths(form_->Files()), left);
        QCOMPARE(List()->model()->rowCount(), 3);
        QVERIFY(List()->selectionModel()->selectedRows().isEmpty());

        SelectRows({0, 1, 2});
        QTest::mouseClick(Button("Button4"), Qt::LeftButton);
        QCOMPARE(form_->Files().Count(), std::size_t{0});
    }

    // The user's own selection: a click, then Ctrl with clicks.
    void deleteTakesASelectionMadeWithTheMouse() {
        Fill(6);
        QListView* list = List();
        auto click = [list](int row, Qt::KeyboardModifiers modifiers) {
            const QRect entry = list->visualRect(list->model()->index(row, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, entry.center());
        };
        click(0, Qt::NoModifier);
        click(2, Qt::ControlModifier);
        click(5, Qt::ControlModifier);
        click(0, Qt::ControlModifier); // and off again
        QTest::mouseClick(Button("Button4"), Qt::LeftButton);
        const std::vector<std::string> left = {"/f/0.htm", "/f/1.htm", "/f/3.htm", "/f/4.htm"};
        QCOMPARE(Paths(form_->Files()), left);
    }

    void deleteWithoutSelectionOrOnAnEmptyListDoesNothing() {
        QTest::mouseClick(Button("Button4"), Qt::LeftButton);
        QCOMPARE(form_->Files().Count(), std::size_t{0});
        Fill(3);
        List()->setCurrentIndex(List()->model()->index(1, 0));
        List()->selectionModel()->clearSelection();
        QTest::mouseClick(Button("Button4"), Qt::LeftButton);
        QCOMPARE(form_->Files().Count(), std::size_t{3});
    }

    // The scattered selection of a long list: every other entry of 100,000.
    void deleteOfEveryOtherEntryOfALongList() {
        constexpr int count = 100000;
        Fill(count);
        QAbstractItemModel* model = List()->model();
        {
            // Dropped before the delete: its ranges hold persistent indexes,
            // which the model would have to move at every removed block.
            QItemSelection selection;
            for (int row = 1; row < count; row += 2) {
                selection.select(model->index(row, 0), model->index(row, 0));
            }
            List()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        }
        QTest::mouseClick(Button("Button4"), Qt::LeftButton);
        QCOMPARE(form_->Files().Count(), std::size_t{count / 2});
        for (int i = 0; i < count / 2; ++i) {
            QCOMPARE(form_->Files().Path(static_cast<std::size_t>(i)),
                     "/f/" + std::to_string(2 * i) + ".htm");
        }
        QCOMPARE(model->rowCount(), count / 2);
    }

    void clearAsksAndEmptiesOnYesOnly() {
        Fill(4);
        AnswerWithButton(kNoButtonName);
        QTest::mouseClick(Button("Button3"), Qt::LeftButton);
        QCOMPARE(form_->Files().Count(), std::size_t{4});

        CloseNextDialog();
        QTest::mouseClick(Button("Button3"), Qt::LeftButton);
        QCOMPARE(form_->Files().Count(), std::size_t{4});

        AnswerWithButton(kYesButtonName);
        QTest::mouseClick(Button("Button3"), Qt::LeftButton);
        QCOMPARE(form_->Files().Count(), std::size_t{0});
        QCOMPARE(List()->model()->rowCount(), 0);
        // The extension list is not touched.
        QCOMPARE(form_->Extensions().Count(), std::size_t{7});
    }

    // A name holding a control character, or bytes that are not UTF-8, is
    // shown on one line with a visible mark in their place; its row is as
    // high as any other (the rows share one height).
    void oddNamesAreShownOnOneLine_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("line break") << QByteArray("a\nb.htm") << QStringLiteral("a\u240Ab.htm");
        QTest::newRow("escape") << QByteArray("c\x1B[2J.htm") << QStringLiteral("c\u241B[2J.htm");
        QTest::newRow("tab") << QByteArray("d\tx.htm") << QStringLiteral("d\u2409x.htm");
        QTest::newRow("delete") << QByteArray("e\x7F.htm") << QStringLiteral("e\u2421.htm");
        QTest::newRow("C1 next line")
            << QByteArray("f\xC2\x85.htm") << QStringLiteral("f\uFFFD.htm");
        QTest::newRow("line separator")
            << QByteArray("g\xE2\x80\xA8.htm") << QStringLiteral("g\uFFFD.htm");
        QTest::newRow("Windows-1252") << QByteArray("B\xFC"
                                                    "cher.htm")
                                      << QStringLiteral("B\uFFFDcher.htm");
    }

    void oddNamesAreShownOnOneLine() {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        form_->Files().Append("/f/plain.htm");
        form_->Files().Append("/f/" + name.toStdString());
        const QModelIndex plain = List()->model()->index(0, 0);
        const QModelIndex odd = List()->model()->index(1, 0);
        QCOMPARE(odd.data().toString(), QStringLiteral("/f/") + shown);
        const int plainHeight = List()->sizeHintForIndex(plain).height();
        QCOMPARE(List()->sizeHintForIndex(odd).height(), plainHeight);
        QTRY_COMPARE(List()->visualRect(plain).height(), plainHeight);
    }

    // A list that takes no more entries: the drop ends with the error box and
    // the window goes on taking drops.
    void aFullListReportsTheFailure() {
        form_->Files() = FileList(0); // empty as before, so the view stays in step
        QString error;
        ReadNextBox(error);
        DropOn(List()->viewport(), *FileDrag({QStringLiteral("/nowhere/a.htm")}));
        QCOMPARE(error, QStringLiteral("Zeile kann nicht eingefügt werden."));
        QCOMPARE(form_->Files().Count(), std::size_t{0});

        QString again;
        ReadNextBox(again);
        DropOn(Button("Button1"), *FileDrag({QStringLiteral("/nowhere/b.htm")}));
        QCOMPARE(again, error);
    }
};

GW_UI_TEST_MAIN(TestFileCommands)
#include "tst_FileCommands.moc"
