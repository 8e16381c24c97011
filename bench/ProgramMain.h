// main() of a benchmark that is a plain program rather than a Google
// Benchmark: runs it and says any failure on standard error.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace glyphwright::bench {

inline int RunProgram(const char* name, int (*run)()) {
    try {
        return run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", name, error.what());
        return EXIT_FAILURE;
    }
}

} // namespace glyphwright::bench
