#include "ui/Fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>

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

QFont WindowFont() {
    return MakeFont(QString::fromUtf8(windowFontLoaded ? kWindowFamily : kFallbackFamily),
                    kWindowPixelSize, false);
}

QFont BoldFont() {
    return MakeFont(QString::fromUtf8(kScalableFamily), Scaled(kWindowPixelSize), true);
}

QFont StepNumberFont() {
    return MakeFont(QString::fromUtf8(kScalableFamily), Scaled(kStepNumberPixelSize), false);
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
    return ScaleByLineHeight(designPixels, WindowLineHeight());
}

} // namespace glyphwright::ui
