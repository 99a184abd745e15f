// The phase error no zero-latency filter can avoid. A causal, stable filter
// whose level follows a prototype over 0..fs/2 has at most the phase of the
// minimum-phase filter with that level: any other one adds an all-pass
// factor, which only lags. Where that minimum phase already lags the
// prototype, the lag is a floor under the phase error of every such filter
// with the prototype's level (a filter may still trade level for phase).
#pragma once

#include <complex>
#include <functional>
#include <vector>

namespace solvahost {

using Prototype = std::function<std::complex<double>(double freqHz)>;

// Phase (radians) at atHz of the minimum-phase filter at sampleRateHz whose
// level is |prototype| from 0 to sampleRateHz / 2, by the Hilbert transform
// of the log level on the unit circle (points samples of it).
std::vector<double> minimumPhaseAt(const Prototype& prototype, double sampleRateHz, const std::vector<double>& atHz,
                                   int points = 8192);

// The largest lag (degrees, >= 0) of that minimum phase behind the
// prototype's own phase at the frequencies atHz.
double phaseFloorDeg(const Prototype& prototype, double sampleRateHz, const std::vector<double>& atHz);

}  // namespace solvahost
