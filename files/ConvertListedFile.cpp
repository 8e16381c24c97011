#include "files/ConvertListedFile.h"

#include "files/FileErrors.h"
#include "files/FileReplace.h"
#include "files/LineList.h"
#include "files/TextFile.h"

#include <exception>
#include <new>
#include <utility>

namespace glyphwright {

namespace {

// Frees what value holds. Assigning an empty string would not: it copies into
// the buffer the string already has and keeps it.
template <class T> void LetGo(T& value) {
    T emptied;
    std::swap(value, emptied);
}

} // namespace

FileOutcome ConvertListedFile(const FileList& list, std::size_t entry, const Conversion& conversion,
                              const ConvertHooks& hooks) {
    FileOutcome outcome;
    try {
        // The path is read afresh at each use, as the list holds it.
        std::string joined;
        {
            LineList lines;
            {
                std::string bytes = LoadFileBytes(list.Path(entry));
                const CharsetChoice choice = ChooseCharset(bytes, conversion.rule);
                if (choice.invalidAt != std::string_view::npos) {
                    throw UnsupportedFileError::NotUtf8(list.Path(entry),
                                                        LineNumberAt(bytes, choice.invalidAt));
                }
                outcome.charset = choice.charset;
                lines = SplitLines(bytes);
            }
            if (hooks.loaded) {
                hooks.loaded(list.Path(entry), lines);
            }
            // The backup and the conversion both start from the joined lines,
            // so they are joined once; each form is let go as soon as the
            // next one stands, so that a large file is held about twice.
            joined = JoinLines(lines);
        }
        if (hooks.backupWanted && hooks.backupWanted()) {
            ReplaceFileContent(BackupPath(list.Path(entry)), joined);
        }
        std::string converted = conversion.For(outcome.charset)(joined);
        LetGo(joined);
        // The codec never makes or removes a line end or a NUL, so the
        // converted text is its own split-and-join; the round trip is only
        // taken for a conversion that breaks that.
        if (!IsJoinedText(converted)) {
            converted = JoinLines(SplitLines(converted));
        }
        if (hooks.progressStep) {
            hooks.progressStep();
        }
        ReplaceFileContent(list.Path(entry), converted);
        outcome.converted = true;
    } catch (const std::bad_alloc&) {
        outcome.message = "Zu wenig Arbeitsspeicher";
    } catch (const std::exception& error) {
        outcome.message = error.what();
    } catch (...) {
        outcome.message = "Unbekannter Fehler";
    }
    return outcome;
}

} // namespace glyphwright
