#include "files/ConvertListedFile.h"

#include "files/ConvertedContent.h"
#include "files/ConvertedFiles.h"
#include "files/ConvertedText.h"
#include "files/FileErrors.h"
#include "files/FileReplace.h"
#include "files/LineList.h"
#include "files/TextFile.h"

#include <exception>
#include <functional>
#include <new>
#include <optional>
#include <utility>

namespace glyphwright {

namespace {

// Gives the claim back unless the file got as far as its replacement.
class Claim {
public:
    Claim(ConvertedFiles* files, const FileId& id, ConvertedFiles::Ticket ticket)
        : files_(files), id_(id), ticket_(ticket) {}
    ~Claim() {
        if (files_ != nullptr) {
            files_->Release(id_, ticket_);
        }
    }
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;

    void Done(const Replaced& replaced) {
        if (files_ != nullptr) {
            files_->Replaced(id_, ticket_, replaced.stamp.id, replaced.gone.has_value());
            files_ = nullptr;
        }
    }

private:
    ConvertedFiles* files_;
    FileId id_;
    ConvertedFiles::Ticket ticket_;
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
        const std::optional<ConvertedFiles::Ticket> ticket =
            converted != nullptr ? converted->Claim(reader.Stamp().id) : 0;
        if (!ticket) {
            if (hooks.progressStep) {
                hooks.progressStep();
            }
            FileOutcome done;
            done.converted = true;
            done.alreadyDone = true;
            return done;
        }
        Claim claim(converted, reader.Stamp().id, *ticket);
        const LoadedText text =
            TakeLoadedBytes(list.Path(entry), reader.LoadBytes(), conversion.rule);
        outcome.charset = text.charset;
        outcome.joinedSize = text.lines.JoinedSize();
        if (hooks.loaded) {
            hooks.loaded(list.Path(entry), text.lines);
        }
        // The backup and the converted file are written from the lines piece
        // by piece, so that of a large file only the lines are held whole.
        if (hooks.backupWanted && hooks.backupWanted()) {
            ReplaceOptions backup;
            backup.links = ReplaceOptions::Links::Replace;
            backup.sync = hooks.sync;
            // It shows no more than its file, and to no more people.
            backup.copyOf = ReplaceOptions::Original{reader.Fd(), reader.Info()};
            outcome.renamedIn.push_back(
                ReplaceFileContent(BackupPath(list.Path(entry)), JoinedContent(text.lines), backup)
                    .folder);
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
        ReplaceOptions options;
        options.expected = reader.Stamp();
        options.readFd = reader.Fd();
        options.sync = hooks.sync;
        options.stop = hooks.stop;
        options.beforeReplace = hooks.beforeReplace;
        Replaced replaced;
        try {
            replaced = ReplaceFileContent(list.Path(entry),
                                          ConvertedFileContent(text, conversion, step), options);
        } catch (const FileError&) {
            step();
            throw;
        }
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
