#include "cli/FileSelection.h"

#include "cli/ShownName.h"
#include "files/collect/FileList.h"
#include "files/collect/ScanFolder.h"
#include "files/io/StopFlag.h"
#include "settings/ExtensionSettings.h"
#include "settings/SettingsPath.h"
#include "wording/Catalog.h"
#include "wording/FailureWording.h"

#include <cerrno>
#include <sys/stat.h>

namespace glyphwright::cli {

namespace {

bool AnyMarked(const ExtensionList& list) {
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if (list.Mark(i)) {
            return true;
        }
    }
    return false;
}

ExtensionList MarkedEntries(const std::vector<std::string>& entries) {
    ExtensionList list;
    for (const std::string& entry : entries) {
        list.SetMark(list.Add(entry), true);
    }
    return list;
}

ExtensionList LoadedEntries(const std::string& path, bool named) {
    // As in the window: the defaults, all off, unless the file says otherwise.
    ExtensionList list = ExtensionList::WithDefaults();
    switch (LoadExtensionList(list, path)) {
    case LoadOutcome::Loaded:
        break;
    case LoadOutcome::NoFile:
        if (named) {
            throw UsageError(wording::Format(wording::Tr("Einstellungsdatei %s nicht gefunden"),
                                             {QuotedName(path)}));
        }
        break;
    case LoadOutcome::Failed:
        throw UsageError(std::string(wording::Tr(wording::kLoadFailedMessage)) + " " +
                         QuotedName(path));
    }
    return list;
}

} // namespace

PathKind KindOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::File;
    }
    return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing : PathKind::File;
}

bool AnyFolder(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (KindOf(path) == PathKind::Folder) {
            return true;
        }
    }
    return false;
}

std::string WindowSettingsPath() {
    const std::string self = ExecutablePath().value_or("");
    const std::size_t slash = self.rfind('/');
    if (slash == std::string::npos) {
        return SettingsFilePathFor("");
    }
    return SettingsFilePathFor(self.substr(0, slash + 1) + "glyphwright");
}

ExtensionList FolderFilter(const Invocation& invocation, bool folderGiven) {
    ExtensionList filter;
    std::string source;
    if (invocation.extensions) {
        filter = MarkedEntries(*invocation.extensions);
        source = "--ext";
    } else if (invocation.settingsFile) {
        filter = LoadedEntries(*invocation.settingsFile, true);
        source = QuotedName(*invocation.settingsFile);
    } else if (folderGiven) {
        const std::string path = WindowSettingsPath();
        filter = LoadedEntries(path, false);
        source = QuotedName(path);
    }
    if (folderGiven && !AnyMarked(filter)) {
        throw UsageError(wording::Format(
            wording::Tr("keine Dateiendung markiert (%s), ein Ordner bliebe leer; Endungen mit "
                        "--ext angeben, z. B. --ext .htm,.html"),
            {source}));
    }
    return filter;
}

ExtensionList KnownExtensions(const Invocation& invocation) {
    if (invocation.settingsFile) {
        return LoadedEntries(*invocation.settingsFile, true);
    }
    return LoadedEntries(WindowSettingsPath(), false);
}

namespace {

// Thrown by the walk's pause to leave a walk that was asked to stop.
struct WalkStopped {};

} // namespace

void WalkFolder(const std::string& folder, const ExtensionList& filter, FileList& files,
                const StopFlag* stop) {
    if (stop == nullptr) {
        ScanFolder(folder, filter, files);
        return;
    }
    try {
        ScanFolder(folder, filter, files, [stop] {
            if (stop->Requested()) {
                throw WalkStopped{};
            }
        });
    } catch (const WalkStopped&) {
    }
}

std::vector<std::string> TakePaths(const std::vector<std::string>& paths,
                                   const ExtensionList& filter, FileList& files,
                                   const StopFlag* stop) {
    std::vector<std::string> missing;
    for (const std::string& path : paths) {
        switch (KindOf(path)) {
        case PathKind::Folder:
            WalkFolder(path, filter, files, stop);
            break;
        case PathKind::File:
            files.Append(path);
            break;
        case PathKind::Missing:
            missing.push_back(path);
            break;
        }
        if (stop != nullptr && stop->Requested()) {
            break;
        }
    }
    return missing;
}

std::string MissingPathMessage(const std::string& path) {
    return wording::Format(wording::Tr("Datei oder Ordner %s nicht gefunden"), {QuotedName(path)});
}

} // namespace glyphwright::cli
