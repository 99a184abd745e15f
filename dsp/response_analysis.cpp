#include "dsp/response_analysis.h"

#include <cmath>
#include <vector>

#include "dsp/band_kind.h"
#include "dsp/band_plan.h"

namespace solva {
namespace {

using C = std::complex<double>;
constexpr double kPi = 3.141592653589793;

C secondOrder(C s, double d0, double d1, double d2, double n0, double n1, double n2) {
    return (n0 + n1 * s + n2 * s * s) / (d0 + d1 * s + d2 * s * s);
}

C bell(C s, double w, double q, double gainDb) {
    const double g = std::pow(10.0, gainDb / 20.0);
    if (g >= 1.0) return secondOrder(s, w * w, w / q, 1.0, w * w, g * w / q, 1.0);
    return secondOrder(s, w * w, w / (g * q), 1.0, w * w, w / q, 1.0);
}

}  // namespace

C analogBandResponse(int kind, double fHz, float freqHz, float qFactor, float gainDb, float fs) {
    const C s(0.0, 2.0 * kPi * fHz);
    const double w = 2.0 * kPi * freqHz;
    const double q = qFactor;
    const double g = std::pow(10.0, gainDb / 20.0);
    switch (kind) {
    case kKindHighPass1: return s / (s + w);
    case kKindHighPass2: return secondOrder(s, 1.0, 1.0 / (q * w), 1.0 / (w * w), 0.0, 0.0, 1.0 / (w * w));
    case kKindLowPass1: return w / (s + w);
    case kKindLowPass2: return secondOrder(s, 1.0, 1.0 / (q * w), 1.0 / (w * w), 1.0, 0.0, 0.0);
    case kKindHighShelfA:
    case kKindHighShelfB: {
        if (gainDb == 0.0f) return 1.0;
        const double wc = w * std::pow(g, 0.25);
        return secondOrder(s, wc * wc, wc / q, 1.0, wc * wc, std::sqrt(g) * wc / q, g);
    }
    case kKindLowShelfA:
    case kKindLowShelfB: {
        if (gainDb == 0.0f) return 1.0;
        const double wc = w / std::pow(g, 0.25);
        return secondOrder(s, wc * wc, wc / q, 1.0, g * wc * wc, std::sqrt(g) * wc / q, 1.0);
    }
    case kKindBell: {
        if (gainDb == 0.0f) return 1.0;
        if (bellAboveTable(freqHz, fs)) {
            const BandPlan p = bellAboveTablePlan(gainDb);
            return bell(s, 2.0 * kPi * p.reference.freqHz, p.reference.qFactor, p.reference.gainDb) *
                   static_cast<double>(p.outputGain);
        }
        return bell(s, w, q, gainDb);
    }
    default: return 1.0;
    }
}

void measureImpulseResponse(EqEngine& engine, float fs, const BandSetting* bands, int count, float* response,
                            int length) {
    engine.setSampleRate(fs);
    engine.setGeneralOn(true);
    engine.setMidSide(false, true, true);
    engine.setOutputGainDb(-1, 0.0f);
    for (int slot = 0; slot < EqEngine::kNumSlots; ++slot) engine.setBandEnabled(slot, false);
    for (int i = 0; i < count; ++i) {
        engine.setBandKind(bands[i].slot, bands[i].kind);
        engine.setBandSettings(bands[i].slot, -1, bands[i].freqHz, bands[i].gainDb, bands[i].qFactor);
        engine.setBandEnabled(bands[i].slot, true);
    }
    const int chunk = EqEngine::kChunkFrames;
    float zeros[chunk] = {};
    float out0[chunk], out1[chunk];
    // Settle fades, designs and gains: 0.5 s of silence.
    const int settleChunks = static_cast<int>(0.5f * fs / chunk) + 8;
    for (int i = 0; i < settleChunks; ++i) engine.processChunk(chunk, zeros, zeros, out0, out1, 1);
    engine.resetBandHistories();
    std::vector<float> in(static_cast<size_t>(length), 0.0f);
    if (length > 0) in[0] = 1.0f;
    for (int pos = 0; pos < length; pos += chunk) {
        const int n = length - pos < chunk ? length - pos : chunk;
        engine.processChunk(n, &in[static_cast<size_t>(pos)], zeros, response + pos, out1, 1);
    }
}

C dftAt(const float* h, int length, double fHz, double fs) {
    const double step = -2.0 * kPi * fHz / fs;
    // Rotating phasor, renormalised now and then to keep its magnitude 1.
    C rot(std::cos(step), std::sin(step));
    C ph(1.0, 0.0), sum(0.0, 0.0);
    for (int n = 0; n < length; ++n) {
        sum += static_cast<double>(h[n]) * ph;
        ph *= rot;
        if ((n & 1023) == 1023) ph = std::polar(1.0, step * (n + 1));
    }
    return sum;
}

}  // namespace solva
