#include "ui/MessageDialog.h"

#include "ui/DialogGeometry.h"
#include "ui/DialogWindow.h"
#include "ui/Dialogs.h"
#include "ui/FramePlacement.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <vector>

namespace glyphwright::ui {

namespace {

struct ButtonLook {
    const char* caption;
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
        return {QStringLiteral("Bestätigen"),
                true,
                {{"&Ja", ResultYes, kYesButtonName}, {"&Nein", ResultNo, kNoButtonName}},
                1};
    }
    return {QString::fromLatin1(kApplicationTitle), false, {{"OK", ResultOk, kOkButtonName}}, 0};
}

QSize MeasureMessageText(const QFontMetrics& metrics, const QString& text, int wrapWidth) {
    return metrics.boundingRect(QRect(0, 0, wrapWidth, 0), kMessageTextFlags, text).size();
}

} // namespace

int RunMessageBox(MessageKind kind, const QString& text) {
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
    const MessageBoxLayout layout = LayOutMessageBox(request);

    dialog->SetClientSize(layout.clientSize);
    if (look.hasIcon) {
        auto* icon = new QLabel(dialog);
        icon->setObjectName(QString::fromLatin1(kMessageIconName));
        const QIcon question = dialog->style()->standardIcon(QStyle::SP_MessageBoxQuestion);
        icon->setPixmap(question.pixmap(layout.iconRect.size(), dialog->devicePixelRatioF()));
        icon->setGeometry(layout.iconRect);
    }
    auto* label = new QLabel(dialog);
    label->setObjectName(QString::fromLatin1(kMessageTextName));
    label->setTextFormat(Qt::PlainText); // a message such as "<HTML>" is shown as written
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(text);
    label->setGeometry(layout.textRect);

    std::vector<QPushButton*> buttons;
    for (std::size_t i = 0; i < look.buttons.size(); ++i) {
        const ButtonLook& b = look.buttons[i];
        QPushButton* button =
            dialog->AddButton(QString::fromUtf8(b.caption), b.result, b.objectName);
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
