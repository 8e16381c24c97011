// The standard dialogs: layout arithmetic, the real dialogs' geometry, keys and results, the
// error box. Dialogs are answered from a timer while their modal loop runs.
#include "ui/Application.h"
#include "ui/DialogGeometry.h"
#include "ui/DialogWindow.h"
#include "ui/Dialogs.h"
#include "ui/InputDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace glyphwright::ui;

namespace {

// Runs action on the modal dialog once it is shown and has the keyboard focus.
void WhenModal(const std::function<void(QWidget*)>& action, int tries = 500) {
    QTimer::singleShot(10, qApp, [action, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        QWidget* focus = QApplication::focusWidget();
        if (modal != nullptr && focus != nullptr && focus->window() == modal) {
            action(modal);
        } else if (tries > 0) {
            WhenModal(action, tries - 1);
        }
    });
}

// Types keys as the user would, each to the widget that has the focus at that moment:
// "Tab Shift+Tab Alt+J Space" etc.; "=text" types text; "Close" stands for the close box.
void PressKeys(QWidget* modal, const QString& keys) {
    for (const QString& name : keys.split(u' ', Qt::SkipEmptyParts)) {
        if (name == QLatin1String("Close")) {
            modal->close();
            return;
        }
        if (name == QLatin1String("CloseAll")) { // what the program does when told to end
            QApplication::closeAllWindows();
            return;
        }
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : modal;
        if (name.startsWith(u'=')) {
            QTest::keyClicks(target, name.mid(1));
            continue;
        }
        const QKeyCombination combination = QKeySequence::fromString(name)[0];
        QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
    }
}

// Answers the next dialog with keys.
void AnswerWith(const QString& keys) {
    WhenModal([keys](QWidget* modal) { PressKeys(modal, keys); });
}

int LiveDialogs() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QDialog*>(widget) != nullptr) {
            ++count;
        }
    }
    return count;
}

QRect ChildRect(QWidget* dialog, const char* name) {
    auto* child = dialog->findChild<QWidget*>(QString::fromLatin1(name));
    return child != nullptr ? child->geometry() : QRect();
}

QString ChildText(QWidget* dialog, const char* name) {
    if (auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name))) {
        return button->text();
    }
    if (auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name))) {
        return label->text();
    }
    return {};
}

// What a test reads from a shown dialog, compared after it has closed.
struct Seen {
    QString caption;
    QSize clientSize;
    QSize minimumSize;
    QSize maximumSize;
    QRect frame;
    Qt::WindowFlags flags;
    QString focusName;
    QRect icon;
    bool iconHasPixmap = false;
    QRect text;
    QRect prompt;
    QRect edit;
    QString editSelection;
    QList<QRect> buttons;
    QStringList buttonTexts;
};

Seen Look(QWidget* dialog, const QList<const char*>& buttonNames) {
    Seen seen;
    seen.caption = dialog->windowTitle();
    seen.clientSize = dialog->size();
    seen.minimumSize = dialog->minimumSize();
    seen.maximumSize = dialog->maximumSize();
    seen.frame = dialog->frameGeometry();
    seen.flags = dialog->windowFlags();
    seen.focusName = QApplication::focusWidget()->objectName();
    seen.icon = ChildRect(dialog, kMessageIconName);
    if (auto* icon = dialog->findChild<QLabel*>(QString::fromLatin1(kMessageIconName))) {
        seen.iconHasPixmap = !icon->pixmap().isNull();
    }
    seen.text = ChildRect(dialog, kMessageTextName);
    seen.prompt = ChildRect(dialog, kPromptName);
    seen.edit = ChildRect(dialog, kEditName);
    if (auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(kEditName))) {
        seen.editSelection = edit->selectedText();
    }
    for (const char* name : buttonNames) {
        seen.buttons.append(ChildRect(dialog, name));
        seen.buttonTexts.append(ChildText(dialog, name));
    }
    return seen;
}

QRect Screen() {
    return QGuiApplication::primaryScreen()->geometry();
}

QSize MessageTextSize(const QString& text) {
    const QFontMetrics metrics(QApplication::font());
    return metrics
        .boundingRect(QRect(0, 0, Screen().width() / 2, 0), Qt::TextWordWrap | Qt::TextExpandTabs,
                      text)
        .size();
}

