// The main window: every control's place at the design size and after a
// resize, the docking of the progress bar, the keyboard order, the menus, the
// web links and drops from anywhere on the window.
#include "tests/ui/UiTestSupport.h"
#include "ui/DialogWindow.h"
#include "ui/DockPanel.h"
#include "ui/StDropFiles.h"
#include "ui/Unit1.h"
#include "ui/WebLinks.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSizeGrip>
#include <QStatusBar>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace glyphwright::ui;

namespace {

struct Expected {
    const char* name;
    QRect geometry; // relative to the control's container
};

// Controls that are not docked, from the layout table.
const Expected kFixedControls[] = {
    {"Label1", {48, 56, 196, 13}},        {"Button5", {48, 72, 89, 17}},
    {"Button6", {136, 72, 89, 17}},       {"Button7", {232, 72, 105, 17}},
    {"CheckListBox2", {48, 88, 401, 81}}, {"Button3", {0, 7, 89, 17}},
    {"Button4", {88, 7, 89, 17}},         {"CheckBox1", {48, 48, 401, 17}},
    {"Button1", {48, 72, 401, 25}},       {"Button2", {48, 104, 401, 25}},
};

// The contrast of two colours as the web's accessibility guidelines measure it.
double ContrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](double channel) {
            return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Static texts whose size follows their font: the top-left corner is fixed.
const Expected kSelfSizingTexts[] = {
    {"Label2", {8, 8, 0, 0}},    {"Label3", {8, 3, 0, 0}},    {"Label4", {8, 8, 0, 0}},
    {"Label5", {48, 7, 397, 0}}, {"Label6", {48, 8, 392, 0}}, {"Label7", {48, 21, 0, 0}},
};

// Records the web addresses the program asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

// Counts close requests that reach the window.
class CloseCounter : public QObject {
public:
    int closes = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            ++closes;
        }
        return QObject::eventFilter(watched, event);
    }
};

QMimeData* FileDrag(const QStringList& paths) {
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    mime->setUrls(urls);
    return mime;
}

// Sends a drag-enter and a drop at the centre of target, as a drag from
// another program would arrive.
void DropOn(QWidget* target, const QMimeData* mime) {
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(centre), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    // The paths are taken in once the event loop turns after the drop.
    QCoreApplication::processEvents();
}

} // namespace

class TestUnit1 : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TForm1> form_;

    template <class T = QWidget> T* Find(const char* name) {
        T* found = form_->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            qFatal("no control %s", name);
        }
        return found;
    }

    void ResizeClient(int width, int height) {
        form_->resize(width, height + form_->menuBar()->height());
        QTRY_COMPARE(Find<DockPanel>("ClientArea")->size(), QSize(width, height));
    }

    void CheckFixedControls() {
        for (const Expected& e : kFixedControls) {
            QCOMPARE(Find(e.name)->geometry(), e.geometry);
        }
        for (const Expected& e : kSelfSizingTexts) {
            auto* label = Find<QLabel>(e.name);
            QCOMPARE(label->pos(), e.geometry.topLeft());
            const QFontMetrics metrics(label->font());
            if (label->wordWrap()) {
                QCOMPARE(label->width(), e.geometry.width());
                QCOMPARE(label->height(), label->heightForWidth(e.geometry.width()));
            } else {
                QCOMPARE(label->size(),
                         QSize(metrics.horizontalAdvance(label->text()), metrics.height()));
            }
        }
    }

