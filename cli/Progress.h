// What the tool shows on a terminal: one progress line on standard error,
// redrawn at most ten times a second, and the summary at the end, in the
// chosen language (wording/Catalog.h).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace glyphwright::cli {

// Digit grouping: 1234567 gives "1.234.567" in German, "1,234,567" in English.
std::string GroupDigits(std::uint64_t value);

// Megabytes (10^6 bytes) per second with one decimal: "12,3 MB/s" in German,
// "12.3 MB/s" in English.
std::string FormatRate(double bytesPerSecond);

// What a run did, each file counted once.
struct SummaryCounts {
    std::size_t converted = 0;  // files converted
    std::size_t asUtf8 = 0;     // of those, the ones read as UTF-8
    std::size_t duplicates = 0; // reached again after they were converted
    std::size_t failed = 0;     // files and paths that failed
    std::size_t unchanged = 0;  // left alone, as nothing in them would change
};

// "1.234 Dateien umgewandelt (1.200 als UTF-8, 34 als Windows-1252), 5
// unverändert, 3 doppelt genannt, 2 fehlgeschlagen"; the character sets only
// when something was converted, the others only when there are some.
std::string SummaryLine(const SummaryCounts& counts);

// "abgebrochen: 12 Dateien umgewandelt (…), 1 fehlgeschlagen, 1.222 nicht bearbeitet".
std::string StoppedSummaryLine(const SummaryCounts& counts, std::size_t left);

// "12/1.234 Dateien, 45,6 MB/s: path", the path as ShownName shows it, cut to
// at most width columns (one per UTF-8 character) by shortening the path at
// its front to "…" and its end.
std::string ProgressText(std::size_t done, std::size_t total, double bytesPerSecond,
                         std::string_view current, std::size_t width);

// The columns of the terminal behind the stream, or 80 when unknown.
std::size_t TerminalWidth(std::FILE* terminal);

// Started and Finished may come from several threads at once.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;
    static constexpr std::chrono::milliseconds kRedrawInterval{100};

    ProgressLine(
        std::FILE* terminal, std::size_t total, std::size_t width,
        Now now = [] { return Clock::now(); });

    void Started(std::string_view path);
    void Finished(std::uint64_t bytes);
    // Erases the line, when one is shown, so that other output can follow.
    void Clear();

    std::size_t Redraws() const;

private:
    void Redraw(bool force); // under mutex_

    mutable std::mutex mutex_;
    std::FILE* terminal_;
    std::size_t total_;
    std::size_t width_;
    Now now_;
    Clock::time_point start_;
    Clock::time_point lastDraw_;
    std::size_t done_ = 0;
    std::uint64_t bytes_ = 0;
    std::string current_;
    std::size_t redraws_ = 0;
    bool shown_ = false;
};

} // namespace glyphwright::cli
