#include "ConvertListedFile.h"

#include "LineList.h"
#include "TextFile.h"

#include <exception>
#include <new>
#include <utility>

namespace glyphwright {

namespace {

// Frees what value holds. Assigning an empty string would not: it copies into
// the buffer the string already has and keeps it.
template <class T>
void LetGo(T& value) {
    T emptied;
    std::swap(value, emptied);
}

} // namespace

FileOutcome ConvertListedFile(const FileList& list, std::size_t entry,
                              const TextConversion& convert, const ConvertHooks& hooks) {
    LineList lines;
    try {
        // The path is read afresh at each use, as the list holds it.
        lines = LoadTextFile(list.Path(entry));
        if (hooks.loaded) {
            hooks.loaded(list.Path(entry), lines);
        }
        if (hooks.backupWanted && hooks.backupWanted()) {
            SaveTextFile(lines, BackupPath(list.Path(entry)));
        }
        {
            // Each form is let go as soon as the next one stands, so that a
            // large file is held at most about twice at a time.
            std::string joined = JoinLines(lines);
            LetGo(lines);
            std::string converted = convert(joined);
            LetGo(joined);
            lines = SplitLines(converted);
        }
        if (hooks.progressStep) {
            hooks.progressStep();
        }
        SaveTextFile(lines, list.Path(entry));
        return {true, {}};
    } catch (const std::bad_alloc&) {
        return {false, "Zu wenig Arbeitsspeicher"};
    } catch (const std::exception& error) {
        return {false, error.what()};
    } catch (...) {
        return {false, "Unbekannter Fehler"};
    }
}

} // namespace glyphwright