// Shows an information box with text and returns the message label's geometry and the box's
// client size.
std::pair<QRect, QSize> InformationBoxShape(const QString& text) {
    std::pair<QRect, QSize> shape;
    WhenModal([&shape](QWidget* modal) {
        shape = {ChildRect(modal, kMessageTextName), modal->size()};
        PressKeys(modal, QStringLiteral("Return"));
    });
    ShowInformationBox(text);
    return shape;
}

struct FakeMetrics {
    int advance;
    int lineHeight;
    int horizontalAdvance(const QString& text) const {
        return text.size() == kDialogUnitsSampleLength ? advance : -1;
    }
    int height() const { return lineHeight; }
};

const QString kQuestion = QStringLiteral("Die gesamte Liste löschen?");
const QString kCaption = QStringLiteral("Neue Endung");
const QString kPrompt = QStringLiteral("Bitte die Endung eingeben (z.B. \".PHP\"):");

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void fontGivesTheDesignUnits();
    void mulDivRoundsHalfUp_data();
    void mulDivRoundsHalfUp();
    void dialogUnitsDropTheRemainder();
    void confirmationWorkedExample();
    void informationWorkedExample();
    void inputWorkedExample();
    void framePositions();

    void confirmationBoxAsShown();
    void informationBoxAsShown();
    void inputDialogAsShown();

    void informationBoxKeys_data();
    void informationBoxKeys();
    void confirmationBoxKeys_data();
    void confirmationBoxKeys();
    void inputDialogKeys_data();
    void inputDialogKeys();
    void dialogDestroyedFromOutsideAnswersCancel();
    void otherWindowsWaitForTheDialog();

    void longTextWrapsAndGrowsInHeight();
    void wordWiderThanHalfTheScreenWidensTheBox();
    void wordWiderThanTheScreenIsBroken();
    void tabIsExpanded();
    void messageTextIsPlain();
    void inputRefusesThe256thCharacter();
    void pasteIsCutAtItsFirstLineBreak_data();
    void pasteIsCutAtItsFirstLineBreak();

    void fullStopRule_data();
    void fullStopRule();
    void errorBox();

    void cleanup() { QCOMPARE(LiveDialogs(), 0); }
};

void TestDialogs::fontGivesTheDesignUnits() {
    const DialogUnits units = MeasureDialogUnits(QFontMetrics(QApplication::font()));
    QCOMPARE(units.x, 6);
    QCOMPARE(units.y, 13);
}

void TestDialogs::mulDivRoundsHalfUp_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("expected");
    QTest::newRow("exact") << 8 << 6 << 4 << 12;
    QTest::newRow("below half") << 63 << 13 << 8 << 102;
    QTest::newRow("above half") << 14 << 13 << 8 << 23;
    QTest::newRow("half") << 1 << 1 << 2 << 1;
    QTest::newRow("minus half") << -1 << 1 << 2 << 0;
    QTest::newRow("minus three halves") << -3 << 1 << 2 << -1;
    QTest::newRow("negative divisor") << 5 << 1 << -2 << -2;
    QTest::newRow("no overflow") << 100000 << 100000 << 100000 << 100000;
}

void TestDialogs::mulDivRoundsHalfUp() {
    QFETCH(int, n);
    QFETCH(int, b);
    QFETCH(int, d);
    QFETCH(int, expected);
    QCOMPARE(MulDiv(n, b, d), expected);
}

void TestDialogs::dialogUnitsDropTheRemainder() {
    const DialogUnits units = MeasureDialogUnits(FakeMetrics{353, 13});
    QCOMPARE(units.x, 6);
    QCOMPARE(units.y, 13);
    QCOMPARE(DialogUnitsFromMeasure(363, 15).x, 6);
    QCOMPARE(DialogUnitsFromMeasure(364, 15).x, 7);
}

