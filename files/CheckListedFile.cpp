#include "files/CheckListedFile.h"

#include "files/ConvertedText.h"
#include "files/FileErrors.h"
#include "files/TextFile.h"

#include <exception>
#include <functional>
#include <new>
#include <utility>

namespace glyphwright {

namespace {

CheckOutcome Failed(FileFailure failure) {
    CheckOutcome outcome;
    outcome.message = MessageOf(failure);
    outcome.failure = std::move(failure);
    return outcome;
}

} // namespace

CheckOutcome CheckListedFile(const FileList& list, std::size_t entry,
                             const Conversion& conversion) {
    std::string path;
    try {
        path = list.Path(entry);
        CheckOutcome outcome;
        const std::string bytes = LoadFileBytes(path);
        const LoadedText text = TakeLoadedBytes(path, bytes, conversion.rule);
        outcome.charset = text.charset;
        // Compared piece by piece with what a run would write.
        const std::function<void()> nothing = [] {};
        const FileContent written = ConvertedFileContent(text, conversion, nothing);
        std::string_view rest = bytes;
        const bool same = written([&rest](std::string_view piece) {
            if (rest.substr(0, piece.size()) != piece) {
                return false;
            }
            rest.remove_prefix(piece.size());
            return true;
        });
        outcome.wouldChange = !same || !rest.empty();
        outcome.checked = true;
        return outcome;
    } catch (const FileError& error) {
        return Failed(error.Failure());
    } catch (const std::bad_alloc&) {
        return Failed({FailureKind::OutOfMemory, path, 0, {}});
    } catch (const std::exception& error) {
        return Failed({FailureKind::Other, path, 0, error.what()});
    } catch (...) {
        return Failed({FailureKind::Other, path, 0, "Unbekannter Fehler"});
    }
}

} // namespace glyphwright
