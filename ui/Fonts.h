// The program's fonts. On a plain 96-DPI display the window font stands in
// for "MS Sans Serif" 8 pt: Wine's bitmap rendition of it, loaded from its
// file so that the result does not depend on the system's font configuration.
// It has no bold and does not scale, so the bold texts use Liberation Sans
// Bold 11 px and the step numbers Liberation Sans 32 px; both stay inside the
// widths the layout gives them. On any denser display (Qt's high-DPI scaling,
// or a DPI the program scales by itself) every text is Liberation Sans, whose
// widths match the classic font's, at the scaled size: the bitmap font would
// be drawn at its one size with its letters spread apart.
#pragma once

#include <QFont>

namespace glyphwright::ui {

// Line height of the window font the layout was drawn for.
inline constexpr int kDesignLineHeight = 13;

// Device pixels per design pixel: Qt's device pixel ratio times the logical
// DPI over 96, both of the primary screen when the first font was asked for.
double DisplayScale();

// Whether the display is the plain one the classic bitmap font is drawn for.
bool UsesClassicFont();

// Loads the font files and makes WindowFont() the application font. Call it
// after the QApplication exists; further calls do nothing.
void InstallApplicationFonts();

// The classic window font, as drawn on a plain 96-DPI display.
QFont ClassicWindowFont();
QFont WindowFont();
QFont BoldFont();
QFont StepNumberFont();

// Line height of the window font in use.
int WindowLineHeight();

// A layout length drawn for kDesignLineHeight, scaled for a font of line
// height lineHeight, rounded half up.
int ScaleByLineHeight(int designPixels, int lineHeight);

// A layout length scaled for the display: by the window font's line height
// for the classic font, by the DPI for the scalable one.
int Scaled(int designPixels);

} // namespace glyphwright::ui
