// How glyphwright-cli takes signals. A file-size limit must not kill it
// halfway through a file, and a request to end (Ctrl-C, kill, a closed
// terminal) ends the run between two files instead of inside one.
#pragma once

namespace glyphwright {
class StopFlag;
}

namespace glyphwright::cli {

// Ignores SIGXFSZ, so that a write beyond the limit fails like one to a full disk.
void IgnoreFileSizeSignal();

// From now on SIGINT, SIGTERM and SIGHUP request a stop with the signal's
// number as the reason; a second one of the same kind ends the process at once.
StopFlag& StopOnSignals();

} // namespace glyphwright::cli
