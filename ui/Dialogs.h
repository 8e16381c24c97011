// The program's modal dialogs: the information box, the yes/no confirmation, the one-line input
// dialog and the error report. Each call builds its dialog, runs it modally and destroys it.
#pragma once

#include <QString>

namespace glyphwright::ui {

// The caption of the main window, the information box and the error box.
inline constexpr char kApplicationTitle[] = "Glyphwright";

// Button results; cancel is also the answer of a dialog closed without a button.
enum DialogResult { ResultOk = 1, ResultCancel = 2, ResultYes = 6, ResultNo = 7 };

// Shows text with one "OK" button and returns when the box is closed, whichever way.
void ShowInformationBox(const QString& text);

// The same box, its text selectable by mouse and keyboard so that the user can copy from it.
void ShowInformationBoxToCopy(const QString& text);

// Asks a yes/no question: ResultYes, ResultNo, or ResultCancel when closed without a button.
int ShowConfirmationBox(const QString& text);

// Asks for one line of text, at most 255 characters. Returns true on "OK" and then replaces text
// by the edited line (possibly empty); otherwise returns false and leaves text as it was.
bool ShowInputDialog(const QString& caption, const QString& prompt, QString& text);

// Reports a failure no handler caught: the standard message box with the error icon, the
// application title and one OK button, the message given a full stop by WithFullStop.
void ShowErrorBox(const QString& message);

// Appends "." when message is not empty and its last character is greater than ".", so that a
// text ending in a letter, digit, ":" or "?" gets one and a text ending in ".", "!", ")" or a
// space does not.
QString WithFullStop(const QString& message);

} // namespace glyphwright::ui
