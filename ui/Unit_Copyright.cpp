#include "ui/Unit_Copyright.h"

#include "ui/AccessibleNames.h"
#include "ui/Fonts.h"
#include "ui/PushButton.h"
#include "ui/WindowPlacement.h"

#include <QCoreApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QWindow>

namespace glyphwright::ui {

namespace {

// The window's outer size is 460 x 546; its client area is that less the
// classic frame of a sizeable window (4-pixel borders, 19-pixel caption),
// since the real frame is the desktop's business and unknown before showing.
constexpr int kClientWidth = 460 - 2 * 4;
constexpr int kClientHeight = 546 - 2 * 4 - 19;

} // namespace

QString LicenceText() {
    QFile file(QStringLiteral(":/LICENSE"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QStringList paragraphs;
    QString paragraph;
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty()) {
            if (!paragraph.isEmpty()) {
                paragraphs << paragraph;
                paragraph.clear();
            }
        } else {
            paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + trimmed;
        }
    }
    if (!paragraph.isEmpty()) {
        paragraphs << paragraph;
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

// A dialog-type window, because only those tell X11 window managers whose
// they are (WM_TRANSIENT_FOR); the hints give it the frame of a normal
// window all the same: sizeable, with system menu, minimise, maximise and
// close boxes.
TForm_Copyright::TForm_Copyright(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form_Copyright"));
    setWindowTitle(QCoreApplication::translate("TForm_Copyright", "Copyright"));
    // Closing the main window ends the program even while this one is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(Scaled(kClientWidth), Scaled(kClientHeight));

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(Scaled(8), Scaled(8), Scaled(441), Scaled(473));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setTabChangesFocus(true);
    Memo1->setPlainText(LicenceText());

    Button1 = new PushButton(QCoreApplication::translate("TForm_Copyright", "&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(Scaled(176), Scaled(488), Scaled(97), Scaled(25));
    connect(Button1, &QPushButton::clicked, this, &TForm_Copyright::Button1Click);

    setTabOrder(Memo1, Button1);
    Memo1->setFocus();
    NameForAssistiveTools(*this);
}

void TForm_Copyright::ShowInFront(QWidget* owner) {
    if (owner != nullptr) {
        // Both native windows must exist before one can belong to the other.
        winId();
        owner->window()->winId();
        windowHandle()->setTransientParent(owner->window()->windowHandle());
    }
    if (!placed_) {
        MoveToScreenCentre(*this);
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

void TForm_Copyright::Button1Click() {
    close();
}

} // namespace glyphwright::ui
