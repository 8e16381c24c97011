#include "files/runs/CheckListedFile.h"

#include "files/io/FileErrors.h"
#include "files/io/TextFile.h"
#include "files/text/LoadedText.h"

#include <exception>
#include <functional>
#include <utility>

namespace glyphwright {

namespace {

CheckOutcome Failed(FileFailure failure) {
    CheckOutcome outcome;
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
        const LoadedText text = TakeLoadedBytes(path, LoadFileBytes(path), conversion, true);
        outcome.charset = text.charset;
        const std::function<void()> nothing = [] {};
        outcome.wouldChange =
            !SurelyUnchanged(text, conversion) &&
            !ContentEquals(ConvertedFileContent(text, conversion, nothing), text.bytes);
        outcome.checked = true;
        return outcome;
    } catch (...) {
        return Failed(FailureOf(std::current_exception(), path));
    }
}

} // namespace glyphwright
