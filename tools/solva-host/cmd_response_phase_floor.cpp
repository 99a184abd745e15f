#include "cmd_response_phase_floor.h"

#include <algorithm>
#include <cmath>

namespace solvahost {
namespace {
constexpr double kPi = 3.141592653589793;
}

// phi(w) = -1/(2 pi) PV integral over -pi..pi of L(t) cot((w - t)/2) dt, L the
// log level. L is even, and the integral of cot over a period vanishes, so
// phi(w) = -1/(pi) integral over 0..pi of (L(t) - L(w)) k(w, t) dt with
// k = (cot((w - t)/2) + cot((w + t)/2)) / 2, whose integrand stays finite at
// t = w. The points are log-spaced from kLowestHz to fs/2 (narrow
// resonances at 20 Hz are resolved as well as those at 20 kHz), the
// midpoint rule on log t; below kLowestHz the integrand vanishes with t.
std::vector<double> minimumPhaseAt(const Prototype& prototype, double fs, const std::vector<double>& atHz,
                                   int points) {
    constexpr double kLowestHz = 0.1;
    const size_t n = static_cast<size_t>(points);
    const double lowest = 2.0 * kPi * kLowestHz / fs, span = std::log(kPi / lowest);
    std::vector<double> level(n), theta(n), weight(n);
    for (size_t k = 0; k < n; ++k) {
        theta[k] = lowest * std::exp(span * (static_cast<double>(k) + 0.5) / points);
        weight[k] = theta[k] * span / points;
        level[k] = std::log(std::abs(prototype(theta[k] * fs / (2.0 * kPi))) + 1e-300);
    }
    std::vector<double> phase;
    phase.reserve(atHz.size());
    for (double f : atHz) {
        const double w = 2.0 * kPi * f / fs;
        const double lw = std::log(std::abs(prototype(f)) + 1e-300);
        double sum = 0.0;
        for (size_t k = 0; k < n; ++k) {
            const double t = theta[k];
            if (std::fabs(w - t) < 1e-12) continue;  // the integrand's finite value, one point of many
            sum += weight[k] * (level[k] - lw) * 0.5 * (1.0 / std::tan((w - t) / 2.0) + 1.0 / std::tan((w + t) / 2.0));
        }
        phase.push_back(-sum / kPi);
    }
    return phase;
}

double phaseFloorDeg(const Prototype& prototype, double fs, const std::vector<double>& atHz) {
    const std::vector<double> phase = minimumPhaseAt(prototype, fs, atHz);
    double floor = 0.0;
    for (size_t i = 0; i < atHz.size(); ++i) {
        const std::complex<double> ratio = std::polar(1.0, phase[i]) / prototype(atHz[i]);
        floor = std::max(floor, -std::arg(ratio) * 180.0 / kPi);
    }
    return floor;
}

}  // namespace solvahost
