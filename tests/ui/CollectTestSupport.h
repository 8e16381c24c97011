// What the tests of the two lists share: a window whose lists start as a
// first start shows them, drops as another program delivers them, and the
// dialogs answered the way a user answers them.
#pragma once

#include "files/collect/ExtensionList.h"
#include "files/collect/FileList.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/DialogWindow.h"

#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include <memory>
#include <string>
#include <vector>

namespace glyphwright::ui::test {

inline std::unique_ptr<QMimeData> FileDrag(const QStringList& paths) {
    auto mime = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    mime->setUrls(urls);
    return mime;
}

// A drag-enter and a drop at the centre of target, as a drag from another
// program arrives; the drop goes where the drag-enter was accepted. The
// window takes the paths in once the event loop turns after the drop.
inline void DropOn(QWidget* target, const QMimeData& mime) {
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
}

// Presses the named button of the next dialog.
inline void AnswerWithButton(const char* buttonName) {
    WhenModal([buttonName](QWidget* modal) {
        auto* button = modal->findChild<QPushButton*>(QString::fromLatin1(buttonName));
        if (button == nullptr) {
            qWarning("no button %s", buttonName);
            modal->close();
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    });
}

// Closes the next dialog with its close box.
inline void CloseNextDialog() {
    WhenModal([](QWidget* modal) { modal->close(); });
}

// Types text into the next input dialog and presses the named button.
inline void TypeIntoNextDialog(const QString& text, const char* buttonName) {
    WhenModal([text, buttonName](QWidget* modal) {
        if (auto* edit = modal->findChild<QLineEdit*>(QString::fromLatin1(kEditName))) {
            edit->insert(text); // as pasted: QTest types ASCII only
        }
        auto* button = modal->findChild<QPushButton*>(QString::fromLatin1(buttonName));
        if (button != nullptr) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            modal->close();
        }
    });
}

// Remembers the text of the next message box and closes it.
inline void ReadNextBox(QString& shown) {
    WhenModal([&shown](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shown = box->text();
        } else if (auto* label = modal->findChild<QLabel*>(QString::fromLatin1(kMessageTextName))) {
            shown = label->text();
        }
        modal->close();
    });
}

inline std::vector<std::string> Texts(const ExtensionList& list) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        texts.push_back(list.Text(i));
    }
    return texts;
}

inline std::vector<std::string> Paths(const FileList& list) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        paths.push_back(list.Path(i));
    }
    return paths;
}

} // namespace glyphwright::ui::test
