// The words for what failed, shared by glyphwright-cli and the window: the
// core hands over a failure as data, each front end shows a name its own way
// and puts it into these sentences. They are German, or English once
// UseLanguage (wording/Catalog.h) chose it.
#pragma once

#include "files/io/FileFailure.h"
#include "settings/ExtensionSettings.h"
#include "wording/Catalog.h"

#include <optional>
#include <string>
#include <string_view>

namespace glyphwright::wording {

// One line for a failed file: the message, with the name in front where the
// message does not name it, and ": " and the cause after it when a call
// failed or the file is read-only. shownName stands wherever the line names
// failure.path; an empty path is named nowhere.
std::string FailureLine(const FileFailure& failure, std::string_view shownName);

// German words for the usual error numbers; "Systemfehler N" for the rest,
// as the system's own text would be English under most settings. Under
// English the C library's text, and "System error N" where it has none.
std::string CauseText(int error);

// The German texts below are shown through Tr.
// A list that cannot take another entry.
inline constexpr std::string_view kListFullMessage = TrNoop("Zeile kann nicht eingefügt werden");
// An error that tells nothing about itself.
inline constexpr std::string_view kUnknownFailureMessage = TrNoop("Unbekannter Fehler");

// The information box after a failed load, and after a failed save of the
// settings file; they differ by the full stop alone.
inline constexpr std::string_view kLoadFailedMessage =
    TrNoop("Fehler beim Öffnen der Konfigurationsdatei");
inline constexpr std::string_view kSaveFailedMessage =
    TrNoop("Fehler beim Öffnen der Konfigurationsdatei.");

// The message for the outcome in the chosen language, nothing when there is
// nothing to tell.
std::optional<std::string_view> SettingsMessage(LoadOutcome outcome);
std::optional<std::string_view> SettingsMessage(SaveOutcome outcome);

} // namespace glyphwright::wording
