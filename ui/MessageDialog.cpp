#include "ui/MessageDialog.h"

#include "ui/DialogGeometry.h"
#include "ui/DialogWindow.h"
#include "ui/Dialogs.h"
#include "ui/FramePlacement.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace glyphwright::ui {

namespace {

struct ButtonLook {
    const char* caption; // German, translated when shown
    int result;
    const char* objectName;
};

struct KindLook {
    QString caption;
    bool hasIcon;
    std::vector<ButtonLook> buttons; // left to right; the first is the default
    int cancelIndex;
};

KindLook LookOf(MessageKind kind) {
    if (kind == MessageKind::Confirmation) {
        return {QCoreApplication::translate("Dialogs", "Bestätigen"),
                true,
                {{QT_TRANSLATE_NOOP("Dialogs", "&Ja"), ResultYes, kYesButtonName},
                 {QT_TRANSLATE_NOOP("Dialogs", "&Nein"), ResultNo, kNoButtonName}},
                1};
    }
    return {QString::fromLatin1(kApplicationTitle),
            false,
            {{QT_TRANSLATE_NOOP("Dialogs", "OK"), ResultOk, kOkButtonName}},
            0};
}

QSize MeasureMessageText(const QFontMetrics& metrics, const QString& text, int wrapWidth) {
    return metrics.boundingRect(QRect(0, 0, wrapWidth, 0), kMessageTextFlags, text).size();
}

// Lays text out in lines of at most width pixels, broken between words where it can be and
// inside a word only where that word is wider than a line; draws it when painter is given.
// Returns the size it takes.
QSize LayOutBreakingWords(const QString& text, const QFont& font, int width,
                          QPainter* painter = nullptr) {
    QString lines = text;
    lines.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(lines, font);
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    qreal widest = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
        widest = std::max(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    if (painter != nullptr) {
        layout.draw(painter, QPointF());
    }
    return QSize(static_cast<int>(std::ceil(widest)), static_cast<int>(std::ceil(height)));
}

// The message text. QLabel's word wrap never breaks inside a word; where one word is wider
// than the box may grow (a long file name), this label breaks it.
class MessageText : public QLabel {
public:
    MessageText(QWidget* parent, bool breakWords) : QLabel(parent), breakWords_(breakWords) {}

    int heightForWidth(int lineWidth) const override {
        return breakWords_ ? LayOutBreakingWords(text(), font(), lineWidth).height()
                           : QLabel::heightForWidth(lineWidth);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (!breakWords_) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        LayOutBreakingWords(text(), font(), width(), &painter);
    }

private:
    bool breakWords_;
};

} // namespace

int RunMessageBox(MessageKind kind, const QString& text, bool selectable) {
    const KindLook look = LookOf(kind);
    auto* dialog = new DialogWindow(look.caption);
    // The program's window font is installed as the application font; it stands in for the
    // desktop's message-box font.
    dialog->setFont(QApplication::font());
    const QFontMetrics metrics(dialog->font());
    const QRect screen = PrimaryScreenRect();

    MessageBoxRequest request;
    request.units = MeasureDialogUnits(metrics);
    request.textSize = MeasureMessageText(metrics, text, MessageTextWrapWidth(screen));
    request.hasIcon = look.hasIcon;
    request.buttonCount = static_cast<int>(look.buttons.size());
    request.screen = screen;
    request.frame = dialog->FrameMargins();
    // A word may widen the box, but only as far as the work area reaches.
    const int maxTextWidth =
        MessageTextMaxWidth(PrimaryScreenWorkArea(), request.frame, request.units, look.hasIcon);
    const bool breakWords = request.textSize.width() > maxTextWidth;
    if (breakWords) {
        request.textSize = LayOutBreakingWords(text, dialog->font(), maxTextWidth);
    }
    const MessageBoxLayout layout = LayOutMessageBox(request);

    dialog->SetClientSize(layout.clientSize);
    if (look.hasIcon) {
        auto* icon = new QLabel(dialog);
        icon->setObjectName(QString::fromLatin1(kMessageIconName));
        const QIcon question = dialog->style()->standardIcon(QStyle::SP_MessageBoxQuestion);
        icon->setPixmap(question.pixmap(layout.iconRect.size(), dialog->devicePixelRatioF()));
        icon->setGeometry(layout.iconRect);
    }
    auto* label = new MessageText(dialog, breakWords);
    label->setObjectName(QString::fromLatin1(kMessageTextName));
    label->setTextFormat(Qt::PlainText); // a message such as "<HTML>" is shown as written
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(text);
    label->setGeometry(layout.textRect);
    if (selectable) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        // QLabel takes the focus by click only; the keyboard reaches it by Tab as well.
        label->setFocusPolicy(Qt::StrongFocus);
    }

    std::vector<QPushButton*> buttons;
    for (std::size_t i = 0; i < look.buttons.size(); ++i) {
        const ButtonLook& b = look.buttons[i];
        QPushButton* button = dialog->AddButton(QCoreApplication::translate("Dialogs", b.caption),
                                                b.result, b.objectName);
        button->setGeometry(layout.buttonRects[i]);
        buttons.push_back(button);
    }
    buttons.front()->setDefault(true);
    buttons.front()->setFocus();
    dialog->SetCancelButton(buttons[static_cast<std::size_t>(look.cancelIndex)]);

    dialog->MoveFrameTo(layout.framePosition);
    PlaceAgainWhenFramed(
        *dialog, [screen](const QSize& frame) { return MessageBoxFramePosition(screen, frame); });
    return RunAndDestroy(dialog);
}

} // namespace glyphwright::ui
