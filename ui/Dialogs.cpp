#include "ui/Dialogs.h"

#include "ui/DialogWindow.h"
#include "ui/InputDialog.h"
#include "ui/MessageDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace glyphwright::ui {

void ShowInformationBox(const QString& text) {
    RunMessageBox(MessageKind::Information, text);
}

void ShowInformationBoxToCopy(const QString& text) {
    RunMessageBox(MessageKind::Information, text, true);
}

int ShowConfirmationBox(const QString& text) {
    const int result = RunMessageBox(MessageKind::Confirmation, text);
    return (result == ResultYes || result == ResultNo) ? result : ResultCancel;
}

bool ShowInputDialog(const QString& caption, const QString& prompt, QString& text) {
    return RunInputDialog(caption, prompt, text);
}

QString WithFullStop(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.') {
        return message + u'.';
    }
    return message;
}

void ShowErrorBox(const QString& message) {
    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    auto* box = new QMessageBox(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle),
                                WithFullStop(message), QMessageBox::Ok, parent);
    // A failure text may quote file names or "<HTML>"; it is never rich text.
    box->setTextFormat(Qt::PlainText);
    // The same words as the other boxes, whether or not Qt's own German is installed.
    box->button(QMessageBox::Ok)->setText(QCoreApplication::translate("Dialogs", "OK"));
    RunAndDestroy(box);
}

} // namespace glyphwright::ui
