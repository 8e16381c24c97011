#include "settings/SettingsPath.h"

#include "settings/SettingsFile.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace glyphwright {
namespace {

std::optional<std::string> NonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::string> HomeFolder() {
    if (auto home = NonEmptyEnv("HOME")) {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_dir) {
        return std::string(entry->pw_dir);
    }
    return std::nullopt;
}

std::optional<std::string> ConfigFolder(const SettingsPathInputs& inputs) {
    if (inputs.xdgConfigHome && !inputs.xdgConfigHome->empty() &&
        inputs.xdgConfigHome->front() == '/') {
        return *inputs.xdgConfigHome;
    }
    if (inputs.home && !inputs.home->empty()) {
        return *inputs.home + "/.config";
    }
    return std::nullopt;
}

// The folders a package manager fills. Root can write to them, but a settings
// file left there by "sudo glyphwright" would be the whole system's and
// outlive the package; only one that is already there is read.
bool IsSystemProgramFolder(std::string_view folder) {
    for (const std::string_view system : {"/bin", "/sbin", "/usr/bin", "/usr/sbin", "/usr/games",
                                          "/usr/local/bin", "/usr/local/sbin"}) {
        if (folder == system) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string WithIniExtension(std::string_view path) {
    const auto last = path.find_last_of(".\\:/");
    if (last != std::string_view::npos && path[last] == '.') {
        return std::string(path.substr(0, last)) + ".ini";
    }
    return std::string(path) + ".ini";
}

std::string ChooseSettingsPath(const SettingsPathInputs& inputs, const SettingsPathProbe& probe) {
    std::string besideExecutable;
    if (!inputs.executablePath.empty()) {
        besideExecutable = WithIniExtension(inputs.executablePath);
        const std::string folder = FolderOf(besideExecutable);
        if (probe.fileExists(besideExecutable) ||
            (!IsSystemProgramFolder(folder) && probe.folderWritable(folder))) {
            return besideExecutable;
        }
    }
    if (const auto config = ConfigFolder(inputs)) {
        return *config + "/glyphwright/glyphwright.ini";
    }
    return besideExecutable;
}

std::optional<std::string> ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
        return std::nullopt;
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string SettingsFilePath() {
    return SettingsFilePathFor(ExecutablePath().value_or(""));
}

std::string SettingsFilePathFor(const std::string& executablePath) {
    SettingsPathInputs inputs;
    inputs.executablePath = executablePath;
    inputs.xdgConfigHome = NonEmptyEnv("XDG_CONFIG_HOME");
    inputs.home = HomeFolder();
    const SettingsPathProbe probe{
        [](const std::string& path) { return ProbeFile(path) == FilePresence::Present; },
        [](const std::string& folder) { return IsWritable(folder); }};
    return ChooseSettingsPath(inputs, probe);
}

} // namespace glyphwright
