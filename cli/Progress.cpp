#include "cli/Progress.h"

#include "cli/ShownName.h"
#include "wording/Catalog.h"

#include <cmath>
#include <sys/ioctl.h>
#include <unistd.h>

namespace glyphwright::cli {

namespace {

using wording::Format;
using wording::Tr;

constexpr std::string_view kEllipsis = "…";
constexpr std::string_view kEraseToEnd = "\x1b[K";

bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

std::size_t Columns(std::string_view text) {
    std::size_t columns = 0;
    for (const char byte : text) {
        columns += IsContinuation(byte) ? 0 : 1;
    }
    return columns;
}

// The last `columns` characters of text.
std::string_view Tail(std::string_view text, std::size_t columns) {
    std::size_t at = text.size();
    std::size_t taken = 0;
    while (at > 0) {
        std::size_t start = at - 1;
        while (start > 0 && IsContinuation(text[start])) {
            --start;
        }
        if (taken == columns) {
            break;
        }
        ++taken;
        at = start;
    }
    return text.substr(at);
}

// The separators of numbers: German's, whatever the C library's LC_NUMERIC
// says, or English's.
char ThousandsSeparator() {
    return wording::ChosenLanguage() == wording::Language::German ? '.' : ',';
}

char DecimalSeparator() {
    return wording::ChosenLanguage() == wording::Language::German ? ',' : '.';
}

} // namespace

std::string GroupDigits(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ThousandsSeparator());
    }
    return digits;
}

std::string FormatRate(double bytesPerSecond) {
    const auto tenths = static_cast<std::uint64_t>(std::llround(bytesPerSecond / 1e5));
    return GroupDigits(tenths / 10) + DecimalSeparator() + std::to_string(tenths % 10) + " MB/s";
}

std::string SummaryLine(const SummaryCounts& counts) {
    const std::size_t converted = counts.converted;
    std::string line =
        Format(wording::TrN("%s Datei umgewandelt", "%s Dateien umgewandelt", converted),
               {GroupDigits(converted)});
    if (converted != 0) {
        line.append(" ").append(
            Format(Tr("(%s als UTF-8, %s als Windows-1252)"),
                   {GroupDigits(counts.asUtf8), GroupDigits(converted - counts.asUtf8)}));
    }
    if (counts.unchanged != 0) {
        line.append(", ").append(Format(Tr("%s unverändert"), {GroupDigits(counts.unchanged)}));
    }
    if (counts.duplicates != 0) {
        line.append(", ").append(
            Format(Tr("%s doppelt genannt"), {GroupDigits(counts.duplicates)}));
    }
    if (counts.failed != 0) {
        line.append(", ").append(Format(Tr("%s fehlgeschlagen"), {GroupDigits(counts.failed)}));
    }
    return line;
}

std::string StoppedSummaryLine(const SummaryCounts& counts, std::size_t left) {
    return Format(Tr("abgebrochen: %s, %s nicht bearbeitet"),
                  {SummaryLine(counts), GroupDigits(left)});
}

std::string ProgressText(std::size_t done, std::size_t total, double bytesPerSecond,
                         std::string_view currentPath, std::size_t width) {
    const std::string current = ShownName(currentPath);
    std::string text = Format(Tr("%s/%s Dateien, %s"),
                              {GroupDigits(done), GroupDigits(total), FormatRate(bytesPerSecond)});
    if (current.empty() || Columns(text) + 2 >= width) {
        return text;
    }
    text += ": ";
    const std::size_t room = width - Columns(text);
    if (Columns(current) <= room) {
        return text + current;
    }
    if (room <= Columns(kEllipsis)) {
        return text;
    }
    return text + std::string(kEllipsis) + std::string(Tail(current, room - Columns(kEllipsis)));
}

std::size_t TerminalWidth(std::FILE* terminal) {
    winsize size{};
    if (ioctl(fileno(terminal), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 80;
}

ProgressLine::ProgressLine(std::FILE* terminal, std::size_t total, std::size_t width, Now now)
    : terminal_(terminal), total_(total), width_(width), now_(std::move(now)), start_(now_()),
      lastDraw_(start_) {}

void ProgressLine::Started(std::string_view path) {
    const std::lock_guard lock(mutex_);
    current_ = path;
    Redraw(!shown_);
}

void ProgressLine::Finished(std::uint64_t bytes) {
    const std::lock_guard lock(mutex_);
    ++done_;
    bytes_ += bytes;
    Redraw(false);
}

std::size_t ProgressLine::Redraws() const {
    const std::lock_guard lock(mutex_);
    return redraws_;
}

void ProgressLine::Clear() {
    const std::lock_guard lock(mutex_);
    if (shown_) {
        std::fprintf(terminal_, "\r%s", kEraseToEnd.data());
        std::fflush(terminal_);
        shown_ = false;
    }
}

void ProgressLine::Redraw(bool force) {
    const Clock::time_point now = now_();
    if (!force && now - lastDraw_ < kRedrawInterval) {
        return;
    }
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rate = seconds > 0 ? static_cast<double>(bytes_) / seconds : 0.0;
    // One column less than the terminal, so that the line never wraps.
    const std::string text =
        ProgressText(done_, total_, rate, current_, width_ > 1 ? width_ - 1 : 1);
    std::fprintf(terminal_, "\r%s%s", text.c_str(), kEraseToEnd.data());
    std::fflush(terminal_);
    lastDraw_ = now;
    shown_ = true;
    ++redraws_;
}

} // namespace glyphwright::cli
