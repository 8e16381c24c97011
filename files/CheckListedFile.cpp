#include "files/CheckListedFile.h"

#include "files/ConvertedText.h"
#include "files/FileErrors.h"
#include "files/TextFile.h"

#include <exception>
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
        std::string joined;
        {
            const LoadedText text = TakeLoadedBytes(path, bytes, conversion.rule);
            outcome.charset = text.charset;
            joined = JoinLines(text.lines);
        }
        outcome.wouldChange = ConvertJoined(joined, conversion, outcome.charset) != bytes;
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
