#include "ui/StDropFiles.h"

#include "ui/Application.h"

#include <QByteArray>
#include <QDropEvent>
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

namespace {

// The path's own bytes, from the URL's percent-encoded form: a name copied
// from Windows is Windows-1252, and toLocalFile() would put U+FFFD in place
// of its accented bytes, naming a file that is not there. Empty for a file
// on another host.
std::string LocalPath(const QUrl& url) {
    const QString host = url.host();
    if (!url.isLocalFile() || !(host.isEmpty() || host == QLatin1String("localhost"))) {
        return {};
    }
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

} // namespace

std::vector<std::string> StDropFiles::LocalPaths(const QMimeData* mime) {
    std::vector<std::string> paths;
    if (mime == nullptr || !mime->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : mime->urls()) {
        std::string path = LocalPath(url);
        if (!path.empty()) {
            paths.push_back(std::move(path));
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
            Application::Instance().WhenIdle(this, [this, dropped = std::move(paths)]() mutable {
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