void TestDialogs::confirmationWorkedExample() {
    const MessageBoxMetrics m = MessageBoxMetricsFor({6, 13});
    QCOMPARE(m.horizontalMargin, 12);
    QCOMPARE(m.verticalMargin, 13);
    QCOMPARE(m.horizontalSpacing, 15);
    QCOMPARE(m.verticalSpacing, 16);
    QCOMPARE(m.buttonWidth, 75);
    QCOMPARE(m.buttonHeight, 23);
    QCOMPARE(m.buttonSpacing, 6);

    MessageBoxRequest request;
    request.units = {6, 13};
    request.textSize = {130, 13};
    request.hasIcon = true;
    request.buttonCount = 2;
    request.screen = QRect(0, 0, 1024, 768);
    const MessageBoxLayout layout = LayOutMessageBox(request);
    QCOMPARE(layout.clientSize, QSize(201, 97));
    QCOMPARE(layout.iconRect, QRect(12, 13, 32, 32));
    QCOMPARE(layout.textRect, QRect(59, 13, 130, 13));
    QCOMPARE(layout.buttonRects.size(), std::size_t{2});
    QCOMPARE(layout.buttonRects[0], QRect(22, 61, 75, 23));
    QCOMPARE(layout.buttonRects[1], QRect(103, 61, 75, 23));
    QCOMPARE(layout.framePosition, QPoint(512 - 100, 384 - 48));
}

void TestDialogs::informationWorkedExample() {
    MessageBoxRequest request;
    request.units = {6, 13};
    request.textSize = {31, 13};
    request.buttonCount = 1;
    request.screen = QRect(0, 0, 1024, 768);
    const MessageBoxLayout layout = LayOutMessageBox(request);
    QCOMPARE(layout.clientSize, QSize(99, 78));
    QVERIFY(layout.iconRect.isNull());
    QCOMPARE(layout.textRect, QRect(12, 13, 31, 13));
    QCOMPARE(layout.buttonRects.size(), std::size_t{1});
    QCOMPARE(layout.buttonRects[0], QRect(12, 42, 75, 23));
}

void TestDialogs::inputWorkedExample() {
    const InputDialogLayout layout =
        LayOutInputDialog({6, 13}, QSize(200, 13), InputEditHeight(13));
    QCOMPARE(layout.clientSize, QSize(270, 102));
    QCOMPARE(layout.promptRect, QRect(12, 13, 200, 13));
    QCOMPARE(layout.editRect, QRect(12, 31, 246, 21));
    QCOMPARE(layout.okButtonRect, QRect(57, 67, 75, 23));
    QCOMPARE(layout.cancelButtonRect, QRect(138, 67, 75, 23));
}

void TestDialogs::framePositions() {
    const QRect screen(0, 0, 1024, 768);
    // Message box: each half taken separately, then subtracted.
    QCOMPARE(MessageBoxFramePosition(screen, QSize(205, 101)), QPoint(512 - 102, 384 - 50));
    // Input dialog: the difference halved.
    QCOMPARE(InputDialogFramePosition(screen, QSize(275, 107)), QPoint(374, 330));
    // A window larger than the screen keeps its caption on it.
    QCOMPARE(InputDialogFramePosition(screen, QSize(1200, 900)), QPoint(0, 0));
    QCOMPARE(MessageBoxFramePosition(screen, QSize(1200, 900)), QPoint(0, 0));
    // The primary screen need not start at the desktop's origin.
    QCOMPARE(InputDialogFramePosition(QRect(100, 50, 1024, 768), QSize(275, 107)),
             QPoint(474, 380));
    QCOMPARE(FrameSize(QSize(99, 78), QMargins(2, 20, 3, 4)), QSize(104, 102));
}

