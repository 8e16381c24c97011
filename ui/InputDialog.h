// The one-line input dialog, built and run for one call.
#pragma once

#include <QString>

namespace glyphwright::ui {

// The longest text the edit takes, typed or pasted.
inline constexpr int kInputMaxLength = 255;

// Shows the dialog; on "OK" replaces text by the edit's content and returns true.
bool RunInputDialog(const QString& caption, const QString& prompt, QString& text);

} // namespace glyphwright::ui
