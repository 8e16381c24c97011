// The exit statuses of glyphwright-cli.
#pragma once

namespace glyphwright::cli {

inline constexpr int kAllConverted = 0;
inline constexpr int kSomeFailed = 1;  // a file failed, a PATH was missing, or a stream error
inline constexpr int kWouldChange = 1; // --check: a conversion would change a file
inline constexpr int kUsageError = 2;  // a wrong call, or no extension marked for a folder

} // namespace glyphwright::cli
