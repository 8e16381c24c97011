// What assistive tools (screen readers) say about the controls: a name and a
// description for each, in the window's language. A control whose visible
// text says what it is keeps that text as its name, so that the name a voice
// command uses is the one on the screen.
#pragma once

class QWidget;

namespace glyphwright::ui {

// Names and describes window and its controls, found by objectName.
void NameForAssistiveTools(QWidget& window);

} // namespace glyphwright::ui
