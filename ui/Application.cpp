#include "ui/Application.h"

#include "ui/Dialogs.h"
#include "ui/ErrorReport.h"
#include "ui/Fonts.h"

#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

// Outside any namespace, as Q_INIT_RESOURCE requires; the icons live in a
// static library whose resource initialiser the linker would otherwise drop.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace glyphwright::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportException(std::current_exception());
        return false;
    }
}

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.glyphwright.Glyphwright"));
    // The classic look, the same on every desktop and under Xvfb: 13-pixel
    // check rows, and no icons on dialog buttons.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(style);
        QApplication::setPalette(style->standardPalette());
    }
    InstallApplicationFonts();
    InitIconResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/glyphwright-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/glyphwright-32.png"), QSize(32, 32));
    app.setWindowIcon(icon);
}

} // namespace glyphwright::ui
