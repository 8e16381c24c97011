#include "ui/InputDialog.h"

#include "ui/DialogGeometry.h"
#include "ui/DialogWindow.h"
#include "ui/Dialogs.h"
#include "ui/FramePlacement.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QValidator>

#include <algorithm>

namespace glyphwright::ui {

namespace {

// The edit holds one line: a pasted text is cut at its first line break, as a
// single-line edit takes it. A break can only come in with the text just
// inserted, which ends at the cursor, so the cut runs from the break to there.
class OneLine : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& text, int& cursor) const override {
        static const QRegularExpression lineBreak(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]"));
        const qsizetype first = text.indexOf(lineBreak);
        if (first >= 0) {
            const qsizetype end = std::max<qsizetype>(cursor, first + 1);
            text.remove(first, end - first);
            text.remove(lineBreak); // only if the cursor stood before the break
            cursor = static_cast<int>(first);
        }
        return Acceptable;
    }
};

} // namespace

bool RunInputDialog(const QString& caption, const QString& prompt, QString& text) {
    auto* dialog = new DialogWindow(caption);
    dialog->setFont(QApplication::font()); // the program's window font
    const QFontMetrics metrics(dialog->font());
    const DialogUnits units = MeasureDialogUnits(metrics);
    const QSize promptSize = metrics.boundingRect(QRect(), Qt::TextSingleLine, prompt).size();
    const InputDialogLayout layout =
        LayOutInputDialog(units, promptSize, InputEditHeight(metrics.height()));

    dialog->SetClientSize(layout.clientSize);
    auto* label = new QLabel(dialog);
    label->setObjectName(QString::fromLatin1(kPromptName));
    label->setTextFormat(Qt::PlainText);
    label->setText(prompt);
    label->setGeometry(layout.promptRect);

    // Created before the buttons, so the Tab order is edit, OK, Abbrechen.
    auto* edit = new QLineEdit(dialog);
    edit->setObjectName(QString::fromLatin1(kEditName));
    edit->setMaxLength(kInputMaxLength);
    edit->setValidator(new OneLine(edit));
    edit->setText(text);
    edit->selectAll();
    edit->setGeometry(layout.editRect);

    QPushButton* ok =
        dialog->AddButton(QCoreApplication::translate("Dialogs", "OK"), ResultOk, kOkButtonName);
    ok->setGeometry(layout.okButtonRect);
    ok->setDefault(true);
    QPushButton* cancel = dialog->AddButton(QCoreApplication::translate("Dialogs", "Abbrechen"),
                                            ResultCancel, kCancelButtonName);
    cancel->setGeometry(layout.cancelButtonRect);
    dialog->SetCancelButton(cancel);
    edit->setFocus();

    const QRect screen = PrimaryScreenRect();
    const QSize frameSize = FrameSize(layout.clientSize, dialog->FrameMargins());
    dialog->MoveFrameTo(InputDialogFramePosition(screen, frameSize));
    PlaceAgainWhenFramed(
        *dialog, [screen](const QSize& frame) { return InputDialogFramePosition(screen, frame); });

    // Read the edit before the dialog goes; the guard covers a dialog destroyed from outside.
    const QPointer<QLineEdit> editGuard(edit);
    QString edited;
    QObject::connect(dialog, &QDialog::finished, dialog, [&edited, editGuard] {
        if (!editGuard.isNull()) {
            edited = editGuard->text();
        }
    });
    if (RunAndDestroy(dialog) != ResultOk) {
        return false;
    }
    text = edited;
    return true;
}

} // namespace glyphwright::ui
