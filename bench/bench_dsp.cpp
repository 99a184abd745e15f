// EqEngine throughput: nanoseconds per stereo frame, flat and with all eight
// bands on at typical settings (corrections active), at 44.1 and 48 kHz,
// with every band's frequency automated each chunk (redesigns running), and
// busy on a 15 Hz sine, whose long runs of negative chunk starts bring the
// bands' tiny-output guards to their limit.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "dsp/band_kind.h"
#include "dsp/eq_engine.h"

using namespace solva;

namespace {

constexpr int kBlock = 4096;

struct BusyBand {
    int slot, kind;
    float f, g, q;
};
constexpr BusyBand kBusyBands[8] = {
    {0, kKindHighPass12, 40.0f, 0.0f, 0.7f},   {1, kKindLowShelf, 120.0f, 3.0f, 0.7f},
    {2, kKindBell, 400.0f, -4.0f, 1.4f},       {3, kKindBell, 2500.0f, 3.0f, 1.0f},
    {4, kKindBell, 9000.0f, 5.0f, 0.7f},       {5, kKindHighShelf, 12000.0f, 4.0f, 0.7f},
    {6, kKindLowPass12, 18000.0f, 0.0f, 0.7f}, {7, kKindAir, kAirFreqHz, 4.0f, 0.0f},
};

void setBusy(EqEngine& e) {
    for (const BusyBand& b : kBusyBands) {
        e.setBandKind(b.slot, b.kind);
        e.setBandSettings(b.slot, -1, b.f, b.g, b.q);
        e.setBandEnabled(b.slot, true);
    }
}

enum class Load { kFlat, kBusy, kAutomated, kInfrasonic };

// Every band moves a little each chunk, as under host automation (the Air
// band's level, the others' frequency): the bands keep redesigning their
// sections and kernels.
void automate(EqEngine& e, int step) {
    const float wobble = 0.01f * static_cast<float>(step % 16) / 16.0f;
    for (const BusyBand& b : kBusyBands) {
        if (b.kind == kKindAir) e.setBandSettings(b.slot, -1, b.f, b.g + wobble, b.q);
        else e.setBandSettings(b.slot, -1, b.f * (1.0f + wobble), b.g, b.q);
    }
}

void runEngine(benchmark::State& state, float fs, Load load) {
    auto e = std::make_unique<EqEngine>();
    e->setSampleRate(fs);
    if (load != Load::kFlat) setBusy(*e);
    std::mt19937 rng(1);
    std::uniform_real_distribution<float> d(-0.5f, 0.5f);
    std::vector<float> l(kBlock), r(kBlock), ol(kBlock), orr(kBlock);
    for (int i = 0; i < kBlock; ++i) {
        l[i] = d(rng);
        r[i] = d(rng);
        if (load == Load::kInfrasonic)
            l[i] = r[i] = 0.5f * static_cast<float>(std::sin(2.0 * 3.141592653589793 * 15.0 * i / fs));
    }
    // Let fades, designs and kernel crossfades settle.
    for (int rep = 0; rep < 20; ++rep)
        for (int p = 0; p < kBlock; p += EqEngine::kChunkFrames) {
            const int n = kBlock - p < EqEngine::kChunkFrames ? kBlock - p : EqEngine::kChunkFrames;
            e->processChunk(n, &l[p], &r[p], &ol[p], &orr[p], 2);
        }
    int step = 0;
    for (auto _ : state) {
        for (int p = 0; p < kBlock; p += EqEngine::kChunkFrames) {
            if (load == Load::kAutomated) automate(*e, step++);
            const int n = kBlock - p < EqEngine::kChunkFrames ? kBlock - p : EqEngine::kChunkFrames;
            e->processChunk(n, &l[p], &r[p], &ol[p], &orr[p], 2);
        }
        benchmark::DoNotOptimize(ol.data());
        benchmark::DoNotOptimize(orr.data());
    }
    // Shown as time per stereo frame (e.g. "77n" = 77 ns).
    state.counters["per_frame"] = benchmark::Counter(static_cast<double>(kBlock) * state.iterations(),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Flat44k(benchmark::State& s) { runEngine(s, 44100.0f, Load::kFlat); }
void BM_Flat48k(benchmark::State& s) { runEngine(s, 48000.0f, Load::kFlat); }
void BM_Busy44k(benchmark::State& s) { runEngine(s, 44100.0f, Load::kBusy); }
void BM_Busy48k(benchmark::State& s) { runEngine(s, 48000.0f, Load::kBusy); }
void BM_Automated44k(benchmark::State& s) { runEngine(s, 44100.0f, Load::kAutomated); }
void BM_Infrasonic44k(benchmark::State& s) { runEngine(s, 44100.0f, Load::kInfrasonic); }

}  // namespace

BENCHMARK(BM_Flat44k);
BENCHMARK(BM_Flat48k);
BENCHMARK(BM_Busy44k);
BENCHMARK(BM_Busy48k);
BENCHMARK(BM_Automated44k);
BENCHMARK(BM_Infrasonic44k);
