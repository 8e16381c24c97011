#include "files/CheckListedFile.h"

#include "files/ConvertedText.h"
#include "files/TextFile.h"

#include <exception>
#include <new>

namespace glyphwright {

CheckOutcome CheckListedFile(const FileList& list, std::size_t entry,
                             const Conversion& conversion) {
    CheckOutcome outcome;
    try {
        const std::string bytes = LoadFileBytes(list.Path(entry));
        std::string joined;
        {
            const LoadedText text = TakeLoadedBytes(list.Path(entry), bytes, conversion.rule);
            outcome.charset = text.charset;
            joined = JoinLines(text.lines);
        }
        outcome.wouldChange = ConvertJoined(joined, conversion, outcome.charset) != bytes;
        outcome.checked = true;
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
