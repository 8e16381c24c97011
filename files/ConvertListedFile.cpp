#include "files/ConvertListedFile.h"

#include "files/ConvertedContent.h"
#include "files/FileErrors.h"
#include "files/FileReplace.h"
#include "files/LineList.h"
#include "files/TextFile.h"

#include <exception>
#include <functional>
#include <new>

namespace glyphwright {

FileOutcome ConvertListedFile(const FileList& list, std::size_t entry,
                              const TextConversion& convert, const ConvertHooks& hooks) {
    try {
        // The path is read afresh at each use, as the list holds it.
        const LineList lines = LoadTextFile(list.Path(entry));
        if (hooks.loaded) {
            hooks.loaded(list.Path(entry), lines);
        }
        // The backup and the converted file are written from the lines piece
        // by piece, so that of a large file only the lines are held whole.
        if (hooks.backupWanted && hooks.backupWanted()) {
            ReplaceFileContent(BackupPath(list.Path(entry)), JoinedContent(lines));
        }
        // The bar steps once the text is converted, before the new file takes
        // its place; also when writing it fails, but not when converting does.
        bool stepped = false;
        const std::function<void()> step = [&] {
            if (!stepped && hooks.progressStep) {
                hooks.progressStep();
            }
            stepped = true;
        };
        try {
            ReplaceFileContent(list.Path(entry), ConvertedContent(lines, convert, step));
        } catch (const FileError&) {
            step();
            throw;
        }
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
