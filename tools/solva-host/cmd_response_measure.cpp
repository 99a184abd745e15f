#include "cmd_response_measure.h"

#include <algorithm>
#include <cmath>

#include "cmd_response_phase_floor.h"
#include "cmd_response_report.h"
#include "dsp/response_analysis.h"
#include "host_error.h"
#include "known_plugins.h"
#include "params/param_table.h"

namespace solvahost {

namespace {

constexpr int kBlockFrames = 512;
constexpr int kNumPoints = 512;
constexpr double kLowHz = 20.0, kHighHz = 20000.0;
// Output level below which a tail counts as finished: far under the float
// resolution of the responses' main lobes, so truncating there changes no
// measured figure.
constexpr float kQuietLevel = 1e-10f;
// Longest settle or recording: a 20 Hz high-pass at Q 12 rings for about
// four seconds before it reaches kQuietLevel.
constexpr double kMaxSeconds = 5.0;
// Every on/off fade, coefficient glide and kernel crossfade of the plug-in
// is over well within this time.
constexpr double kSettleSeconds = 0.3;

}  // namespace

std::vector<double> responseAnalysisFrequencies() {
    std::vector<double> freqs(kNumPoints);
    for (int i = 0; i < kNumPoints; ++i)
        freqs[size_t(i)] = kLowHz * std::pow(kHighHz / kLowHz, double(i) / (kNumPoints - 1));
    return freqs;
}

ResponseRig::ResponseRig(const std::string& pluginPath, float sampleRateHz)
    : sampleRateHz_(sampleRateHz), plugin_(pluginPath, sampleRateHz, kBlockFrames) {
    if (!isSolva(plugin_.effect()))
        throw HostError("response needs Solva (unique ID 'SlvA'); " + pluginPath + " is '" +
                        fourCCText(plugin_.effect().uniqueID) + "'");
    if (plugin_.numInputs() < 2 || plugin_.numOutputs() < 2 || !plugin_.canProcess())
        throw HostError("plug-in offers no stereo processReplacing");
    for (int c = 0; c < 2; ++c) {
        in_[c].assign(kBlockFrames, 0.0f);
        out_[c].assign(kBlockFrames, 0.0f);
    }
    plugin_.resume();
    switchEverythingOff();
    settle(int(kSettleSeconds * sampleRateHz_));
    // With every band off the plug-in must hand the impulse back untouched,
    // or no figure below would mean anything.
    const std::vector<float> h = recordImpulse(kBlockFrames);
    double stray = std::fabs(h[0] - 1.0);
    for (size_t i = 1; i < h.size(); ++i) stray = std::max(stray, double(std::fabs(h[i])));
    if (stray > 1e-6) throw HostError("with every band off the plug-in does not pass an impulse unchanged");
}

void ResponseRig::switchEverythingOff() {
    for (int band = 0; band < solva::kNumBands; ++band) plugin_.setParameter(bandIndices(band).onSwitch, 0.0f);
    plugin_.setParameter(solva::kGeneralVolumeIndex, 0.5f);  // 0 dB
    plugin_.setParameter(solva::kGeneralOnIndex, 1.0f);
}

void ResponseRig::applyCase(const GridCase& gridCase) {
    switchEverythingOff();
    for (const GridBand& band : gridCase.bands) {
        const BandIndices idx = bandIndices(band.position);
        // The type goes first: it decides which Q law the quality is read with.
        if (idx.typeSwitch >= 0) plugin_.setParameter(idx.typeSwitch, band.typeOn ? 1.0f : 0.0f);
        if (idx.freq >= 0) plugin_.setParameter(idx.freq, band.freqNorm);
        if (idx.qual >= 0) plugin_.setParameter(idx.qual, band.qualNorm);
        if (idx.gain >= 0) plugin_.setParameter(idx.gain, band.gainNorm);
        plugin_.setParameter(idx.onSwitch, 1.0f);
    }
}

GridBand ResponseRig::readBack(const GridBand& band) {
    // Snapping (a user option) may have moved what was sent; the engine
    // works from what was stored.
    GridBand stored = band;
    const BandIndices idx = bandIndices(band.position);
    if (idx.freq >= 0) stored.freqNorm = plugin_.getParameter(idx.freq);
    if (idx.qual >= 0) stored.qualNorm = plugin_.getParameter(idx.qual);
    if (idx.gain >= 0) stored.gainNorm = plugin_.getParameter(idx.gain);
    return stored;
}

float ResponseRig::processBlock(bool impulse, float* firstOutput) {
    in_[0][0] = in_[1][0] = impulse ? 1.0f : 0.0f;
    float* inputs[2] = {in_[0].data(), in_[1].data()};
    float* outputs[2] = {out_[0].data(), out_[1].data()};
    plugin_.process(inputs, outputs, kBlockFrames);
    float peak = 0.0f;
    for (int c = 0; c < 2; ++c)
        for (float v : out_[c]) peak = std::max(peak, std::fabs(v));
    if (firstOutput) std::copy(out_[0].begin(), out_[0].end(), firstOutput);
    return peak;
}

void ResponseRig::settle(int minFrames) {
    const int maxFrames = int(kMaxSeconds * sampleRateHz_);
    for (int done = 0; done < maxFrames; done += kBlockFrames) {
        const float peak = processBlock(false, nullptr);
        if (done + kBlockFrames >= minFrames && peak < kQuietLevel) return;
    }
}

std::vector<float> ResponseRig::recordImpulse(int minFrames) {
    const int maxFrames = int(kMaxSeconds * sampleRateHz_);
    std::vector<float> h;
    h.reserve(size_t(maxFrames) + kBlockFrames);
    for (int done = 0; done < maxFrames; done += kBlockFrames) {
        h.resize(h.size() + kBlockFrames);
        const float peak = processBlock(done == 0, &h[size_t(done)]);
        if (done + kBlockFrames >= minFrames && peak < kQuietLevel) break;
    }
    return h;
}

CaseMeasurement ResponseRig::measure(const GridCase& gridCase, const std::vector<double>& freqsHz) {
    applyCase(gridCase);
    settle(int(kSettleSeconds * sampleRateHz_));
    CaseMeasurement m;
    for (const GridBand& band : gridCase.bands) m.engine.push_back(engineBandOf(readBack(band)));
    const std::vector<float> h = recordImpulse(4 * kBlockFrames);
    m.impulseFrames = int(h.size());
    m.measured.reserve(freqsHz.size());
    m.prototype.reserve(freqsHz.size());
    const Prototype prototype = [&](double f) {
        std::complex<double> p = 1.0;
        for (const EngineBand& e : m.engine)
            p *= solva::analogBandResponse(e.kind, f, e.freqHz, e.qFactor, e.gainDb, sampleRateHz_);
        return p;
    };
    std::vector<double> floorHz;  // every fourth analysis point up to the phase limit
    for (size_t i = 0; i < freqsHz.size(); ++i) {
        const double f = freqsHz[i];
        m.measured.push_back(solva::dftAt(h.data(), m.impulseFrames, f, sampleRateHz_));
        m.prototype.push_back(prototype(f));
        if (i % 4 == 0 && f <= kPhaseLimitHz) floorHz.push_back(f);
    }
    m.phaseFloorDeg = phaseFloorDeg(prototype, sampleRateHz_, floorHz);
    return m;
}

}  // namespace solvahost
