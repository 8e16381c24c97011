#include "files/runs/ConvertListedFile.h"

#include "files/io/FileErrors.h"
#include "files/io/FileReplace.h"
#include "files/io/TextFile.h"
#include "files/runs/FileClaims.h"
#include "files/text/LineList.h"
#include "files/text/LoadedText.h"
#include "files/text/PieceConversion.h"

#include <exception>
#include <functional>
#include <optional>
#include <utility>

namespace glyphwright {

namespace {

// Gives the claim back unless the file got as far as its replacement.
class Claim {
public:
    Claim(FileClaims* files, const FileId& id, FileClaims::Ticket ticket)
        : files_(files), id_(id), ticket_(ticket) {}
    ~Claim() {
        if (files_ != nullptr) {
            files_->Release(id_, ticket_);
        }
    }
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;

    // The file stays as it was and counts as done.
    void Kept() {
        if (files_ != nullptr) {
            files_->Replaced(id_, ticket_, id_, false);
            files_ = nullptr;
        }
    }

    void Done(const Replaced& replaced) {
        if (files_ != nullptr) {
            files_->Replaced(id_, ticket_, replaced.stamp.id, replaced.gone.has_value());
            files_ = nullptr;
        }
    }

private:
    FileClaims* files_;
    FileId id_;
    FileClaims::Ticket ticket_;
};

FileOutcome Failed(FileOutcome outcome, FileFailure failure) {
    outcome.converted = false;
    outcome.failure = std::move(failure);
    return outcome;
}

} // namespace

FileOutcome ConvertListedFile(const FileList& list, std::size_t entry, const Conversion& conversion,
                              const ConvertHooks& hooks, FileClaims* converted) {
    std::string path;
    FileOutcome outcome;
    try {
        path = list.Path(entry);
        TextFileReader reader(path);
        const std::optional<FileClaims::Ticket> ticket =
            converted != nullptr ? converted->Claim(reader.Stamp().id) : 0;
        if (!ticket) {
            if (hooks.progressStep) {
                hooks.progressStep();
            }
            FileOutcome done;
            done.converted = true;
            done.alreadyDone = true;
            done.stepped = true;
            return done;
        }
        Claim claim(converted, reader.Stamp().id, *ticket);
        const LoadedText text =
            TakeLoadedBytes(path, reader.LoadBytes(), conversion, hooks.leaveUnchanged);
        outcome.charset = text.charset;
        outcome.joinedSize = LoadedSize(text);
        if (hooks.loaded) {
            hooks.loaded(path);
        }
        // The bar steps once the text is converted, before the new file takes
        // its place; also when writing it fails, but not when converting does.
        const std::function<void()> step = [&] {
            if (!outcome.stepped && hooks.progressStep) {
                hooks.progressStep();
            }
            outcome.stepped = true;
        };
        FileContent content = ConvertedFileContent(text, conversion, step);
        // A text of one piece is converted once, when first asked for, and
        // kept for the compare, the size an in-place write reserves and the
        // write itself.
        const std::function<void()> nothing = [] {};
        std::optional<std::string> whole;
        if (LoadedSize(text) <= kContentPiece) {
            content = [&](const PutPiece& put) {
                if (!whole) {
                    whole = ContentText(ConvertedFileContent(text, conversion, nothing));
                }
                step();
                return put(*whole);
            };
        }
        if (hooks.leaveUnchanged) {
            const bool same =
                SurelyUnchanged(text, conversion) || ContentEquals(content, text.bytes);
            if (same) {
                step();
                claim.Kept();
                outcome.converted = true;
                outcome.unchanged = true;
                return outcome;
            }
        }
        reader.RefuseIfBeingWritten();
        // The backup and the converted file are written piece by piece, so that
        // of a large file only the loaded text is held whole.
        if (hooks.backupWanted && hooks.backupWanted()) {
            ReplaceOptions backup;
            backup.links = ReplaceOptions::Links::Replace;
            backup.sync = hooks.sync;
            // It shows no more than its file, and to no more people.
            backup.copyOf = ReplaceOptions::Original{reader.Fd(), reader.Info()};
            outcome.renamedIn.push_back(
                ReplaceFileContent(BackupPath(path), BackupContent(text), backup).folder);
        }
        ReplaceOptions options;
        options.expected = reader.Stamp();
        options.readFd = reader.Fd();
        options.sync = hooks.sync;
        options.stop = hooks.stop;
        options.beforeReplace = hooks.beforeReplace;
        Replaced replaced;
        try {
            replaced = ReplaceFileContent(path, content, options);
        } catch (const FileError&) {
            step();
            throw;
        }
        claim.Done(replaced);
        outcome.converted = true;
        outcome.renamedIn.push_back(replaced.folder);
        return outcome;
    } catch (...) {
        return Failed(std::move(outcome), FailureOf(std::current_exception(), path));
    }
}

} // namespace glyphwright
