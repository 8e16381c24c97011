// The information box and the confirmation box, built and run for one call.
#pragma once

#include <QString>
#include <QtCore/qnamespace.h>

namespace glyphwright::ui {

enum class MessageKind { Information, Confirmation };

// Flags of the message text's layout, for measuring it and for drawing it alike.
inline constexpr int kMessageTextFlags =
    Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;

// Shows the box and returns the result of the button that closed it, or ResultCancel. A
// selectable text can be marked by mouse and keyboard (Tab reaches it) and copied.
int RunMessageBox(MessageKind kind, const QString& text, bool selectable = false);

} // namespace glyphwright::ui
