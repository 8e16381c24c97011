#include "files/ConvertListedFile.h"

#include "files/ConvertedFiles.h"
#include "files/ConvertedText.h"
#include "files/FileErrors.h"
#include "files/FileReplace.h"
#include "files/LineList.h"
#include "files/TextFile.h"

#include <exception>
#include <new>
#include <optional>
#include <utility>

namespace glyphwright {

namespace {

// Frees what value holds. Assigning an empty string would not: it copies into
// the buffer the string already has and keeps it.
template <class T> void LetGo(T& value) {
    T emptied;
    std::swap(value, emptied);
}

// Gives the claim back unless the file got as far as its replacement.
class Claim {
public:
    Claim(ConvertedFiles* files, const FileId& id) : files_(files), id_(id) {}
    ~Claim() {
        if (files_ != nullptr) {
            files_->Release(id_);
        }
    }
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;

    void Done(const Replaced& replaced) {
        if (files_ != nullptr) {
            files_->Replaced(id_, replaced.stamp.id, replaced.gone.has_value());
            files_ = nullptr;
        }
    }

private:
    ConvertedFiles* files_;
    FileId id_;
};

FileOutcome Failed(FileOutcome outcome, FileFailure failure) {
    outcome.converted = false;
    outcome.message = MessageOf(failure);
    outcome.failure = std::move(failure);
    return outcome;
}

} // namespace

FileOutcome ConvertListedFile(const FileList& list, std::size_t entry, const Conversion& conversion,
                              const ConvertHooks& hooks, ConvertedFiles* converted) {
    std::string path;
    FileOutcome outcome;
    try {
        // The path is read afresh at each use, as the list holds it.
        path = list.Path(entry);
        TextFileReader reader(list.Path(entry));
        if (converted != nullptr && !converted->Claim(reader.Stamp().id)) {
            if (hooks.progressStep) {
                hooks.progressStep();
            }
            FileOutcome done;
            done.converted = true;
            done.alreadyDone = true;
            return done;
        }
        Claim claim(converted, reader.Stamp().id);
        std::string joined;
        {
            LoadedText text =
                TakeLoadedBytes(list.Path(entry), reader.LoadBytes(), conversion.rule);
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
            ReplaceOptions backup;
            backup.links = ReplaceOptions::Links::Replace;
            backup.sync = hooks.sync;
            outcome.renamedIn.push_back(
                ReplaceFileContent(BackupPath(list.Path(entry)), joined, backup).folder);
        }
        std::string text = ConvertJoined(joined, conversion, outcome.charset);
        LetGo(joined);
        if (hooks.progressStep) {
            hooks.progressStep();
        }
        ReplaceOptions options;
        options.expected = reader.Stamp();
        options.sync = hooks.sync;
        options.stop = hooks.stop;
        options.beforeReplace = hooks.beforeReplace;
        const Replaced replaced = ReplaceFileContent(list.Path(entry), text, options);
        claim.Done(replaced);
        outcome.converted = true;
        outcome.renamedIn.push_back(replaced.folder);
        return outcome;
    } catch (const FileError& error) {
        return Failed(std::move(outcome), error.Failure());
    } catch (const std::bad_alloc&) {
        return Failed(std::move(outcome), {FailureKind::OutOfMemory, path, 0, {}});
    } catch (const std::exception& error) {
        return Failed(std::move(outcome), {FailureKind::Other, path, 0, error.what()});
    } catch (...) {
        return Failed(std::move(outcome), {FailureKind::Other, path, 0, "Unbekannter Fehler"});
    }
}

} // namespace glyphwright
