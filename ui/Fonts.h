// The program's fonts. The window font stands in for "MS Sans Serif" 8 pt:
// Wine's bitmap rendition of it, loaded from its file so that the result does
// not depend on the system's font configuration. It has no bold and does not
// scale, so the bold texts use Liberation Sans Bold 11 px and the step numbers
// Liberation Sans 32 px; both stay inside the widths the layout gives them.
#pragma once

#include <QFont>

namespace glyphwright::ui {

// Line height of the window font the layout was drawn for.
inline constexpr int kDesignLineHeight = 13;

// Loads the font files and makes WindowFont() the application font. Call it
// after the QApplication exists; further calls do nothing.
void InstallApplicationFonts();

QFont WindowFont();
QFont BoldFont();
QFont StepNumberFont();

// Line height of the window font in use.
int WindowLineHeight();

// A layout length drawn for kDesignLineHeight, scaled for a font of line
// height lineHeight, rounded half up.
int ScaleByLineHeight(int designPixels, int lineHeight);

// A layout length scaled for the window font in use.
int Scaled(int designPixels);

} // namespace glyphwright::ui
