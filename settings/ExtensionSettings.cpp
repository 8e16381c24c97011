#include "settings/ExtensionSettings.h"

#include "files/collect/TextCompare.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

namespace glyphwright {
namespace {

using NameValuePairs = std::vector<std::pair<std::string, std::string>>;

// One pair per name ignoring case: spelled like the last line of that name,
// valued like the first, which is what a read of the name returns.
NameValuePairs GatherPairs(const IniFile& ini) {
    NameValuePairs pairs;
    for (std::string& name : NamesInBuffer(ini.NamesBuffer(ExtensionSection))) {
        std::string value = ini.ReadValue(ExtensionSection, name);
        const auto same = std::find_if(pairs.begin(), pairs.end(), [&](const auto& pair) {
            return EqualIgnoringCase(pair.first, name);
        });
        if (value.empty()) {
            if (same != pairs.end()) {
                pairs.erase(same);
            }
        } else if (same != pairs.end()) {
            *same = {std::move(name), std::move(value)};
        } else {
            pairs.emplace_back(std::move(name), std::move(value));
        }
    }
    return pairs;
}

} // namespace

LoadOutcome LoadExtensionList(ExtensionList& list, const std::string& iniPath) {
    switch (ProbeFile(iniPath)) {
    case FilePresence::Absent:
        return LoadOutcome::NoFile;
    case FilePresence::Unknown:
        return LoadOutcome::Failed;
    case FilePresence::Present:
        break;
    }
    try {
        const IniFile ini(ReadWholeFile(iniPath));
        const NameValuePairs pairs = GatherPairs(ini);
        list.Clear();
        for (const auto& [name, value] : pairs) {
            const std::size_t position = list.Add(name);
            list.SetMark(position, value == "1");
        }
    } catch (const std::exception&) {
        return LoadOutcome::Failed;
    }
    return LoadOutcome::Loaded;
}

SaveOutcome SaveExtensionList(const ExtensionList& list, const std::string& iniPath) {
    try {
        IniFile ini;
        switch (ProbeFile(iniPath)) {
        case FilePresence::Present:
            ini = IniFile(ReadWholeFile(iniPath));
            break;
        case FilePresence::Absent:
            break;
        case FilePresence::Unknown:
            return SaveOutcome::Failed;
        }
        ini.EraseSection(ExtensionSection);
        const std::size_t count = list.Count();
        for (std::size_t i = 0; i < count; ++i) {
            ini.WriteValue(ExtensionSection, list.Text(i), list.Mark(i) ? "1" : "0");
        }
        CreateFolders(FolderOf(iniPath));
        WriteFileAtomically(iniPath, ini.Bytes());
    } catch (const std::exception&) {
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

} // namespace glyphwright
