#include "ui/Application.h"

#include "ui/Dialogs.h"
#include "ui/ErrorReport.h"
#include "ui/Fonts.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

#include <memory>

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

QPalette WindowPalette(const QPalette& offered, const QPalette& qtOwn, const QPalette& classic) {
    return offered == qtOwn ? classic : offered;
}

void UseWindowLanguage(QCoreApplication& app, wording::Language language) {
    auto* translator = new QTranslator(&app);
    const bool loaded = language == wording::Language::English
                            ? translator->load(QStringLiteral(":/i18n/glyphwright_en.qm"))
                            : translator->load(QStringLiteral("qtbase_de"),
                                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

void SetUpApplication(QApplication& app) {
    UseWindowLanguage(app, wording::LanguageFor(wording::LocaleVariablesFromEnvironment()));
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.glyphwright.Glyphwright"));
    // The classic controls, the same on every desktop and under Xvfb:
    // 13-pixel check rows, and no icons on dialog buttons. Their colours are
    // the desktop's: Qt starts with the palette of the desktop's theme, or
    // with its own light one (Fusion's) when the desktop gives none.
    const QPalette offered = QApplication::palette();
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(style);
        // Left unset when it is the desktop's, so that it follows a change of
        // the desktop's theme.
        const QPalette chosen =
            fusion != nullptr
                ? WindowPalette(offered, fusion->standardPalette(), style->standardPalette())
                : offered;
        if (chosen != offered) {
            QApplication::setPalette(chosen);
        }
    }
    InstallApplicationFonts();
    InitIconResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/glyphwright-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/glyphwright-32.png"), QSize(32, 32));
    app.setWindowIcon(icon);
}

} // namespace glyphwright::ui
