// lithora_make_las N OUT.las: writes a LAS 2.0 file of N depth steps and 12 curves, for
// timing whole runs of the program on large wells.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/make_las.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lithora_make_las N OUT.las\n");
        return 2;
    }
    char* end = nullptr;
    unsigned long long rows = std::strtoull(argv[1], &end, 10);
    if (end == argv[1] || *end != '\0') {
        std::fprintf(stderr, "lithora_make_las: N must be a row count\n");
        return 2;
    }
    lithora::bench::writeLasFile(argv[2], static_cast<std::size_t>(rows));
    return 0;
}