private slots:
    void init() {
        form_ = std::make_unique<TForm1>();
        form_->ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() { form_.reset(); }

    void everyControlHasItsPlaceAtTheDesignSize() {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Glyphwright"));
        QCOMPARE(Find<DockPanel>("ClientArea")->size(), QSize(452, 495));
        QCOMPARE(form_->size(), QSize(452, 495 + form_->menuBar()->height()));
        QCOMPARE(Find("StatusBar1")->geometry(), QRect(0, 476, 452, 19));
        QCOMPARE(Find("ProgressBar1")->geometry(), QRect(0, 471, 452, 5));
        QCOMPARE(Find("Panel2")->geometry(), QRect(0, 334, 452, 137));
        QCOMPARE(Find("Panel1")->geometry(), QRect(0, 0, 452, 193));
        QCOMPARE(Find("Panel3")->geometry(), QRect(0, 193, 452, 141));
        QCOMPARE(Find("Panel4")->geometry(), QRect(0, 0, 452, 41));
        QCOMPARE(Find("Panel5")->geometry(), QRect(0, 41, 48, 100));
        QCOMPARE(Find("Panel6")->geometry(), QRect(48, 41, 404, 100));
        QCOMPARE(Find("Panel7")->geometry(), QRect(0, 0, 404, 24));
        QCOMPARE(Find("ListBox1")->geometry(), QRect(0, 24, 404, 76));
        CheckFixedControls();
        // The containers of the table.
        QCOMPARE(Find("Label2")->parent(), Find("Panel1"));
        QCOMPARE(Find("Button3")->parent(), Find("Panel7"));
        QCOMPARE(Find("Label3")->parent(), Find("Panel4"));
        QCOMPARE(Find("CheckBox1")->parent(), Find("Panel2"));
    }

    void enlargingGivesEverythingToTheFileList() {
        ResizeClient(552, 595);
        QCOMPARE(Find("ListBox1")->size(), QSize(504, 176));
        QCOMPARE(Find("Panel5")->size(), QSize(48, 200));
        QCOMPARE(Find("StatusBar1")->geometry(), QRect(0, 576, 552, 19));
        QCOMPARE(Find("ProgressBar1")->geometry(), QRect(0, 571, 552, 5));
        QCOMPARE(Find("Panel2")->geometry(), QRect(0, 434, 552, 137));
        QCOMPARE(Find("Panel1")->geometry(), QRect(0, 0, 552, 193));
        CheckFixedControls();
    }

    void hidingTheProgressBarGivesItsRoomToTheList() {
        QWidget* list = Find("ListBox1");
        Find<QProgressBar>("ProgressBar1")->hide();
        QCOMPARE(list->height(), 81);
        QCOMPARE(Find("Panel2")->geometry(), QRect(0, 339, 452, 137));
        Find<QProgressBar>("ProgressBar1")->show();
        QCOMPARE(list->height(), 76);
        QCOMPARE(Find("ProgressBar1")->geometry(), QRect(0, 471, 452, 5));
        // From a client area 419 high on, the list gets no height (414 without the bar).
        ResizeClient(452, 419);
        QCOMPARE(list->height(), 0);
        Find<QProgressBar>("ProgressBar1")->hide();
        QCOMPARE(list->height(), 5);
    }

    void controlsStartAsTheFirstStartShowsThem() {
        auto* extensions = Find<QListView>("CheckListBox2");
        QCOMPARE(extensions->model()->rowCount(), 7);
        const QStringList defaults = {".HTM", ".HTML", ".INC", ".PHP", ".PHP3", ".SHTM", ".SHTML"};
        for (int row = 0; row < 7; ++row) {
            const QModelIndex index = extensions->model()->index(row, 0);
            QCOMPARE(index.data().toString(), defaults[row]);
            QCOMPARE(index.data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
            QCOMPARE(extensions->visualRect(index).height(), 13);
        }
        QCOMPARE(extensions->selectionMode(), QAbstractItemView::SingleSelection);
        auto* files = Find<QListView>("ListBox1");
        QCOMPARE(files->model()->rowCount(), 0);
        QCOMPARE(files->selectionMode(), QAbstractItemView::ExtendedSelection);
        form_->Files().Append("/tmp/a.htm");
        QCOMPARE(files->model()->rowCount(), 1);
        QCOMPARE(files->visualRect(files->model()->index(0, 0)).height(), 13);
        QVERIFY(Find<QCheckBox>("CheckBox1")->isChecked());
        auto* progress = Find<QProgressBar>("ProgressBar1");
        QVERIFY(progress->isVisible());
        QCOMPARE(progress->value(), 0);
        QCOMPARE(progress->maximum(), 100);
        QVERIFY(!Find<QLabel>("StatusText")->text().isEmpty());
        auto* grip = Find<QStatusBar>("StatusBar1")->findChild<QSizeGrip*>();
        QVERIFY(grip != nullptr && grip->isVisible());
        // No default button: Enter only presses a focused button.
        for (QPushButton* button : form_->findChildren<QPushButton*>()) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        QCOMPARE(Find<QLabel>("Label6")->text(),
                 QStringLiteral("Jetzt die Dateien per Drag & Drop aus dem Explorer ziehen und "
                                "über der Liste \"fallen lassen\""));
        QCOMPARE(Find<QLabel>("Label3")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    }

    // Navy on the classic grey; on a dark desktop a blue that can be read,
    // and back again when the desktop changes its colours while the window is open.
    void stepNumbersCanBeReadOnAnyDesktop() {
        const QPalette offered = QApplication::palette();
        QPalette dark(QColor(0x31, 0x36, 0x3b), QColor(0x2a, 0x2e, 0x32));
        dark.setColor(QPalette::WindowText, QColor(0xfc, 0xfc, 0xfc));
        for (const char* name : {"Label2", "Label3", "Label4"}) {
            const auto* label = Find<QLabel>(name);
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 128));
            QApplication::setPalette(dark);
            QCoreApplication::sendPostedEvents();
            const QColor shown = label->palette().color(QPalette::WindowText);
            const QColor behind = label->parentWidget()->palette().color(QPalette::Window);
            QCOMPARE(behind, dark.color(QPalette::Window));
            QVERIFY2(ContrastRatio(shown, behind) >= 4.5, qPrintable(shown.name()));
            QVERIFY(shown.blue() > shown.red() && shown.blue() > shown.green());
            QApplication::setPalette(offered);
            QCoreApplication::sendPostedEvents();
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        }
    }

    void menusCarryTheirAccessKeys() {
        QCOMPARE(Find<QMenu>("Datei1")->title(), QStringLiteral("&Datei"));
        QCOMPARE(Find<QMenu>("Infos1")->title(), QStringLiteral("&Infos"));
        QCOMPARE(Find<QAction>("Beenden1")->text(), QStringLiteral("&Beenden"));
        const QList<QAction*> infos = Find<QMenu>("Infos1")->actions();
        QCOMPARE(infos.size(), 3);
        QCOMPARE(infos[0]->text(), QStringLiteral("&Copyright"));
        QCOMPARE(infos[1]->text(), QStringLiteral("&Spenden"));
        QCOMPARE(infos[2]->text(), QStringLiteral("&Webseite besuchen"));
        QCOMPARE(Find<QMenuBar>("MainMenu1"), form_->menuBar());
    }

    void tabWalksTheControlsAndWrapsAround() {
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        const char* order[] = {"CheckListBox2", "Button5",  "Button6",   "Button7", "Button3",
                               "Button4",       "ListBox1", "CheckBox1", "Button1", "Button2"};
        QCOMPARE(QApplication::focusWidget(), Find(order[0]));
        for (int step = 1; step <= 10; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(),
                     QString::fromLatin1(order[step % 10]));
        }
        for (int step = 9; step >= 0; --step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(order[step]));
        }
    }

    // Enter, like Space, presses the button that has the focus; these three
    // buttons change nothing on an empty window.
    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        for (const char* name : {"Button6", "Button4", "Button2"}) {
            QTest::newRow(name) << QString::fromLatin1(name) << int(Qt::Key_Return);
            QTest::newRow((name + QByteArray(" keypad")).constData())
                << QString::fromLatin1(name) << int(Qt::Key_Enter);
        }
    }

    void enterPressesTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(int, key);
        auto* pressed = Find<QPushButton>(button.toLatin1().constData());
        QSignalSpy clicks(pressed, &QPushButton::clicked);
        pressed->setFocus();
        QTest::keyClick(pressed, Qt::Key(key));
        QCOMPARE(clicks.count(), 1);
        // Elsewhere Enter presses nothing: the window has no default button.
        Find("ListBox1")->setFocus();
        QTest::keyClick(Find("ListBox1"), Qt::Key(key));
        QCOMPARE(clicks.count(), 1);
    }

    void exitClosesTheWindowLikeTheCloseBox() {
        CloseCounter counter;
        form_->installEventFilter(&counter);
        Find<QAction>("Beenden1")->trigger();
        QCOMPARE(counter.closes, 1);
        QVERIFY(!form_->isVisible());
    }

    void webLinksAskTheDesktop() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
        Find<QAction>("VisitWebsite1")->trigger();
        Find<QAction>("Donate1")->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(catcher.opened.size(), 2);
        QCOMPARE(catcher.opened[0].toString(), QStringLiteral("http://www.glyphwright.example"));
        QCOMPARE(catcher.opened[1].toString(),
                 QStringLiteral("http://www.glyphwright.example/de/sendmoney.php"));
    }

    // Without a browser the address is shown, and the keyboard copies it.
    void aLinkNoBrowserTakesShowsItsAddress_data() {
        QTest::addColumn<QUrl>("address");
        QTest::addColumn<bool>("opens");
        QTest::newRow("home page, no browser") << HomePageUrl() << false;
        QTest::newRow("donation page, no browser") << DonationPageUrl() << false;
        QTest::newRow("home page opened") << HomePageUrl() << true;
    }

    void aLinkNoBrowserTakesShowsItsAddress() {
        QFETCH(QUrl, address);
        QFETCH(bool, opens);
        QGuiApplication::clipboard()->clear();
        QString shown;
        bool byMouse = false;
        test::WhenModal([&](QWidget* box) {
            auto* text = test::Child<QLabel>(*box, kMessageTextName);
            shown = text->text();
            byMouse = (text->textInteractionFlags() & Qt::TextSelectableByMouse) != 0;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Return);
        });
        QList<QUrl> asked;
        OpenWebPage(address, [&](const QUrl& url) {
            asked << url;
            return opens;
        });
        QCOMPARE(asked, QList<QUrl>{address});
        if (opens) {
            QVERIFY(shown.isEmpty());
            return;
        }
        QVERIFY(shown.endsWith(QStringLiteral("\n\n") + address.toString()));
        QVERIFY(byMouse);
        QCOMPARE(QGuiApplication::clipboard()->text(), shown);
    }

    void dropsFromAnywhereReachTheHandler() {
        auto* dropTarget = form_->findChild<StDropFiles*>(QStringLiteral("StDropFiles1"));
        QVERIFY(dropTarget != nullptr);
        QSignalSpy handled(dropTarget, &StDropFiles::DropFiles);
        QWidget* targets[] = {Find<QListView>("ListBox1")->viewport(),
                              Find<QListView>("CheckListBox2")->viewport(),
                              Find("Button7"),
                              Find("Label1"),
                              Find("Label3"),
                              Find("StatusBar1"),
                              Find("MainMenu1")};
        int drops = 0;
        for (QWidget* target : targets) {
            const QString name = QStringLiteral("/tmp/drop %1/Datei ä.htm").arg(drops);
            std::unique_ptr<QMimeData> mime(FileDrag({name, QStringLiteral("/tmp/b.php")}));
            DropOn(target, mime.get());
            ++drops;
            QCOMPARE(handled.count(), drops);
            const std::vector<std::string> expected = {name.toUtf8().toStdString(), "/tmp/b.php"};
            QCOMPARE(dropTarget->Files(), expected);
        }
        // A drag without local files is refused and leaves the latest list.
        auto* web = new QMimeData;
        web->setUrls({QUrl(QStringLiteral("http://www.glyphwright.example/a.htm"))});
        std::unique_ptr<QMimeData> owner(web);
        DropOn(Find("Button1"), web);
        QCOMPARE(handled.count(), drops);
        QCOMPARE(dropTarget->Files().size(), std::size_t{2});

        // A disabled window (as during a conversion run) takes no drops.
        form_->setEnabled(false);
        std::unique_ptr<QMimeData> late(FileDrag({QStringLiteral("/tmp/late.htm")}));
        DropOn(Find<QListView>("ListBox1")->viewport(), late.get());
        form_->setEnabled(true);
        QCOMPARE(handled.count(), drops);
    }

    void startsCentredOnTheScreen() {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect frame = form_->frameGeometry();
        QCOMPARE(frame.left(), std::max(0, (screen.width() - frame.width()) / 2));
        QCOMPARE(frame.top(), std::max(0, (screen.height() - frame.height()) / 2));
    }
};

GW_UI_TEST_MAIN(TestUnit1)
#include "tst_Unit1.moc"