void TestDialogs::confirmationBoxAsShown() {
    QCOMPARE(MessageTextSize(kQuestion), QSize(130, 13)); // the worked example's text size
    Seen seen;
    WhenModal([&seen](QWidget* modal) {
        seen = Look(modal, {kYesButtonName, kNoButtonName});
        PressKeys(modal, QStringLiteral("Escape"));
    });
    QCOMPARE(ShowConfirmationBox(kQuestion), int{ResultNo});

    QCOMPARE(seen.caption, QStringLiteral("Bestätigen"));
    QCOMPARE(seen.clientSize, QSize(201, 97));
    QCOMPARE(seen.minimumSize, seen.clientSize);
    QCOMPARE(seen.maximumSize, seen.clientSize);
    QCOMPARE(seen.icon, QRect(12, 13, 32, 32));
    QVERIFY(seen.iconHasPixmap);
    QCOMPARE(seen.text, QRect(59, 13, 130, 13));
    QCOMPARE(seen.buttons, (QList<QRect>{QRect(22, 61, 75, 23), QRect(103, 61, 75, 23)}));
    QCOMPARE(seen.buttonTexts, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    QCOMPARE(seen.focusName, QString::fromLatin1(kYesButtonName));
    QVERIFY(seen.flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!seen.flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!seen.flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(seen.frame.topLeft(), QPoint(Screen().width() / 2 - seen.frame.width() / 2,
                                          Screen().height() / 2 - seen.frame.height() / 2));
}

void TestDialogs::informationBoxAsShown() {
    const QString text = QStringLiteral("Fertig");
    const QSize textSize = MessageTextSize(text);
    Seen seen;
    WhenModal([&seen](QWidget* modal) {
        seen = Look(modal, {kOkButtonName});
        PressKeys(modal, QStringLiteral("Return"));
    });
    ShowInformationBox(text);

    QCOMPARE(seen.caption, QStringLiteral("Glyphwright"));
    QCOMPARE(seen.clientSize, QSize(99, 78)); // the button group sets the width
    QVERIFY(seen.icon.isNull());
    QCOMPARE(seen.text, QRect(QPoint(12, 13), textSize));
    QCOMPARE(seen.buttons, QList<QRect>{QRect(12, 42, 75, 23)});
    QCOMPARE(seen.buttonTexts, QStringList{QStringLiteral("OK")});
    QCOMPARE(seen.focusName, QString::fromLatin1(kOkButtonName));
    QCOMPARE(seen.frame.topLeft(), QPoint(Screen().width() / 2 - seen.frame.width() / 2,
                                          Screen().height() / 2 - seen.frame.height() / 2));
}

void TestDialogs::inputDialogAsShown() {
    const QFontMetrics metrics(QApplication::font());
    Seen seen;
    WhenModal([&seen](QWidget* modal) {
        seen = Look(modal, {kOkButtonName, kCancelButtonName});
        PressKeys(modal, QStringLiteral("Escape"));
    });
    QString text = QStringLiteral(".HTM");
    QVERIFY(!ShowInputDialog(kCaption, kPrompt, text));
    QCOMPARE(text, QStringLiteral(".HTM"));

    QCOMPARE(seen.caption, kCaption);
    QCOMPARE(seen.clientSize, QSize(270, 102));
    QCOMPARE(seen.prompt, QRect(12, 13, metrics.horizontalAdvance(kPrompt), 13));
    QCOMPARE(seen.edit, QRect(12, 31, 246, 21));
    QCOMPARE(seen.buttons, (QList<QRect>{QRect(57, 67, 75, 23), QRect(138, 67, 75, 23)}));
    QCOMPARE(seen.buttonTexts, (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
    QCOMPARE(seen.focusName, QString::fromLatin1(kEditName));
    QCOMPARE(seen.editSelection, QStringLiteral(".HTM"));
    QCOMPARE(seen.minimumSize, seen.maximumSize);
    QCOMPARE(seen.frame.topLeft(), QPoint((Screen().width() - seen.frame.width()) / 2,
                                          (Screen().height() - seen.frame.height()) / 2));
}

void TestDialogs::informationBoxKeys_data() {
    QTest::addColumn<QString>("keys");
    QTest::newRow("Enter") << QStringLiteral("Return");
    QTest::newRow("Space") << QStringLiteral("Space");
    QTest::newRow("Esc") << QStringLiteral("Escape");
    QTest::newRow("close box") << QStringLiteral("Close");
    QTest::newRow("Tab wraps to OK") << QStringLiteral("Tab Shift+Tab Space");
}

void TestDialogs::informationBoxKeys() {
    QFETCH(QString, keys);
    AnswerWith(keys);
    ShowInformationBox(QStringLiteral("Fertig")); // returns only once closed
}

void TestDialogs::confirmationBoxKeys_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("expected");
    QTest::newRow("Enter") << QStringLiteral("Return") << int{ResultYes};
    QTest::newRow("Space") << QStringLiteral("Space") << int{ResultYes};
    QTest::newRow("Esc") << QStringLiteral("Escape") << int{ResultNo};
    QTest::newRow("N") << QStringLiteral("N") << int{ResultNo};
    QTest::newRow("Shift+N") << QStringLiteral("Shift+N") << int{ResultNo};
    QTest::newRow("J from Nein") << QStringLiteral("Tab J") << int{ResultYes};
    QTest::newRow("Alt+J") << QStringLiteral("Tab Alt+J") << int{ResultYes};
    QTest::newRow("Alt+N") << QStringLiteral("Alt+N") << int{ResultNo};
    QTest::newRow("Tab Enter") << QStringLiteral("Tab Return") << int{ResultNo};
    QTest::newRow("Tab wraps") << QStringLiteral("Tab Tab Return") << int{ResultYes};
    QTest::newRow("Shift+Tab wraps") << QStringLiteral("Shift+Tab Space") << int{ResultNo};
    QTest::newRow("other letter") << QStringLiteral("X Return") << int{ResultYes};
    QTest::newRow("close box") << QStringLiteral("Close") << int{ResultCancel};
    QTest::newRow("program ends") << QStringLiteral("CloseAll") << int{ResultCancel};
}

void TestDialogs::confirmationBoxKeys() {
    QFETCH(QString, keys);
    QFETCH(int, expected);
    AnswerWith(keys);
    QCOMPARE(ShowConfirmationBox(kQuestion), expected);
}

void TestDialogs::inputDialogKeys_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("result");
    const QString htm = QStringLiteral(".HTM");
    QTest::newRow("Enter keeps the text") << htm << QStringLiteral("Return") << true << htm;
    QTest::newRow("typing replaces the selection")
        << htm << QStringLiteral("=.PHP Return") << true << QStringLiteral(".PHP");
    QTest::newRow("empty and OK") << QString() << QStringLiteral("Tab Space") << true << QString();
    QTest::newRow("erased and Enter")
        << htm << QStringLiteral("Backspace Return") << true << QString();
    QTest::newRow("Esc") << htm << QStringLiteral("X Escape") << false << htm;
    QTest::newRow("Abbrechen by Space") << htm << QStringLiteral("X Tab Tab Space") << false << htm;
    QTest::newRow("Abbrechen by Enter")
        << htm << QStringLiteral("X Shift+Tab Return") << false << htm;
    QTest::newRow("Tab wraps to the edit")
        << htm << QStringLiteral("Tab Tab Tab =Y Return") << true << QStringLiteral("Y");
    QTest::newRow("close box") << htm << QStringLiteral("X Close") << false << htm;
    QTest::newRow("program ends") << htm << QStringLiteral("X CloseAll") << false << htm;
}

void TestDialogs::inputDialogKeys() {
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(bool, accepted);
    QFETCH(QString, result);
    AnswerWith(keys);
    QString text = start;
    QCOMPARE(ShowInputDialog(kCaption, kPrompt, text), accepted);
    QCOMPARE(text, result);
}

void TestDialogs::dialogDestroyedFromOutsideAnswersCancel() {
    WhenModal([](QWidget* modal) { delete modal; });
    QCOMPARE(ShowConfirmationBox(kQuestion), int{ResultCancel});

    WhenModal([](QWidget* modal) { delete modal; });
    QString text = QStringLiteral("kept");
    QVERIFY(!ShowInputDialog(kCaption, kPrompt, text));
    QCOMPARE(text, QStringLiteral("kept"));
}

void TestDialogs::otherWindowsWaitForTheDialog() {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Glyphwright"));
    window.resize(200, 100);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    bool applicationModal = false;
    bool ownedByWindow = false;
    bool windowBlocked = false;
    WhenModal([&](QWidget* modal) {
        applicationModal = modal->windowModality() == Qt::ApplicationModal;
        ownedByWindow = modal->parentWidget() == &window; // no task-bar entry of its own
        windowBlocked = QApplication::activeWindow() == modal && !window.isActiveWindow();
        PressKeys(modal, QStringLiteral("Escape"));
    });
    ShowInformationBox(QStringLiteral("Fertig"));
    QVERIFY(applicationModal);
    QVERIFY(ownedByWindow);
    QVERIFY(windowBlocked);
    QVERIFY(QTest::qWaitForWindowActive(&window)); // active again afterwards
}

void TestDialogs::longTextWrapsAndGrowsInHeight() {
    const QString text = QStringLiteral("Ein recht langer Satz ohne Ende ").repeated(12);
    const auto [label, client] = InformationBoxShape(text);
    const int limit = Screen().width() / 2;
    QVERIFY2(label.width() <= limit, qPrintable(QString::number(label.width())));
    QVERIFY(label.height() >= 4 * 13);
    QCOMPARE(label.size(), MessageTextSize(text));
    QCOMPARE(client, QSize(label.width() + 24, label.height() + 23 + 16 + 26));

    // A line break in the text starts a new line.
    const auto [twoLines, twoLinesClient] = InformationBoxShape(QStringLiteral("eins\nzwei"));
    QCOMPARE(twoLines.height(), 26);
    QCOMPARE(twoLinesClient.height(), 78 + 13);
}

void TestDialogs::wordWiderThanHalfTheScreenWidensTheBox() {
    const QString word = QString(Screen().width() / 20, u'W'); // 440 of 800 pixels
    const QString text = QStringLiteral("kurz ") + word + QStringLiteral(" kurz");
    const auto [label, client] = InformationBoxShape(text);
    QVERIFY(label.width() > Screen().width() / 2);
    QCOMPARE(label.width(), QFontMetrics(QApplication::font()).horizontalAdvance(word));
    QCOMPARE(label.height(), 3 * 13);
    QCOMPARE(client.width(), label.width() + 24);
}

// A 255-character file name after a failed run: the box stays on the screen
// and the name is broken over as many lines as it needs, none of it cut.
void TestDialogs::wordWiderThanTheScreenIsBroken() {
    const QString name = QStringLiteral("/") + QString(254, u'W');
    const QString text = QStringLiteral("Fertig\n\nNicht umgewandelt:\nDatei ") + name +
                         QStringLiteral(" kann nicht geöffnet werden: Nicht vorhanden");
    QRect frame, available, label;
    QString shown;
    int needed = 0;
    bool labelInside = false;
    WhenModal([&](QWidget* modal) {
        frame = modal->frameGeometry();
        available = modal->screen()->availableGeometry();
        auto* message = modal->findChild<QLabel*>(QString::fromLatin1(kMessageTextName));
        label = message->geometry();
        shown = message->text();
        needed = message->heightForWidth(label.width());
        labelInside = modal->rect().contains(label);
        PressKeys(modal, QStringLiteral("Return"));
    });
    ShowInformationBox(text);
    QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("%1 wide").arg(frame.width())));
    QCOMPARE(shown, text);
    // Four lines besides the name, which needs more than one of its own.
    const int nameWidth = QFontMetrics(QApplication::font()).horizontalAdvance(name);
    QVERIFY(nameWidth > label.width());
    QVERIFY2(needed >= (4 + nameWidth / label.width()) * 13, qPrintable(QString::number(needed)));
    QVERIFY(label.height() >= needed);
    QVERIFY(labelInside);
}

