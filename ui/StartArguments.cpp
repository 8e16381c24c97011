#include "ui/StartArguments.h"

#include "ui/ShownName.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace glyphwright::ui {
namespace {

constexpr int kUsageError = 2;

bool IsOption(const std::string& argument) {
    return argument.size() > 1 && argument.front() == '-';
}

std::string Absolute(const std::string& path, std::string_view currentFolder) {
    if (path.front() == '/' || currentFolder.empty()) {
        return path;
    }
    std::string absolute(currentFolder);
    if (absolute.back() != '/') {
        absolute += '/';
    }
    return absolute + path;
}

void Print(const QString& text, std::FILE* stream) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

StartRequest ParseStartArguments(const std::vector<std::string>& arguments,
                                 std::string_view currentFolder) {
    StartRequest request;
    bool options = true;
    bool version = false;
    for (const std::string& argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            version = false;
            request.kind = StartRequest::Kind::Help;
            break;
        } else if (options && argument == "--version") {
            version = true;
        } else if (options && IsOption(argument)) {
            if (request.unknownOption.empty()) {
                request.unknownOption = argument;
            }
        } else if (!argument.empty()) {
            request.paths.push_back(Absolute(argument, currentFolder));
        }
    }
    if (version) {
        request.kind = StartRequest::Kind::Version;
    } else if (request.kind == StartRequest::Kind::Window && !request.unknownOption.empty()) {
        request.kind = StartRequest::Kind::UnknownOption;
    }
    if (request.kind != StartRequest::Kind::Window) {
        request.paths.clear();
    }
    return request;
}

std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

std::string CurrentFolder() {
    const std::unique_ptr<char, decltype(&std::free)> folder(getcwd(nullptr, 0), &std::free);
    return folder ? std::string(folder.get()) : std::string();
}

QString StartHelpText() {
    return QCoreApplication::translate(
        "TForm1", "Aufruf: glyphwright [DATEI|ORDNER]...\n"
                  "Öffnet das Fenster, das Umlaute in Textdateien in HTML-Entities umwandelt\n"
                  "und zurück. Die genannten Dateien und Ordner kommen in die Liste wie beim\n"
                  "Ablegen auf dem Fenster: Ordner werden durchsucht, und es zählen die in\n"
                  "Schritt 1 markierten Endungen.\n"
                  "\n"
                  "  -h, --help     diese Hilfe zeigen und beenden\n"
                  "      --version  die Version zeigen und beenden\n"
                  "\n"
                  "Für Skripte: glyphwright-cli --help\n");
}

QString StartVersionText() {
    return QStringLiteral("glyphwright " GLYPHWRIGHT_VERSION "\n");
}

QString UnknownOptionText(const std::string& option) {
    return QCoreApplication::translate("TForm1", "glyphwright: unbekannte Option „%1“\n"
                                                 "Hilfe: glyphwright --help\n")
        .arg(ShownName(option));
}

int AnswerWithoutWindow(const StartRequest& request) {
    switch (request.kind) {
    case StartRequest::Kind::Help:
        Print(StartHelpText(), stdout);
        return 0;
    case StartRequest::Kind::Version:
        Print(StartVersionText(), stdout);
        return 0;
    case StartRequest::Kind::UnknownOption:
        Print(UnknownOptionText(request.unknownOption), stderr);
        return kUsageError;
    case StartRequest::Kind::Window:
        break;
    }
    return 0;
}

} // namespace glyphwright::ui
