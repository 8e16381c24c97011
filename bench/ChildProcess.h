// Runs another program for a benchmark and measures it from the outside:
// wall time from start to exit, and the child's own peak resident memory.
#pragma once

#include <string>
#include <vector>

namespace glyphwright::bench {

struct ChildResult {
    int exitStatus = -1; // -1 when it did not exit normally
    double seconds = 0;
    long peakResidentKiB = 0;
    std::string standardError; // its first 4 KiB
};

// Runs argv[0] (looked up in PATH when it has no slash) in the folder workDir
// with standard output discarded, and waits for it.
ChildResult RunChild(const std::vector<std::string>& argv, const std::string& workDir = ".");

} // namespace glyphwright::bench
