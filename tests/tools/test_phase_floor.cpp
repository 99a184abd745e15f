// The phase floor of the response report: the minimum phase of a level,
// checked against filters whose phase is known.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "cmd_response_phase_floor.h"
#include "dsp/band_kind.h"
#include "dsp/response_analysis.h"

using namespace solvahost;
using C = std::complex<double>;

namespace {

constexpr double kFs = 44100.0;
constexpr double kPi = 3.141592653589793;

C zInv(double f) { return std::polar(1.0, -2.0 * kPi * f / kFs); }

// A first-order section with its zero at z = zero and its pole at z = 0.9.
C section(double f, double zero) { return (1.0 - zero * zInv(f)) / (1.0 - 0.9 * zInv(f)); }

// A first-order all-pass, |A| = 1, phase lagging from 0 to -180 degrees.
C allPass(double f, double a) { return (zInv(f) - a) / (1.0 - a * zInv(f)); }

const std::vector<double> kFreqs = {20.0, 100.0, 1000.0, 5000.0, 10000.0, 15000.0, 20000.0};

}  // namespace

TEST(PhaseFloor, AMinimumPhaseSectionHasItsOwnPhaseAndNoFloor) {
    const Prototype p = [](double f) { return section(f, 0.5); };
    const std::vector<double> phase = minimumPhaseAt(p, kFs, kFreqs);
    for (size_t i = 0; i < kFreqs.size(); ++i)
        EXPECT_NEAR(phase[i] * 180.0 / kPi, std::arg(p(kFreqs[i])) * 180.0 / kPi, 0.05) << kFreqs[i];
    EXPECT_LT(phaseFloorDeg(p, kFs, kFreqs), 0.05);
}

TEST(PhaseFloor, OnlyALeadOverTheMinimumPhaseIsAFloor) {
    // A zero outside the unit circle only adds lag: the minimum phase of the
    // same level leads, and a filter may always lag more.
    const Prototype lagging = [](double f) { return -section(f, 2.0); };  // positive at DC
    EXPECT_LT(phaseFloorDeg(lagging, kFs, kFreqs), 0.05);
    // The minimum-phase section with an all-pass lead (no causal filter has
    // one): the floor is that lead.
    const Prototype leading = [](double f) { return section(f, 0.5) * std::conj(allPass(f, 0.3)); };
    double lead = 0.0;
    for (double f : kFreqs) lead = std::max(lead, -std::arg(allPass(f, 0.3)) * 180.0 / kPi);
    EXPECT_GT(lead, 100.0);
    EXPECT_NEAR(phaseFloorDeg(leading, kFs, kFreqs), lead, 0.05);
}

TEST(PhaseFloor, ADeepCutNearTheTopLeadsEveryZeroLatencyFilterAt44k1) {
    // The analog bell at 15 kHz, Q 3, -22.51 dB still climbs back above
    // 22.05 kHz; its phase at 10 kHz leads the minimum phase of its level up
    // to 22.05 kHz by 15.24 degrees (the same from the real cepstrum of the
    // level, by FFT over 131072 points: 15.237).
    const Prototype bell = [](double f) {
        return solva::analogBandResponse(solva::kKindBell, f, 15000.0f, 3.0f, -22.51f, static_cast<float>(kFs));
    };
    std::vector<double> freqs;
    for (int i = 0; i <= 64; ++i) freqs.push_back(20.0 * std::pow(500.0, i / 64.0));
    EXPECT_NEAR(phaseFloorDeg(bell, kFs, freqs), 15.237, 0.05);
    // A boost of the same shape lags instead: no floor.
    const Prototype boost = [](double f) {
        return solva::analogBandResponse(solva::kKindBell, f, 15000.0f, 3.0f, 22.51f, static_cast<float>(kFs));
    };
    EXPECT_LT(phaseFloorDeg(boost, kFs, freqs), 0.05);
}