void TestDialogs::tabIsExpanded() {
    const QFontMetrics metrics(QApplication::font());
    const QRect label = InformationBoxShape(QStringLiteral("a\tb")).first;
    // Expanded to the next tab stop, not drawn as a narrow box or nothing.
    QVERIFY2(label.width() >= metrics.horizontalAdvance(QStringLiteral("ab")) + 20,
             qPrintable(QString::number(label.width())));
}

void TestDialogs::messageTextIsPlain() {
    QString shown;
    WhenModal([&shown](QWidget* modal) {
        auto* label = modal->findChild<QLabel*>(QString::fromLatin1(kMessageTextName));
        shown = label->textFormat() == Qt::PlainText ? label->text() : QString();
        PressKeys(modal, QStringLiteral("Return"));
    });
    ShowInformationBox(QStringLiteral("Umlaute nach <b>HTML</b> & zurück"));
    QCOMPARE(shown, QStringLiteral("Umlaute nach <b>HTML</b> & zurück"));
}

void TestDialogs::inputRefusesThe256thCharacter() {
    // Typed: the edit is full, a further key changes nothing.
    QString text(kInputMaxLength, u'a');
    AnswerWith(QStringLiteral("End B Return"));
    QVERIFY(ShowInputDialog(kCaption, kPrompt, text));
    QCOMPARE(text, QString(kInputMaxLength, u'a'));

    // Pasted: only what fits is taken.
    QGuiApplication::clipboard()->setText(QString(10, u'b'));
    text = QString(kInputMaxLength - 4, u'a');
    AnswerWith(QStringLiteral("End Ctrl+V Return"));
    QVERIFY(ShowInputDialog(kCaption, kPrompt, text));
    QCOMPARE(text, QString(kInputMaxLength - 4, u'a') + QString(4, u'b'));
}

