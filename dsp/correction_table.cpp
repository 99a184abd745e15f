#include "dsp/correction_table.h"

#include <cmath>

namespace solva {

const float kHighPass1FreqAxis[16] = {20, 40, 80, 160, 300, 500, 1000, 2000,
                                      3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000};
const float kLowPassFreqAxis[24] = {20, 100, 200, 500, 1000, 2000, 3000, 4000,
                                    5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000,
                                    13000, 14000, 15000, 16000, 17000, 18000, 19000, 20000};
const float kLowPass2QAxis[15] = {0.01f, 0.05f, 0.1f, 0.3f, 0.5f, 0.7f, 1, 2, 4, 6, 9, 12, 20, 30, 40};
const float kShelfBellFreqAxis[21] = {20, 100, 200, 300, 500, 700, 1000, 1400, 2000, 3000, 4000,
                                      5000, 7000, 10000, 12000, 14000, 16000, 17000, 18000, 19000,
                                      20000};
const float kShelfQAxis[6] = {0.3f, 0.5f, 0.7f, 1.0f, 1.4f, 2.0f};
const float kBellQAxis[12] = {0.05f, 0.1f, 0.2f, 0.3f, 0.5f, 0.7f, 1, 1.4f, 2, 3, 5, 7};

namespace {

const float kNoAxis[1] = {0.0f};

constexpr int kSincLengths[kNumSincLengths] = {5, 11, 21, 31, 41, 51, 61, 71, 81, 91, 101, 201, 301, 401};

}  // namespace

int sincLengthForIndex(int index) {
    if (index < 0) index = 0;
    if (index >= kNumSincLengths) index = kNumSincLengths - 1;
    return kSincLengths[index];
}

const CorrectionTable& highPass1Table() {
    static const CorrectionTable t{16, kHighPass1FreqAxis, 1, kNoAxis, 1, 0.001f, kHighPass1Entries};
    return t;
}
const CorrectionTable& lowPass1Table() {
    static const CorrectionTable t{24, kLowPassFreqAxis, 1, kNoAxis, 1, 0.001f, kLowPass1Entries};
    return t;
}
const CorrectionTable& lowPass2Table() {
    static const CorrectionTable t{24, kLowPassFreqAxis, 15, kLowPass2QAxis, 1, 0.001f, kLowPass2Entries};
    return t;
}
const CorrectionTable& shelfTableA() {
    static const CorrectionTable t{21, kShelfBellFreqAxis, 6, kShelfQAxis, 31, 0.001f, kShelfAEntries};
    return t;
}
const CorrectionTable& shelfTableB() {
    static const CorrectionTable t{21, kShelfBellFreqAxis, 6, kShelfQAxis, 31, 0.001f, kShelfBEntries};
    return t;
}
const CorrectionTable& bellTable() {
    static const CorrectionTable t{21, kShelfBellFreqAxis, 12, kBellQAxis, 31, 0.0001f, kBellEntries};
    return t;
}

AxisPos freqAxisPos(const CorrectionTable& t, float freqHz, float rateRatio) {
    // Caller guarantees freqHz is at or above the first scaled breakpoint.
    int i = 0;
    while (i + 1 < t.numFreq && t.freqAxisHz[i + 1] * rateRatio <= freqHz) ++i;
    if (i + 1 >= t.numFreq) return {i, 0.0f, false};
    const float lo = t.freqAxisHz[i] * rateRatio;
    const float hi = t.freqAxisHz[i + 1] * rateRatio;
    return {i, (freqHz - lo) / (hi - lo), true};
}

AxisPos qAxisPos(const CorrectionTable& t, float qFactor) {
    if (t.numQ <= 1) return {0, 0.0f, false};
    int i = 0;
    while (i + 1 < t.numQ && t.qAxis[i + 1] <= qFactor) ++i;
    if (i + 1 >= t.numQ) return {i, 0.0f, false};
    return {i, (qFactor - t.qAxis[i]) / (t.qAxis[i + 1] - t.qAxis[i]), true};
}

AxisPos gainAxisPos(const CorrectionTable& t, float gainDb) {
    if (t.numGain <= 1) return {0, 0.0f, false};
    const float x = gainDb / 2.0f;
    int index = static_cast<int>(std::floor(x + t.gainEpsilon)) + 15;
    float fraction = x + 15.0f - static_cast<float>(index);
    if (index < 0) return {0, 0.0f, true};
    if (index >= 30) return {30, 0.0f, false};
    return {index, fraction, true};
}

namespace {

struct Neighbour {
    const CorrectionEntry* e;
    float weight;
};

// Resolved host values of one entry.
struct Resolved {
    float freqHz, qFactor, q2Factor, gainDb;
};

Resolved resolve(const CorrectionEntry& e, bool threeAxis, float freqHz, float qFactor, float gainDb,
                 float rateRatio) {
    Resolved r;
    r.freqHz = e.freqHz > 0.0f ? e.freqHz * rateRatio : freqHz;
    r.qFactor = e.qFactor > 0.0f ? e.qFactor : qFactor;
    r.q2Factor = e.q2Factor > 0.0f ? e.q2Factor : qFactor;
    const bool current = threeAxis ? e.gainDb == 0.0f : e.gainDb <= -400.0f;
    r.gainDb = current ? gainDb : e.gainDb;
    return r;
}

int collectNeighbours(const CorrectionTable& t, AxisPos pf, AxisPos pq, AxisPos pg, Neighbour out[8]) {
    int count = 0;
    for (int df = 0; df <= (pf.interpolate ? 1 : 0); ++df) {
        const float wf = df ? pf.fraction : 1.0f - (pf.interpolate ? pf.fraction : 0.0f);
        for (int dq = 0; dq <= (pq.interpolate ? 1 : 0); ++dq) {
            const float wq = dq ? pq.fraction : 1.0f - (pq.interpolate ? pq.fraction : 0.0f);
            for (int dg = 0; dg <= (pg.interpolate ? 1 : 0); ++dg) {
                const float wg = dg ? pg.fraction : 1.0f - (pg.interpolate ? pg.fraction : 0.0f);
                const int idx = ((pf.index + df) * t.numQ + (pq.index + dq)) * t.numGain + pg.index + dg;
                const float w = wf * wq * wg;
                // The base entry always counts; others only when they carry weight.
                if (count == 0 || w != 0.0f) out[count++] = {&t.entries[idx], w};
            }
        }
    }
    return count;
}

void resolveType(const CorrectionTable& t, const Neighbour* n, int count, CorrectionRequest& r) {
    r.hostValid = true;
    r.hostType = 0;
    if (!t.threeAxis() && t.numQ <= 1) {
        const int type = n[0].e->hostType;
        if (type == 1) r.hostValid = false;
        else r.hostType = type;
        return;
    }
    bool same = true;
    for (int i = 0; i < count; ++i) {
        if (n[i].e->hostType == 1) r.hostValid = false;
        if (n[i].e->hostType != n[0].e->hostType) same = false;
    }
    if (same && n[0].e->hostType > 1) r.hostType = n[0].e->hostType;
}

}  // namespace

CorrectionRequest lookupCorrection(const CorrectionTable& t, float freqHz, float qFactor, float gainDb,
                                   float rateRatio) {
    CorrectionRequest r;
    r.freqHz = freqHz;
    r.qFactor = qFactor;
    r.q2Factor = qFactor;
    r.gainDb = gainDb;
    if (!(freqHz >= t.freqAxisHz[0] * rateRatio)) return r;
    Neighbour n[8];
    const int count = collectNeighbours(t, freqAxisPos(t, freqHz, rateRatio), qAxisPos(t, qFactor),
                                        gainAxisPos(t, gainDb), n);
    resolveType(t, n, count, r);
    float length = 0.0f, centre = 0.0f, flat = 0.0f, outGain = 0.0f;
    float f = 0.0f, q = 0.0f, q2 = 0.0f, g = 0.0f;
    int sinc = 0;
    for (int i = 0; i < count; ++i) {
        const CorrectionEntry& e = *n[i].e;
        const float w = n[i].weight;
        length += w * e.length;
        centre += w * e.sincCentre;
        flat += w * e.flatFraction;
        outGain += w * e.outputGain;
        if (e.sincIndex > sinc) sinc = e.sincIndex;
        const Resolved rv = resolve(e, t.threeAxis(), freqHz, qFactor, gainDb, rateRatio);
        f += w * rv.freqHz;
        q += w * rv.qFactor;
        q2 += w * rv.q2Factor;
        g += w * rv.gainDb;
    }
    const float fl = std::floor(length);
    r.length = fl > 0.0f ? static_cast<int>(fl) : 0;
    r.sincIndex = sinc;
    r.sincCentre = centre;
    r.flatFraction = flat;
    if (t.threeAxis()) {
        r.outputGain = outGain;
        r.hasOutputGain = true;
    }
    if (r.hostValid) {
        r.freqHz = f;
        r.qFactor = q;
        r.q2Factor = q2;
        r.gainDb = g;
    }
    return r;
}

}  // namespace solva
