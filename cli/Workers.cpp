#include "cli/Workers.h"

#include "files/runs/ListRun.h"

namespace glyphwright::cli {

std::size_t WorkersFor(const Invocation& invocation) {
    return invocation.jobs != 0 ? invocation.jobs : DefaultWorkers();
}

} // namespace glyphwright::cli