void TestDialogs::pasteIsCutAtItsFirstLineBreak_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LF") << QString() << QString() << QStringLiteral("ab\ncd")
                        << QStringLiteral("ab");
    QTest::newRow("CR LF") << QString() << QString() << QStringLiteral("ab\r\ncd\r\n")
                           << QStringLiteral("ab");
    QTest::newRow("break first") << QString() << QString() << QStringLiteral("\nab") << QString();
    QTest::newRow("into the middle") << QStringLiteral("xy") << QStringLiteral("End Left")
                                     << QStringLiteral("ab\ncd\nef") << QStringLiteral("xaby");
    QTest::newRow("over a selection") << QStringLiteral("xyz") << QStringLiteral("End Shift+Left")
                                      << QStringLiteral("a\rb") << QStringLiteral("xya");
}

// As a single-line edit takes a paste: what follows the first line break is left out, so no
// entry can hold a line break.
void TestDialogs::pasteIsCutAtItsFirstLineBreak() {
    QFETCH(QString, text);
    QFETCH(QString, keys);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    QGuiApplication::clipboard()->setText(pasted);
    AnswerWith(keys + QStringLiteral(" Ctrl+V Return"));
    QVERIFY(ShowInputDialog(kCaption, kPrompt, text));
    QCOMPARE(text, expected);
}

