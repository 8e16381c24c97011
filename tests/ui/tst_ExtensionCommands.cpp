// The three buttons of the extension list: add through the input dialog,
// delete the selected entry, clear after a confirmation; and a list that
// cannot take another entry.
#include "tests/ui/CollectTestSupport.h"
#include "ui/Unit1.h"

#include <QItemSelectionModel>
#include <QListView>

using namespace glyphwright;
using namespace glyphwright::ui;
using namespace glyphwright::ui::test;

namespace {

const std::vector<std::string> kDefaults = {".HTM",  ".HTML", ".INC",  ".PHP",
                                            ".PHP3", ".SHTM", ".SHTML"};

} // namespace

class TestExtensionCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TForm1> form_;

    QListView* List() const { return Child<QListView>(*form_, "CheckListBox2"); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(*form_, name); }

    void Select(int row) {
        QListView* list = List();
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect);
    }

    // Adds through Button7 with text typed and the dialog ended by buttonName.
    void Add(const QString& text, const char* buttonName = kOkButtonName) {
        TypeIntoNextDialog(text, buttonName);
        QTest::mouseClick(Button("Button7"), Qt::LeftButton);
    }

private slots:
    void init() {
        form_ = std::make_unique<TForm1>();
        form_->ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QCOMPARE(Texts(form_->Extensions()), kDefaults);
    }

    void cleanup() { form_.reset(); }

    void addAsksAndInsertsAtTheSortedPlaceSwitchedOff() {
        QString caption;
        QString prompt;
        WhenModal([&](QWidget* modal) {
            caption = modal->windowTitle();
            prompt = modal->findChild<QLabel*>(QString::fromLatin1(kPromptName))->text();
            QCOMPARE(modal->findChild<QLineEdit*>(QString::fromLatin1(kEditName))->text(),
                     QString());
            QTest::keyClicks(modal->findChild<QLineEdit*>(QString::fromLatin1(kEditName)),
                             QStringLiteral("asp"));
            QTest::mouseClick(modal->findChild<QPushButton*>(QString::fromLatin1(kOkButtonName)),
                              Qt::LeftButton);
        });
        QTest::mouseClick(Button("Button7"), Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Neue Endung"));
        QCOMPARE(prompt, QStringLiteral("Bitte die Endung eingeben (z.B. \".PHP\"):"));
        QCOMPARE(form_->Extensions().Text(0), std::string(".ASP"));
        QVERIFY(!form_->Extensions().Mark(0));
        QCOMPARE(List()->model()->rowCount(), 8);
        QCOMPARE(List()->model()->index(0, 0).data().toString(), QStringLiteral(".ASP"));
    }

    void addUpperCasesAToZAndPutsADotInFront() {
        Add(QStringLiteral("php"));
        Add(QStringLiteral(".PhP"));
        Add(QStringLiteral("ä"));
        Add(QStringLiteral(". php"));
        // Only a to z change case; nothing is trimmed; an equal entry is added
        // again, after the equal ones.
        const std::vector<std::string> expected = {". PHP", ".HTM",   ".HTML", ".INC",
                                                   ".PHP",  ".PHP",   ".PHP",  ".PHP3",
                                                   ".SHTM", ".SHTML", ".ä"};
        QCOMPARE(Texts(form_->Extensions()), expected);
        for (std::size_t i = 0; i < form_->Extensions().Count(); ++i) {
            QVERIFY(!form_->Extensions().Mark(i));
        }
    }

    void addDoesNothingWhenCancelledOrEmpty() {
        Add(QStringLiteral("asp"), kCancelButtonName);
        QCOMPARE(Texts(form_->Extensions()), kDefaults);
        Add(QString(), kOkButtonName);
        QCOMPARE(Texts(form_->Extensions()), kDefaults);
        CloseNextDialog();
        QTest::mouseClick(Button("Button7"), Qt::LeftButton);
        QCOMPARE(Texts(form_->Extensions()), kDefaults);
    }

    void deleteRemovesTheSelectedEntryAlone() {
        form_->Extensions().SetMark(3, true);
        Select(2); // ".INC"
        QTest::mouseClick(Button("Button6"), Qt::LeftButton);
        const std::vector<std::string> expected = {".HTM",  ".HTML", ".PHP",
                                                   ".PHP3", ".SHTM", ".SHTML"};
        QCOMPARE(Texts(form_->Extensions()), expected);
        QVERIFY(form_->Extensions().Mark(2)); // ".PHP" kept its mark
        QCOMPARE(List()->model()->rowCount(), 6);
    }

    // The next entry does not take the deleted one's selection: a second
    // click deletes nothing, and Space marks nothing.
    void deleteLeavesNoEntrySelected() {
        // Clicked on its text, as the user picks an entry.
        const QRect inc = List()->visualRect(List()->model()->index(2, 0));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, inc.center());
        QCOMPARE(List()->selectionModel()->selectedRows().value(0).row(), 2);
        QTest::mouseClick(Button("Button6"), Qt::LeftButton);
        QVERIFY(List()->selectionModel()->selectedRows().isEmpty());
        QTest::mouseClick(Button("Button6"), Qt::LeftButton);
        QCOMPARE(form_->Extensions().Count(), std::size_t{6});
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Space);
        for (std::size_t i = 0; i < form_->Extensions().Count(); ++i) {
            QVERIFY(!form_->Extensions().Mark(i));
        }
    }

    void deleteWithoutSelectionOrOnAnEmptyListDoesNothing() {
        List()->selectionModel()->clearSelection();
        QTest::mouseClick(Button("Button6"), Qt::LeftButton);
        QCOMPARE(Texts(form_->Extensions()), kDefaults);

        form_->Extensions().Clear();
        QTest::mouseClick(Button("Button6"), Qt::LeftButton);
        QCOMPARE(form_->Extensions().Count(), std::size_t{0});
    }

    void clearAsksAndEmptiesOnYesOnly() {
        QString question;
        WhenModal([&question](QWidget* modal) {
            question = modal->findChild<QLabel*>(QString::fromLatin1(kMessageTextName))->text();
            QTest::mouseClick(modal->findChild<QPushButton*>(QString::fromLatin1(kNoButtonName)),
                              Qt::LeftButton);
        });
        QTest::mouseClick(Button("Button5"), Qt::LeftButton);
        QCOMPARE(question, QStringLiteral("Die gesamte Liste löschen?"));
        QCOMPARE(Texts(form_->Extensions()), kDefaults);

        CloseNextDialog();
        QTest::mouseClick(Button("Button5"), Qt::LeftButton);
        QCOMPARE(Texts(form_->Extensions()), kDefaults);

        AnswerWithButton(kYesButtonName);
        QTest::mouseClick(Button("Button5"), Qt::LeftButton);
        QCOMPARE(form_->Extensions().Count(), std::size_t{0});
        QCOMPARE(List()->model()->rowCount(), 0);
    }

    // The list bounds its entries; past the bound the add fails, the error
    // box tells why, the list stays as it was and the window goes on.
    void aFullListReportsTheFailure() {
        ExtensionList full(kDefaults.size());
        for (const std::string& text : kDefaults) {
            full.Add(text);
        }
        // Same entries, so the view stays in step although the replacement
        // tells no adapter.
        form_->Extensions() = full;

        QString error;
        WhenModal([&error](QWidget* modal) {
            QTest::keyClicks(modal->findChild<QLineEdit*>(QString::fromLatin1(kEditName)),
                             QStringLiteral("asp"));
            ReadNextBox(error);
            QTest::mouseClick(modal->findChild<QPushButton*>(QString::fromLatin1(kOkButtonName)),
                              Qt::LeftButton);
        });
        // The failure leaves the button's release event unhandled.
        QTest::ignoreMessage(QtWarningMsg, "Mouse event \"MouseRelease\" not accepted by "
                                           "receiving widget");
        QTest::mouseClick(Button("Button7"), Qt::LeftButton);
        QCOMPARE(error, QStringLiteral("Zeile kann nicht eingefügt werden."));
        QCOMPARE(Texts(form_->Extensions()), kDefaults);
        QVERIFY(!Button("Button7")->isDown());
    }
};

GW_UI_TEST_MAIN(TestExtensionCommands)
#include "tst_ExtensionCommands.moc"
