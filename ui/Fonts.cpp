#include "ui/Fonts.h"

#include "ui/DialogGeometry.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QScreen>
#include <QString>

#include <cmath>

namespace glyphwright::ui {

namespace {

// From the Debian package fonts-wine; fontconfig does not list it because it
// holds bitmaps only, so it is added to the application by its path.
constexpr char kWindowFontFile[] = "/usr/share/wine/fonts/ms_sans_serif.ttf";
constexpr char kWindowFamily[] = "MS Sans Serif";
// Used when the file above is missing; its line height is 13 as well.
constexpr char kFallbackFamily[] = "DejaVu Sans";
// From fonts-liberation2: scalable, with widths close to the classic fonts.
constexpr char kScalableFamily[] = "Liberation Sans";

constexpr int kWindowPixelSize = 11;
constexpr int kStepNumberPixelSize = 32;
constexpr int kDesignDpi = 96;

bool windowFontLoaded = false;

QFont MakeFont(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // The bitmap font has a "TM" ligature that would turn "<HTML>" into
    // "<H™L>"; shaping brings nothing for these German texts anyway.
    font.setStyleStrategy(QFont::PreferNoShaping);
    // Vertical hinting only: crisp lines without changing the advances.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

struct Display {
    double deviceRatio = 1; // Qt's own scaling
    int logicalDpi = kDesignDpi;
};

// Taken once from the primary screen, before the first window is built.
const Display& TheDisplay() {
    static const Display display = [] {
        Display d;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            d.deviceRatio = screen->devicePixelRatio();
            d.logicalDpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
        }
        return d;
    }();
    return display;
}

// A font size drawn for 96 DPI, at the display's logical DPI; Qt's own
// scaling multiplies it further when it draws.
int FontPixels(int designPixels) {
    return MulDiv(designPixels, TheDisplay().logicalDpi, kDesignDpi);
}

} // namespace

void InstallApplicationFonts() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    windowFontLoaded = QFontDatabase::addApplicationFont(QString::fromUtf8(kWindowFontFile)) >= 0;
    QApplication::setFont(WindowFont());
}

double DisplayScale() {
    return TheDisplay().deviceRatio * TheDisplay().logicalDpi / kDesignDpi;
}

bool UsesClassicFont() {
    return std::abs(DisplayScale() - 1.0) < 0.01;
}

QFont ClassicWindowFont() {
    return MakeFont(QString::fromUtf8(windowFontLoaded ? kWindowFamily : kFallbackFamily),
                    kWindowPixelSize, false);
}

QFont WindowFont() {
    if (UsesClassicFont()) {
        return ClassicWindowFont();
    }
    return MakeFont(QString::fromUtf8(kScalableFamily), FontPixels(kWindowPixelSize), false);
}

QFont BoldFont() {
    return MakeFont(QString::fromUtf8(kScalableFamily), FontPixels(kWindowPixelSize), true);
}

QFont StepNumberFont() {
    return MakeFont(QString::fromUtf8(kScalableFamily), FontPixels(kStepNumberPixelSize), false);
}

int WindowLineHeight() {
    return QFontMetrics(WindowFont()).height();
}

int ScaleByLineHeight(int designPixels, int lineHeight) {
    const long long product = static_cast<long long>(designPixels) * lineHeight;
    const long long half = kDesignLineHeight / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignLineHeight
                                         : (product - half) / kDesignLineHeight);
}

int Scaled(int designPixels) {
    if (UsesClassicFont()) {
        return ScaleByLineHeight(designPixels, WindowLineHeight());
    }
    // The scalable face is a pixel lower than the classic one at the same
    // size (12 against 13) while as wide: scaling the layout by its line
    // height would cut "+ Eintrag hinzufügen" off, so the layout follows the
    // DPI, as the classic font's line height would.
    return MulDiv(designPixels, TheDisplay().logicalDpi, kDesignDpi);
}

} // namespace glyphwright::ui
