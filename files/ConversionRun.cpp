#include "files/ConversionRun.h"

namespace glyphwright {

RunSummary ConvertAllListed(const FileList& list, const Conversion& conversion,
                            const RunHooks& hooks) {
    RunSummary summary;
    const std::size_t count = list.Count();
    for (std::size_t entry = 0; entry < count; ++entry) {
        const FileOutcome outcome = ConvertListedFile(list, entry, conversion, hooks.perFile);
        if (outcome.converted) {
            ++summary.converted;
            summary.convertedAsUtf8 += outcome.charset == Charset::Utf8 ? 1 : 0;
        } else {
            summary.failures.push_back(FailureLine(list.Path(entry), outcome.message));
        }
        if (hooks.entryDone) {
            hooks.entryDone(entry, outcome);
        }
    }
    return summary;
}

std::string FailureLine(const std::string& path, const std::string& message) {
    if (message.find(path) != std::string::npos) {
        return message;
    }
    return path + ": " + message;
}

std::string FailureReport(const RunSummary& summary) {
    if (summary.failures.empty()) {
        return {};
    }
    std::string report = "Nicht umgewandelt:";
    const std::size_t listed =
        summary.failures.size() < kListedFailures ? summary.failures.size() : kListedFailures;
    for (std::size_t i = 0; i < listed; ++i) {
        report += '\n';
        report += summary.failures[i];
    }
    if (summary.failures.size() > listed) {
        report += "\n… und " + std::to_string(summary.failures.size() - listed) + " weitere";
    }
    return report;
}

} // namespace glyphwright
