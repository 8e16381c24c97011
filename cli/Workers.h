// How many workers share a run of glyphwright-cli.
#pragma once

#include "cli/CommandLine.h"

#include <cstddef>

namespace glyphwright::cli {

// Beyond this many the default gains little and costs memory on large machines.
inline constexpr std::size_t kDefaultJobsLimit = 16;

// The -j of the call, or one per online CPU, at most kDefaultJobsLimit.
std::size_t WorkersFor(const Invocation& invocation);

} // namespace glyphwright::cli
