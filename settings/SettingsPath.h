// Where the settings file lives. Beside the executable, under its name with the
// extension ".ini", as long as that file exists or its folder can be written
// (a portable install); otherwise in the user's configuration folder, since
// installed programs sit in folders users cannot write to.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace glyphwright {

// path with its extension changed to ".ini": the extension starts at the last
// of ".", "\", ":" and "/" when that one is a "."; without it ".ini" is appended.
std::string WithIniExtension(std::string_view path);

struct SettingsPathInputs {
    std::string executablePath; // empty when unknown
    std::optional<std::string> xdgConfigHome;
    std::optional<std::string> home;
};

struct SettingsPathProbe {
    std::function<bool(const std::string&)> fileExists;
    std::function<bool(const std::string&)> folderWritable;
};

// The file beside the executable when it exists or its folder is writable
// (never a new one in a system folder such as /usr/bin, which root can write),
// else glyphwright.ini in $XDG_CONFIG_HOME/glyphwright/ (an absolute
// XDG_CONFIG_HOME only, else ~/.config/glyphwright/). Without any usable
// folder it stays with the file beside the executable.
std::string ChooseSettingsPath(const SettingsPathInputs& inputs, const SettingsPathProbe& probe);

// The running program's own path, from /proc/self/exe.
std::optional<std::string> ExecutablePath();

// ChooseSettingsPath over this process's executable, environment and file system.
std::string SettingsFilePath();

// The same for another program's path (the command-line tool asks for the
// window's file, the program beside it), with this process's environment.
std::string SettingsFilePathFor(const std::string& executablePath);

} // namespace glyphwright
