#include "ui/Application.h"

#include "ui/Dialogs.h"
#include "ui/ErrorReport.h"
#include "ui/Fonts.h"
#include "wording/Catalog.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

#include <memory>
#include <utility>

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

Application& Application::Instance() {
    auto* app = qobject_cast<Application*>(QCoreApplication::instance());
    if (app == nullptr) {
        qFatal("the program's windows need its own application object");
    }
    return *app;
}

void Application::WhenIdle(QObject* context, std::function<void()> work) {
    // Checked when the timer fires: a run may have started in between.
    QTimer::singleShot(0, context, [this, context, work = std::move(work)]() mutable {
        if (Busy()) {
            waitingForIdle_.push_back({context, std::move(work)});
        } else {
            work();
        }
    });
}

void Application::BusyBegins() {
    ++busyScopes_;
}

void Application::BusyEnds() {
    if (--busyScopes_ > 0) {
        return;
    }
    std::vector<IdleWork> waiting = std::exchange(waitingForIdle_, {});
    for (IdleWork& w : waiting) {
        if (!w.context.isNull()) {
            WhenIdle(w.context.data(), std::move(w.work));
        }
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
    const wording::Language language =
        wording::LanguageFor(wording::LocaleVariablesFromEnvironment());
    // After QApplication, whose own setlocale would undo the catalogue's
    // choice: the failure words shared with the command-line tool.
    wording::UseLanguage(language);
    UseWindowLanguage(app, language);
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
