// Measurement of one grid case through the loaded plug-in: the case's
// switches and normalised values are sent with setParameter, silence is
// processed until the glides, crossfades and the previous case's tail have
// died away, then a unit impulse on both inputs is recorded from the first
// output and its DFT taken at the analysis frequencies. The prototype is the
// product of the analog prototypes of the bands with the engine values the
// plug-in derives from what it stored (read back with getParameter).
#pragma once

#include <complex>
#include <string>
#include <vector>

#include "cmd_response_grid.h"
#include "plugin_instance.h"

namespace solvahost {

// 512 log-spaced frequencies from 20 Hz to 20 kHz.
std::vector<double> responseAnalysisFrequencies();

struct CaseMeasurement {
    std::vector<std::complex<double>> measured;   // one per analysis frequency
    std::vector<std::complex<double>> prototype;  // same points
    std::vector<EngineBand> engine;               // what the engine received
    double phaseFloorDeg = 0.0;                   // phase error no zero-latency filter avoids
    int impulseFrames = 0;                        // length of the recorded response
};

class ResponseRig {
public:
    // Loads the plug-in at this rate and starts processing. Throws HostError
    // when it is not Solva or does not pass audio unchanged with every band
    // off.
    ResponseRig(const std::string& pluginPath, float sampleRateHz);

    CaseMeasurement measure(const GridCase& gridCase, const std::vector<double>& freqsHz);
    float sampleRateHz() const { return sampleRateHz_; }
    // Latency the plug-in reports (initialDelay), in samples.
    int latencyFrames() const { return plugin_.effect().initialDelay; }

private:
    void switchEverythingOff();
    void applyCase(const GridCase& gridCase);
    GridBand readBack(const GridBand& band);
    // Silence until at least minFrames have run and the output has gone
    // quiet (bounded by a few seconds).
    void settle(int minFrames);
    // Response to a unit impulse on both inputs, first output, until quiet.
    std::vector<float> recordImpulse(int minFrames);
    float processBlock(bool impulse, float* firstOutput);

    float sampleRateHz_;
    PluginInstance plugin_;
    std::vector<float> in_[2], out_[2];
};

}  // namespace solvahost
