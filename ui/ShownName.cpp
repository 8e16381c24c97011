#include "ui/ShownName.h"

namespace glyphwright::ui {

QString ShownName(std::string_view bytes) {
    QString shown = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (QChar& c : shown) {
        const char16_t code = c.unicode();
        if (code < 0x20) {
            c = QChar(static_cast<char16_t>(0x2400 + code));
        } else if (code == 0x7F) {
            c = QChar(u'\u2421');
        } else if ((code >= 0x80 && code <= 0x9F) || code == 0x2028 || code == 0x2029) {
            // C1 and the two separators (which break a line as LF does) have
            // no pictures. C1 in a name comes from text decoded in the wrong
            // character set, as undecodable bytes do, so all of them get the
            // mark of such a byte: one sign read as "cannot be shown here".
            // An escape such as "\x85" would read as four characters that a
            // name may really hold.
            c = QChar(u'\uFFFD');
        }
    }
    return shown;
}

} // namespace glyphwright::ui
