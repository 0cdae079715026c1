// The elastic computation on a million samples, beside a loop that only moves the same
// data: it reads the three input columns and writes the sixteen output columns.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/compute/elastic.h"

namespace {

using namespace lithora::compute;

constexpr std::size_t kSamples = 1'000'000;

// A log of kSamples depth steps: density in g/cm3, slownesses in us/ft, one sample in a
// hundred null.
struct Log {
    std::vector<double> rec, depth, density, pSonic, sSonic;

    Log() {
        std::mt19937_64 gen(2024);
        std::uniform_real_distribution<double> den(1.8, 3.0), dt(40, 200), ratio(1.4, 2.6), u(0, 1);
        const double nan = std::nan("");
        for (std::size_t i = 0; i < kSamples; ++i) {
            rec.push_back(static_cast<double>(i + 1));
            depth.push_back(1000 + 0.1524 * static_cast<double>(i));
            const double p = dt(gen);
            density.push_back(u(gen) < 0.01 ? nan : den(gen));
            pSonic.push_back(p);
            sSonic.push_back(p * ratio(gen));
        }
    }

    ElasticInputs inputs(bool measured) const {
        ElasticInputs in;
        in.rec = rec;
        in.depth = depth;
        in.density = density;
        in.pSonic = pSonic;
        if (measured) in.sSonic = sSonic;
        in.pSonicUnit = in.sSonicUnit = SonicUnit::PerFoot;
        in.densityUnit = DensityUnit::GramsPerCc;
        in.measuredVs = measured;
        in.vs = kDefaultVsSettings;
        return in;
    }
};

const Log& theLog() {
    static const Log log;
    return log;
}

void BM_ComputeElasticMeasuredVs(benchmark::State& state) {
    const ElasticInputs in = theLog().inputs(true);
    for (auto _ : state) {
        ElasticColumns out = computeElastic(in);
        benchmark::DoNotOptimize(out.columns[kRho].data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSamples));
}
BENCHMARK(BM_ComputeElasticMeasuredVs)->Unit(benchmark::kMillisecond);

void BM_ComputeElasticEstimatedVs(benchmark::State& state) {
    const ElasticInputs in = theLog().inputs(false);
    for (auto _ : state) {
        ElasticColumns out = computeElastic(in);
        benchmark::DoNotOptimize(out.columns[kRho].data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSamples));
}
BENCHMARK(BM_ComputeElasticEstimatedVs)->Unit(benchmark::kMillisecond);

// The floor: the same columns allocated, three read and sixteen written, with no more
// arithmetic than it takes to keep the stores from being folded away.
void BM_BaselineReadThreeWriteSixteen(benchmark::State& state) {
    const Log& log = theLog();
    for (auto _ : state) {
        ElasticColumns out;
        out.columns[kRec].assign(log.rec.begin(), log.rec.end());
        out.columns[kDepth].assign(log.depth.begin(), log.depth.end());
        for (int f = kPoissonRatio; f < kElasticFieldCount; ++f) out.columns[f].resize(kSamples);
        const double* den = log.density.data();
        const double* dt = log.pSonic.data();
        const double* dts = log.sSonic.data();
        double* o[kElasticFieldCount];
        for (int f = 0; f < kElasticFieldCount; ++f) o[f] = out.columns[f].data();
        for (std::size_t i = 0; i < kSamples; ++i) {
            const double a = den[i], b = dt[i], c = dts[i];
            for (int f = kPoissonRatio; f < kElasticFieldCount; ++f)
                o[f][i] = a + b * static_cast<double>(f) + c;
        }
        benchmark::DoNotOptimize(out.columns[kRho].data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSamples));
}
BENCHMARK(BM_BaselineReadThreeWriteSixteen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
