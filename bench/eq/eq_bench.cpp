// SPDX-License-Identifier: GPL-3.0-or-later
// One full recompute of the room EQ's fifteen bands, as the graph does it in every frame in which a
// band moves: each band designed and sampled 512 times, reshaped and added into the sum.
#include <benchmark/benchmark.h>

#include "eq/EqGraph.h"
#include "eq/FilterMath.h"

namespace {

constexpr int RoomBands = 15;

void Recompute(benchmark::State& state, const EqBandType* types) {
    float sum[EqCurveCapacity];
    float lit[EqCurveCapacity];
    for (auto _ : state) {
        for (float& v : sum)
            v = 0.0f;
        for (int i = 0; i < RoomBands; ++i)
            EqBandCurve(554, 276, sum, types[i], EqFreqTable[i * 17 + 8], 1.0f + 0.4f * i,
                        i % 2 ? -6.0f : 4.5f, i == 7, lit);
        benchmark::DoNotOptimize(sum);
        benchmark::ClobberMemory();
    }
}

// The peaking design has the most stages per magnitude evaluation: the worst case.
void BM_RecomputeFifteenPeaks(benchmark::State& state) {
    EqBandType types[RoomBands];
    for (EqBandType& t : types)
        t = EqBandType::Peak;
    Recompute(state, types);
}
BENCHMARK(BM_RecomputeFifteenPeaks)->Unit(benchmark::kMicrosecond);

void BM_RecomputeFifteenMixed(benchmark::State& state) {
    EqBandType types[RoomBands];
    for (int i = 0; i < RoomBands; ++i)
        types[i] = static_cast<EqBandType>(i % 3);
    Recompute(state, types);
}
BENCHMARK(BM_RecomputeFifteenMixed)->Unit(benchmark::kMicrosecond);

void BM_SamplePeak(benchmark::State& state) {
    double max = 0, min = 0;
    for (auto _ : state) {
        const FilterWord* list = DesignPeaking(0.25, 3.0, 6.0, 2);
        benchmark::DoNotOptimize(SampleMagnitude(list, 0.0, 0.5, 512, &max, &min));
    }
}
BENCHMARK(BM_SamplePeak)->Unit(benchmark::kMicrosecond);

} // namespace
