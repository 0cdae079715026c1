#pragma once
// What the desktop benchmarks share: a generated well made in memory, and the median of five
// timed runs, wall and processor time.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "core/import/import_result.h"

namespace lithora::bench {

// A well of `rows` depth steps whose logs wander with depth as logs do: density, both sonic
// curves (per metre) and a gamma ray, every role recognised.
inline import::ImportResult generatedWell(std::size_t rows) {
    import::ImportResult r;
    r.fieldNames = {"DEPTH", "RHOB", "DT", "DTSM", "GR"};
    r.fieldLabels = {"DEPT(M)", "RHOB(G/CC)", "DT(US/M)", "DTSM(US/M)", "GR(GAPI)"};
    r.catalog = {{"DEPT", "(M)", "DEPT(M)"},
                 {"RHOB", "(G/CC)", "RHOB(G/CC)"},
                 {"DT", "(US/M)", "DT(US/M)"},
                 {"DTSM", "(US/M)", "DTSM(US/M)"},
                 {"GR", "(GAPI)", "GR(GAPI)"}};
    r.columns.assign(5, std::vector<double>(rows));
    for (std::size_t i = 0; i < rows; ++i) {
        const double t = static_cast<double>(i);
        const double shale = 0.5 + 0.5 * std::sin(t * 0.0037) * std::cos(t * 0.00071);
        r.columns[0][i] = 1000 + 0.1 * t;
        r.columns[1][i] = 2.1 + 0.45 * shale + 0.05 * std::sin(t * 0.31);
        r.columns[2][i] = 190 + 140 * shale + 10 * std::sin(t * 0.17);
        r.columns[3][i] = r.columns[2][i] * (1.6 + 0.4 * shale + 0.05 * std::cos(t * 0.23));
        r.columns[4][i] = 20 + 130 * shale + 8 * std::sin(t * 0.53);
    }
    r.roles.density = {"RHOB"};
    r.roles.pWave = {"DT"};
    r.roles.sWave = {"DTSM"};
    r.roles.gammaRay = {"GR"};
    r.roles.gammaRayIndex = 5;
    r.depthUnit = "m";
    r.densityUnit = "GC";
    r.nullValueText = "-999.25";
    r.nullValue = -999.25;
    return r;
}

// Median wall time and median processor time of five runs, in milliseconds. On a shared
// machine the processor time is the steadier figure: it leaves out the time other programs
// had the processor.
struct Times {
    double wall, cpu;
};

inline double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

inline Times median(const std::function<void()>& step) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < 5; ++i) {
        const double c0 = cpuMs();
        const auto w0 = std::chrono::steady_clock::now();
        step();
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - w0)
                .count());
        cpu.push_back(cpuMs() - c0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[2], cpu[2]};
}

inline void report(const char* what, Times t) {
    std::printf("%-40s %8.1f ms wall %8.1f ms processor\n", what, t.wall, t.cpu);
}

}  // namespace lithora::bench
