// The word the status line has after an intake (a drop, files or a folder
// added from the menu, the start arguments) that left files out because no
// marked extension matched them, and the panel that shows it for a while.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;

namespace glyphwright {
class ExtensionList;
struct IntakeOutcome;
} // namespace glyphwright

namespace glyphwright::ui {

// Empty when there is nothing to say: every file was taken, or some were and
// none of the refused ones was named in the intake itself. When nothing was
// taken it says so; otherwise it names the first refused file that was named
// directly. The reason lists extensions of the refused files, entries of the
// list first (to be ticked), else those to be added.
QString IntakeStatusText(const glyphwright::IntakeOutcome& outcome,
                         const glyphwright::ExtensionList& extensions);

// Shows a notice in the status panel, then the panel's own text again after
// kShowMilliseconds, or at once when the next notice is empty.
class StatusNotice : public QObject {
public:
    static constexpr int kShowMilliseconds = 8000;

    explicit StatusNotice(QLabel* panel);
    void Show(const QString& notice);

private:
    void Back();

    QLabel* panel_;
    QString ownText_;
    QTimer back_;
};

} // namespace glyphwright::ui
