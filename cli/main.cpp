// glyphwright-cli: the conversion of the window for scripts and pipes.
#include "CommandLine.h"
#include "ConversionRun.h"
#include "FileList.h"
#include "StreamConvert.h"
#include "Unit_HtmlUmlaute.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {

using namespace glyphwright;

constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

int ConvertFiles(const cli::Invocation& invocation) {
    FileList list;
    for (const std::string& file : invocation.files) {
        list.Append(file);
    }
    const TextConversion convert =
        invocation.direction == cli::Direction::Encode ? EncodeUmlauts : DecodeEntities;
    RunHooks hooks;
    hooks.perFile.backupWanted = [&invocation] { return invocation.backup; };
    hooks.entryDone = [&list](std::size_t entry, const FileOutcome& outcome) {
        if (!outcome.converted) {
            std::cerr << "glyphwright-cli: " << FailureLine(list.Path(entry), outcome.message)
                      << '\n';
        }
    };
    const RunSummary summary = ConvertAllListed(list, convert, hooks);
    return summary.failures.empty() ? kAllConverted : kSomeFailed;
}

int Run(const std::vector<std::string>& arguments) {
    cli::Invocation invocation;
    try {
        invocation = cli::ParseCommandLine(arguments);
    } catch (const cli::UsageError& error) {
        std::cerr << "glyphwright-cli: " << error.what() << '\n'
                  << "Hilfe: glyphwright-cli --help\n";
        return kUsageError;
    }
    switch (invocation.action) {
    case cli::Invocation::Action::Help:
        std::cout << cli::HelpText() << std::flush;
        return kAllConverted;
    case cli::Invocation::Action::Version:
        std::cout << cli::VersionText() << std::flush;
        return kAllConverted;
    case cli::Invocation::Action::Convert:
        break;
    }
    if (!invocation.files.empty()) {
        return ConvertFiles(invocation);
    }
    if (!cli::ConvertStream(stdin, stdout, invocation.direction)) {
        std::cerr << "glyphwright-cli: Fehler beim Lesen oder Schreiben der Daten\n";
        return kSomeFailed;
    }
    return kAllConverted;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        std::cerr << "glyphwright-cli: Zu wenig Arbeitsspeicher\n";
    } catch (const std::exception& error) {
        std::cerr << "glyphwright-cli: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "glyphwright-cli: Unbekannter Fehler\n";
    }
    return kSomeFailed;
}
