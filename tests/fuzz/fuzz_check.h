#pragma once
#include <cstdio>
#include <cstdlib>

// A broken promise of the code under test: print what broke and stop, so that libFuzzer (or
// the replay runner under CTest) reports the input as a finding.
#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)
