// Measured responses through EqEngine::processChunk against the analog
// prototypes of every band kind the effect uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "dsp/band_kind.h"
#include "dsp/response_analysis.h"

using namespace solva;

namespace {

struct Deviation {
    double maxDb = 0.0;       // over 20 Hz .. 20 kHz
    double maxDbLow = 0.0;    // over 20 Hz .. 10 kHz
    double maxPhaseLowDeg = 0.0;  // over 20 Hz .. 5 kHz
};

constexpr int kLength = 1 << 15;

Deviation measure(const BandSetting& b, float fs, bool corrected = true) {
    auto engine = std::make_unique<EqEngine>();
    if (!corrected) engine->setUseCorrection(false);
    std::vector<float> h(kLength);
    measureImpulseResponse(*engine, fs, &b, 1, h.data(), kLength);
    Deviation d;
    const int n = 90;
    for (int i = 0; i < n; ++i) {
        const double f = 20.0 * std::pow(1000.0, static_cast<double>(i) / (n - 1));
        const auto ref = analogBandResponse(b.kind, f, b.freqHz, b.qFactor, b.gainDb, fs);
        const auto got = dftAt(h.data(), kLength, f, fs);
        const double err = std::fabs(magnitudeDb(got) - magnitudeDb(ref));
        d.maxDb = std::fmax(d.maxDb, err);
        if (f <= 10000.0) d.maxDbLow = std::fmax(d.maxDbLow, err);
        if (f <= 5000.0) d.maxPhaseLowDeg = std::fmax(d.maxPhaseLowDeg, std::fabs(std::arg(got / ref)) * 57.29577951308232);
    }
    return d;
}

struct Case {
    const char* name;
    BandSetting band;
    double tolDb;      // 20 Hz .. 20 kHz, corrected
    double tolLowDb;   // 20 Hz .. 10 kHz
    double tolPhaseDeg = 6.0;  // 20 Hz .. 5 kHz
};

class BandResponse : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(BandResponse, FollowsTheAnalogPrototypeAt441And48kHz) {
    const Case& c = GetParam();
    for (float fs : {44100.0f, 48000.0f}) {
        const Deviation d = measure(c.band, fs);
        EXPECT_LE(d.maxDb, c.tolDb) << c.name << " at " << fs;
        EXPECT_LE(d.maxDbLow, c.tolLowDb) << c.name << " at " << fs;
        EXPECT_LE(d.maxPhaseLowDeg, c.tolPhaseDeg) << c.name << " at " << fs;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BandResponse,
    ::testing::Values(
        Case{"HighPass6_100Hz", {0, kKindHighPass6, 100.0f, 0.0f, 0.7f}, 0.1, 0.1},
        // Its reshaped host section: a first-order shape at the top of the
        // range, 6 dB/oct down to 20 Hz.
        Case{"HighPass6_8500Hz", {0, kKindHighPass6, 8500.0f, 0.0f, 0.7f}, 0.1, 0.1, 10.0},
        Case{"HighPass6_10kHz", {0, kKindHighPass6, 10000.0f, 0.0f, 0.7f}, 0.1, 0.1, 10.0},
        Case{"HighPass12_80Hz_Q0.7", {0, kKindHighPass12, 80.0f, 0.0f, 0.7f}, 0.1, 0.1},
        Case{"HighPass12_500Hz_Q4", {0, kKindHighPass12, 500.0f, 0.0f, 4.0f}, 0.1, 0.1},
        // The first-order low-pass carries no correction: its zero at the
        // Nyquist frequency shows as a growing deficit above 10 kHz.
        Case{"LowPass6_2kHz", {6, kKindLowPass6, 2000.0f, 0.0f, 0.7f}, 14.0, 3.0},
        Case{"LowPass12_8kHz_Q0.7", {6, kKindLowPass12, 8000.0f, 0.0f, 0.7f}, 0.5, 0.3, 12.0},
        Case{"LowPass12_15kHz_Q2", {6, kKindLowPass12, 15000.0f, 0.0f, 2.0f}, 0.5, 0.3, 12.0},
        // Wide low-pass Qs between the table's 0.1 and 0.3, where the lookup
        // interpolates the kernel's sinc centre across a steep part of its
        // optimum.
        Case{"LowPass12_1kHz_Q0.17", {6, kKindLowPass12, 1000.0f, 0.0f, 0.17f}, 0.35, 0.35, 12.0},
        Case{"LowPass12_2kHz_Q0.2", {6, kKindLowPass12, 2000.0f, 0.0f, 0.2f}, 0.35, 0.35, 12.0},
        Case{"BellBoost_1kHz", {2, kKindBell, 1000.0f, 9.0f, 1.0f}, 0.2, 0.2},
        Case{"BellCut_3kHz_Q3", {2, kKindBell, 3000.0f, -12.0f, 3.0f}, 0.3, 0.3},
        Case{"BellBoost_12kHz_Q0.7", {2, kKindBell, 12000.0f, 9.0f, 0.7f}, 0.35, 0.35},
        Case{"BellCut_16kHz_Q2", {2, kKindBell, 16000.0f, -9.0f, 2.0f}, 0.35, 0.35},
        Case{"HighShelf_8kHz_+9", {5, kKindHighShelf, 8000.0f, 9.0f, 0.7f}, 0.2, 0.2},
        Case{"HighShelf_2kHz_-12", {5, kKindHighShelf, 2000.0f, -12.0f, 1.0f}, 0.2, 0.2},
        Case{"LowShelf_200Hz_+6", {1, kKindLowShelf, 200.0f, 6.0f, 0.7f}, 0.2, 0.2},
        Case{"LowShelf_5kHz_-9", {1, kKindLowShelf, 5000.0f, -9.0f, 0.7f}, 0.2, 0.2}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string s = info.param.name;
        for (char& ch : s)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return s;
    });

TEST(BandResponseCorrection, BeatsThePlainBilinearDesignNearTheTop) {
    const BandSetting bands[] = {
        {2, kKindBell, 15000.0f, 9.0f, 1.0f},
        {2, kKindBell, 18000.0f, -9.0f, 3.0f},
        {5, kKindHighShelf, 10000.0f, 6.0f, 0.7f},
        {6, kKindLowPass12, 12000.0f, 0.0f, 0.7f},
    };
    for (const BandSetting& b : bands) {
        const Deviation plain = measure(b, 44100.0f, false);
        const Deviation fixed = measure(b, 44100.0f, true);
        EXPECT_LT(fixed.maxDb, 0.5 * plain.maxDb) << b.kind << " " << b.freqHz;
    }
}

// The Air band is its reference bell (far above the host band) carried by a
// 24- or 44-tap kernel alone; the short kernel keeps it within about 2 dB.
TEST(BandResponseAir, FollowsItsReferenceBellBelow20kHz) {
    for (float fs : {44100.0f, 48000.0f})
        for (float gain : {-12.0f, 6.0f, 12.0f}) {
            const Deviation d = measure({7, kKindAir, kAirFreqHz, gain, 0.0f}, fs);
            EXPECT_LE(d.maxDb, 2.2) << gain << " at " << fs;
        }
}

// Below 44.1 kHz a bell above 20 kHz * fs/44100 is carried by the fixed
// reference bells of the band above the table. Narrow bells send it cuts
// down to -28.7 dB after the gain warp, past the reference's first gain
// breakpoint: they stay cuts (within the short kernel's ripple).
TEST(BandResponseRates, DeepCutsAboveTheTableStayCuts) {
    auto engine = std::make_unique<EqEngine>();
    std::vector<float> h(8192);
    for (float fs : {8000.0f, 22050.0f, 32000.0f})
        for (float gain : {-15.0f, -20.0f, -28.7f}) {
            // Above 20 kHz * fs/44100 (0.4535 fs); a 15 kHz bell at 22.05 kHz
            // lies above the Nyquist frequency too.
            const BandSetting bell{2, kKindBell, (fs < 30000.0f ? 0.68f : 0.47f) * fs, gain, 7.0f};
            measureImpulseResponse(*engine, fs, &bell, 1, h.data(), static_cast<int>(h.size()));
            double loudest = -1e9, lowest = 1e9;
            for (int i = 0; i < 200; ++i) {
                const double f = 20.0 * std::pow(0.45 * fs / 20.0, i / 199.0);
                const double db = magnitudeDb(dftAt(h.data(), static_cast<int>(h.size()), f, fs));
                loudest = std::max(loudest, db);
                lowest = std::min(lowest, db);
            }
            EXPECT_LT(loudest, 1.0) << gain << " dB at " << fs;
            // At 8 kHz the reference bells (25-30 kHz) lie too far above the
            // band to cut into it.
            if (fs > 20000.0f) {
                EXPECT_LT(lowest, -3.0) << gain << " dB at " << fs;
            }
        }
}

TEST(BandResponseRates, EveryRateFrom8To768kHzStaysFinite) {
    const BandSetting chain[] = {
        {0, kKindHighPass12, 30.0f, 0.0f, 0.7f}, {1, kKindLowShelf, 120.0f, 4.0f, 0.7f},
        {2, kKindBell, 1000.0f, -6.0f, 2.0f},    {3, kKindBell, 5000.0f, 9.0f, 1.0f},
        {4, kKindBell, 12000.0f, 6.0f, 0.5f},    {5, kKindHighShelf, 18000.0f, 6.0f, 0.7f},
        {6, kKindLowPass12, 19000.0f, 0.0f, 0.7f}, {7, kKindAir, kAirFreqHz, 6.0f, 0.0f},
    };
    auto engine = std::make_unique<EqEngine>();
    std::vector<float> h(8192);
    // From 661.5 kHz on the Air band's frequency lies below the top of the
    // correction tables.
    for (float fs : {8000.0f, 11025.0f, 22050.0f, 32000.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f,
                     192000.0f, 384000.0f, 705600.0f, 768000.0f}) {
        measureImpulseResponse(*engine, fs, chain, 8, h.data(), static_cast<int>(h.size()));
        for (float v : h) ASSERT_TRUE(std::isfinite(v)) << fs;
        EXPECT_GT(std::fabs(h[0]) + std::fabs(h[1]) + std::fabs(h[2]), 0.0f) << fs;
        // The reshaped 6 dB high-pass (a second-order section whose corner
        // the table scales with the rate) over its whole range, with the
        // 6 dB low-pass: the response dies away.
        for (float hp : {20.0f, 1000.0f, 10000.0f}) {
            BandSetting sixDb[8];
            std::copy(std::begin(chain), std::end(chain), sixDb);
            sixDb[0] = {0, kKindHighPass6, hp, 0.0f, 0.7f};
            sixDb[6] = {6, kKindLowPass6, 19000.0f, 0.0f, 0.7f};
            measureImpulseResponse(*engine, fs, sixDb, 8, h.data(), static_cast<int>(h.size()));
            float tail = 0.0f;
            for (size_t i = 0; i < h.size(); ++i) {
                ASSERT_TRUE(std::isfinite(h[i])) << fs << " " << hp;
                if (i >= h.size() - 1024) tail = std::max(tail, std::fabs(h[i]));
            }
            EXPECT_LT(tail, 1e-3f) << fs << " " << hp;
        }
    }
}
