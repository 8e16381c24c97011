#include "ui/StDropFiles.h"

#include "ui/BusyScope.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace glyphwright::ui {

StDropFiles::StDropFiles(const QString& name, QWidget* target) : QObject(target) {
    setObjectName(name);
    // Only the window accepts drops: a drop over any control travels up to
    // it, as long as no control accepts drops itself.
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

std::vector<std::string> StDropFiles::LocalPaths(const QMimeData* mime) {
    std::vector<std::string> paths;
    if (mime == nullptr || !mime->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) {
            const QString path = url.toLocalFile();
            if (!path.isEmpty()) {
                paths.push_back(QFile::encodeName(path).toStdString());
            }
        }
    }
    return paths;
}

bool StDropFiles::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!LocalPaths(drag->mimeData()).empty()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        std::vector<std::string> paths = LocalPaths(drop->mimeData());
        if (!paths.empty()) {
            // The drag source waits for this answer: give it, then take the
            // paths in once the event loop turns.
            drop->acceptProposedAction();
            BusyScope::WhenIdle(this, [this, dropped = std::move(paths)]() mutable {
                files_ = std::move(dropped);
                emit DropFiles();
            });
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace glyphwright::ui
