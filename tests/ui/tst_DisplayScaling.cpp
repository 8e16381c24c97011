// The window on displays of other densities: run once as built (scale 1) and
// again under Qt's scaling (QT_SCALE_FACTOR, a desktop's DPI) and under the
// program's own DPI rule (QT_ENABLE_HIGHDPI_SCALING=0), each a ctest entry of
// its own, and in English at 100 % and 200 %. Text must grow with the
// display, drawn sharp in proportion, and no text may be cut off anywhere.
#include "tests/ui/UiTestSupport.h"
#include "ui/DialogGeometry.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/Unit1.h"
#include "ui/Unit_Copyright.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleOptionButton>

#include <memory>

using namespace glyphwright::ui;
using glyphwright::ui::test::Child;
using glyphwright::ui::test::WhenModal;

namespace {

// Device pixels per design pixel: Qt's own scaling times the DPI the program
// scales by itself.
double Scale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen->devicePixelRatio() * screen->logicalDotsPerInchY() / 96.0;
}

// The bounding box of the clearly drawn pixels, in device pixels; the most
// frequent colour is taken as the background.
QRect InkBox(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int difference = std::abs(qGray(pixel) - qGray(background));
            if (difference > 96) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// The text as the classic window font draws it on a plain 96-DPI display.
QRect ClassicInk(const QString& text) {
    QImage image(600, 40, QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(ClassicWindowFont());
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    return InkBox(image);
}

QString WithoutAccessKeys(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// Every text below root that does not fit the room its control gives it.
QStringList Clipped(const QWidget& root) {
    QStringList clipped;
    const auto note = [&clipped](const QWidget* widget, const QString& text) {
        clipped << widget->objectName() + QStringLiteral(" \"") + text + u'"';
    };
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&root)) {
            continue;
        }
        const QFontMetrics metrics(widget->font());
        if (auto* label = qobject_cast<const QLabel*>(widget)) {
            if (label->text().isEmpty()) {
                continue;
            }
            const QRect room = label->contentsRect();
            const bool fits = label->wordWrap()
                                  ? label->heightForWidth(label->width()) <= label->height()
                                  : metrics.horizontalAdvance(label->text()) <= room.width() &&
                                        metrics.height() <= room.height();
            const QWidget* parent = label->parentWidget();
            if (!fits || (parent != nullptr && !parent->rect().contains(label->geometry()))) {
                note(label, label->text());
            }
        } else if (auto* button = qobject_cast<const QPushButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect room =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QString text = WithoutAccessKeys(button->text());
            if (metrics.horizontalAdvance(text) > room.width() ||
                metrics.height() > room.height()) {
                note(button, text);
            }
        } else if (auto* box = qobject_cast<const QCheckBox*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(box);
            const QRect room =
                box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            if (metrics.horizontalAdvance(box->text()) > room.width() ||
                metrics.height() > room.height()) {
                note(box, box->text());
            }
        } else if (auto* list = qobject_cast<const QListView*>(widget)) {
            if (list->model() != nullptr && list->model()->rowCount() > 0) {
                const QModelIndex first = list->model()->index(0, 0);
                if (list->visualRect(first).height() < metrics.height()) {
                    note(list, first.data().toString());
                }
            }
        }
    }
    return clipped;
}

} // namespace

class TestDisplayScaling : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TForm1> form_;

private slots:
    void init() {
        form_ = std::make_unique<TForm1>();
        form_->ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() { form_.reset(); }

    // Label1 drawn at this scale against the classic font at scale 1: as
    // many times taller and wider as the display is denser, give or take a
    // little for the face, and so are the line height and the dialogs' X.
    void textGrowsWithTheDisplay() {
        const double scale = Scale();
        auto* label = Child<QLabel>(*form_, "Label1");
        const QRect classic = ClassicInk(label->text());
        const QRect shown = InkBox(label->grab().toImage());
        const double deviceRatio = label->devicePixelRatioF();
        const QFontMetrics metrics(label->font());
        const DialogUnits units = MeasureDialogUnits(metrics);
        qInfo("scale %.2f, device pixels: Label1 drawn %dx%d (classic at 1: %dx%d), line height "
              "%.0f, X %.0f",
              scale, shown.width(), shown.height(), classic.width(), classic.height(),
              metrics.height() * deviceRatio, units.x * deviceRatio);

        QVERIFY(shown.height() >= 0.9 * scale * classic.height());
        QVERIFY(shown.width() >= 0.9 * scale * classic.width());
        QVERIFY(shown.width() <= 1.15 * scale * classic.width());
        QVERIFY(metrics.height() * deviceRatio >= 0.9 * scale * kDesignLineHeight);
        QVERIFY(units.x * deviceRatio >= 0.9 * scale * 6);
        QVERIFY(units.x * deviceRatio <= 1.2 * scale * 6);
    }

    void nothingIsClippedInTheWindows() {
        QCOMPARE(Clipped(*form_), QStringList());
        form_->Files().Append("/tmp/a.htm");
        QCOMPARE(Clipped(*form_), QStringList());
        // Rows stay one design line high, scaled.
        for (const char* name : {"CheckListBox2", "ListBox1"}) {
            auto* list = Child<QListView>(*form_, name);
            QCOMPARE(list->visualRect(list->model()->index(0, 0)).height(),
                     Scaled(kDesignLineHeight));
        }

        TForm_Copyright about;
        about.ShowInFront();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(Clipped(about), QStringList());
    }

    void nothingIsClippedInTheDialogs() {
        QStringList clipped;
        const auto check = [&clipped](QWidget* modal) {
            clipped << Clipped(*modal);
            modal->close();
        };
        WhenModal(check);
        // The program's own texts, in the language it speaks.
        ShowInformationBox(QCoreApplication::translate("ConversionRunner", "Fertig"));
        WhenModal(check);
        ShowConfirmationBox(QCoreApplication::translate("TForm1", "Die gesamte Liste löschen?"));
        QString text;
        QSize inputSize;
        WhenModal([&](QWidget* modal) {
            inputSize = modal->size();
            check(modal);
        });
        ShowInputDialog(
            QCoreApplication::translate("TForm1", "Neue Endung"),
            QCoreApplication::translate("TForm1", "Bitte die Endung eingeben (z.B. \".PHP\"):"),
            text);
        WhenModal(check);
        ShowErrorBox(QStringLiteral("Datei /tmp/eine/ziemlich/lange/Datei.htm kann nicht "
                                    "geöffnet werden"));
        QCOMPARE(clipped, QStringList());
        // The input dialog grows with its font: 270 x 102 at the design font.
        const double deviceRatio = form_->devicePixelRatioF();
        QVERIFY(inputSize.width() * deviceRatio >= 0.9 * Scale() * 270);
        QVERIFY(inputSize.height() * deviceRatio >= 0.85 * Scale() * 102);
    }
};

GW_UI_TEST_MAIN(TestDisplayScaling)
#include "tst_DisplayScaling.moc"
