// Plain file access and child processes for the tests of the file round trip.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace glyphwright::testing {

void WriteBytes(const std::string& path, std::string_view bytes, mode_t mode = 0644);
// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadBytes(const std::string& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> NamesIn(const std::string& folder);

// The user a test switches to in order to be refused what root may always do.
inline constexpr uid_t kUnprivilegedId = 65534;

// Runs body in a forked child and returns its exit code (128 + signal when
// killed). With dropPrivileges, a child running as root first becomes
// kUnprivilegedId. The body must not use the test framework's assertions.
int RunInChild(const std::function<int()>& body, bool dropPrivileges = false);

// Runs body in a child whose files may grow to at most limit bytes, with
// SIGXFSZ ignored, so that writes beyond it come up short as on a full disk.
int RunWithFileSizeLimit(std::size_t limit, const std::function<int()>& body);

} // namespace glyphwright::testing
