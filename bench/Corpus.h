// Benchmark inputs, generated in memory by deterministic code (the same bytes
// on every machine and run), never stored as files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace glyphwright::bench {

enum class LineEnd { Lf, CrLf };

// HTML-like German text in Windows-1252: tags, links and prose with umlauts,
// about 3 % high bytes, lines of 40 to 120 bytes (line end not counted).
std::string MakeTypicalCorpus(std::size_t minimumSize, LineEnd lineEnd = LineEnd::CrLf,
                              std::uint64_t seed = 1);

// Lines of 40 to 120 bytes where each byte is a high byte (0x80..0xFF) with
// probability one half, otherwise a letter or a space.
std::string MakeDenseCorpus(std::size_t minimumSize, LineEnd lineEnd = LineEnd::CrLf,
                            std::uint64_t seed = 1);

// The same text stored as UTF-8: each byte 0x80..0xFF becomes the character
// of the same number (Windows-1252's 0x80..0x9F are taken as C1 controls,
// which is all a benchmark needs).
std::string Latin1ToUtf8(std::string_view bytes);

// The share of bytes 0x80 and above, 0 to 1.
double HighByteShare(const std::string& text);

} // namespace glyphwright::bench