void TestDialogs::fullStopRule_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");
    QTest::newRow("letter") << QStringLiteral("Datei nicht gefunden")
                            << QStringLiteral("Datei nicht gefunden.");
    QTest::newRow("parenthesis") << QStringLiteral("Fehler (3)") << QStringLiteral("Fehler (3)");
    QTest::newRow("full stop") << QStringLiteral("Fertig.") << QStringLiteral("Fertig.");
    QTest::newRow("space") << QStringLiteral("Ende ") << QStringLiteral("Ende ");
    QTest::newRow("hyphen, below the full stop") << QStringLiteral("a-") << QStringLiteral("a-");
    QTest::newRow("slash, above it") << QStringLiteral("a/") << QStringLiteral("a/.");
    QTest::newRow("colon") << QStringLiteral("nach C:") << QStringLiteral("nach C:.");
    QTest::newRow("question") << QStringLiteral("Wie?") << QStringLiteral("Wie?.");
    QTest::newRow("umlaut") << QStringLiteral("Größe") << QStringLiteral("Größe.");
    QTest::newRow("empty") << QString() << QString();
}

void TestDialogs::fullStopRule() {
    QFETCH(QString, message);
    QFETCH(QString, expected);
    QCOMPARE(WithFullStop(message), expected);
}

void TestDialogs::errorBox() {
    struct {
        QString caption, text, buttonText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        Qt::TextFormat format = Qt::AutoText;
        qsizetype buttons = 0;
    } seen;
    WhenModal([&seen](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen = {box->windowTitle(), box->text(),       box->buttons().value(0)->text(),
                    box->icon(),        box->textFormat(), box->buttons().size()};
        }
        PressKeys(modal, QStringLiteral("Return"));
    });
    ShowErrorBox(QStringLiteral("Datei <a.htm> nicht gefunden"));
    QCOMPARE(seen.caption, QStringLiteral("Glyphwright"));
    QCOMPARE(seen.text, QStringLiteral("Datei <a.htm> nicht gefunden."));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.format, Qt::PlainText);
    QCOMPARE(seen.buttons, qsizetype{1});
    QCOMPARE(seen.buttonText, QStringLiteral("OK"));

    AnswerWith(QStringLiteral("Escape"));
    ShowErrorBox(QStringLiteral("Fehler (3)"));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpApplication(app); // the program's style and fonts
    TestDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Dialogs.moc"
