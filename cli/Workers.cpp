#include "cli/Workers.h"

#include <algorithm>
#include <unistd.h>

namespace glyphwright::cli {

std::size_t WorkersFor(const Invocation& invocation) {
    if (invocation.jobs != 0) {
        return invocation.jobs;
    }
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return online < 1 ? 1 : std::min(static_cast<std::size_t>(online), kDefaultJobsLimit);
}

} // namespace glyphwright::cli
