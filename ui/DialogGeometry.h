// Layout arithmetic of the message boxes and the input dialog: plain functions over sizes,
// free of widgets, so that every pixel can be checked without showing a window.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace glyphwright::ui {

// n * b / d rounded to the nearest integer, an exact half rounding up. d must not be 0.
int MulDiv(int n, int b, int d);

// The average character width X and the line height Y of a font.
struct DialogUnits {
    int x = 0;
    int y = 0;
};

// X is measured on the 52 letters A..Z a..z.
inline constexpr char kDialogUnitsSample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
inline constexpr int kDialogUnitsSampleLength = 52;

// From the sample's width and the font's line height; the remainder of the division is dropped.
DialogUnits DialogUnitsFromMeasure(int sampleWidth, int lineHeight);

// Measures a font through anything shaped like QFontMetrics.
template <typename FontMetrics> DialogUnits MeasureDialogUnits(const FontMetrics& metrics) {
    return DialogUnitsFromMeasure(
        metrics.horizontalAdvance(QString::fromLatin1(kDialogUnitsSample)), metrics.height());
}

// The fixed lengths of a message box, all derived from its dialog units.
struct MessageBoxMetrics {
    int horizontalMargin = 0;
    int verticalMargin = 0;
    int horizontalSpacing = 0;
    int verticalSpacing = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
    int buttonSpacing = 0;
};

MessageBoxMetrics MessageBoxMetricsFor(DialogUnits units);

inline constexpr int kMessageIconSize = 32;

struct MessageBoxRequest {
    DialogUnits units;
    QSize textSize; // the laid-out message text, W x H
    bool hasIcon = false;
    int buttonCount = 1;
    QRect screen;   // the primary screen
    QMargins frame; // the window frame around the client area, caption included
};

struct MessageBoxLayout {
    QSize clientSize;
    QRect iconRect; // empty without an icon
    QRect textRect;
    std::vector<QRect> buttonRects; // left to right
    QPoint framePosition;           // top-left corner of the window frame on the desktop
};

MessageBoxLayout LayOutMessageBox(const MessageBoxRequest& request);

// A message text is wrapped at half the screen's width.
int MessageTextWrapWidth(const QRect& screen);

// The widest a message text may be for the box, frame included, to fit in the work area; a
// word wider than that is broken.
int MessageTextMaxWidth(const QRect& workArea, const QMargins& frame, DialogUnits units,
                        bool hasIcon);

// Centred as (screen div 2) - (window div 2); raised to the screen's edge when the window is
// larger than the screen, so that the caption stays reachable.
QPoint MessageBoxFramePosition(const QRect& screen, const QSize& frameSize);

struct InputDialogLayout {
    QSize clientSize;
    QRect promptRect;
    QRect editRect;
    QRect okButtonRect;
    QRect cancelButtonRect;
};

// promptSize: the prompt's one-line text size; editHeight: line height plus the edit's border.
InputDialogLayout LayOutInputDialog(DialogUnits units, const QSize& promptSize, int editHeight);

// The edit is as high as the line plus eight one-pixel borders.
int InputEditHeight(int lineHeight);

// Centred as (screen - window) div 2, each coordinate raised to the screen's edge if negative.
QPoint InputDialogFramePosition(const QRect& screen, const QSize& frameSize);

// The window's outer size: client area plus frame.
QSize FrameSize(const QSize& clientSize, const QMargins& frame);

} // namespace glyphwright::ui
