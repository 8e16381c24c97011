// How many workers share a run of glyphwright-cli.
#pragma once

#include "cli/CommandLine.h"

#include <cstddef>

namespace glyphwright::cli {

// The -j of the call, or DefaultWorkers().
std::size_t WorkersFor(const Invocation& invocation);

} // namespace glyphwright::cli
