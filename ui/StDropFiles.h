// The drop target of the main window: a component without a face that
// watches its target window, so that files dropped anywhere on it, over any
// control, arrive here. It answers the drop at once, then, once the event
// loop turns and no run or walk is going on, keeps the full local paths of
// that drop and signals DropFiles.
#pragma once

#include <QObject>

#include <string>
#include <vector>

class QMimeData;
class QWidget;

namespace glyphwright::ui {

class StDropFiles : public QObject {
    Q_OBJECT
public:
    // Makes target accept drops and watches it; the component is its child.
    StDropFiles(const QString& name, QWidget* target);

    // The paths of the latest drop, byte for byte as the file system spells
    // them (not necessarily UTF-8), in the order the drag source gave them.
    const std::vector<std::string>& Files() const { return files_; }

    // The local file paths a drag carries; other URLs, and files on another
    // host, are left out.
    static std::vector<std::string> LocalPaths(const QMimeData* mime);

signals:
    void DropFiles();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::string> files_;
};

} // namespace glyphwright::ui
