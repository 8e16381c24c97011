// glyphwright-cli: the conversion of the window for scripts and pipes.
#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/FailureText.h"
#include "cli/FileSelection.h"
#include "cli/PathRun.h"
#include "cli/Progress.h"
#include "cli/RestoreRun.h"
#include "cli/ShownName.h"
#include "cli/StopSignals.h"
#include "cli/StreamConvert.h"
#include "wording/Catalog.h"
#include "wording/Language.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace glyphwright::cli;

int UsageFailure(const UsageError& error) {
    std::cerr << "glyphwright-cli: " << VisibleControls(error.what()) << '\n'
              << glyphwright::wording::Tr("Hilfe: glyphwright-cli --help") << '\n';
    return kUsageError;
}

int Run(const std::vector<std::string>& arguments) {
    Invocation invocation;
    try {
        invocation = ParseCommandLine(arguments);
    } catch (const UsageError& error) {
        return UsageFailure(error);
    }
    switch (invocation.action) {
    case Invocation::Action::Help:
        std::cout << HelpText() << std::flush;
        return kAllConverted;
    case Invocation::Action::Version:
        std::cout << VersionText() << std::flush;
        return kAllConverted;
    case Invocation::Action::ListExtensions:
        try {
            const glyphwright::ExtensionList known = KnownExtensions(invocation);
            for (std::size_t i = 0; i < known.Count(); ++i) {
                std::cout << known.Text(i) << '\n';
            }
            std::cout << std::flush;
            return kAllConverted;
        } catch (const UsageError& error) {
            return UsageFailure(error);
        }
    case Invocation::Action::Convert:
    case Invocation::Action::Restore:
        break;
    }
    if (invocation.paths.empty()) {
        const std::string invalid =
            ConvertStream(stdin, stdout, invocation.direction, StreamEncoding(invocation));
        if (invalid.empty()) {
            return kAllConverted;
        }
        std::cerr << "glyphwright-cli: " << invalid << '\n';
        return kSomeFailed;
    }
    RunOutput output;
    output.outIsTerminal = isatty(STDOUT_FILENO) == 1;
    output.errIsTerminal = isatty(STDERR_FILENO) == 1;
    if (output.errIsTerminal) {
        output.width = TerminalWidth(stderr);
    }
    output.stop = &StopOnSignals();
    try {
        return invocation.action == Invocation::Action::Restore ? RunRestore(invocation, output)
                                                                : RunOnPaths(invocation, output);
    } catch (const UsageError& error) {
        return UsageFailure(error);
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace glyphwright::wording;
    UseLanguage(LanguageFor(LocaleVariablesFromEnvironment()));
    IgnoreFileSizeSignal();
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (...) {
        std::cerr << "glyphwright-cli: "
                  << VisibleControls(ExceptionMessage(std::current_exception())) << '\n';
    }
    return kSomeFailed;
}
