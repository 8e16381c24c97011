#include "files/ConvertListedFile.h"

#include "files/ConvertedText.h"
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
            LoadedText text =
                TakeLoadedBytes(list.Path(entry), LoadFileBytes(list.Path(entry)), conversion.rule);
            outcome.charset = text.charset;
            if (hooks.loaded) {
                hooks.loaded(list.Path(entry), text.lines);
            }
            // The backup and the conversion both start from the joined lines,
            // so they are joined once; each form is let go as soon as the
            // next one stands, so that a large file is held about twice.
            joined = JoinLines(text.lines);
        }
        if (hooks.backupWanted && hooks.backupWanted()) {
            ReplaceFileContent(BackupPath(list.Path(entry)), joined);
        }
        std::string converted = ConvertJoined(joined, conversion, outcome.charset);
        LetGo(joined);
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
