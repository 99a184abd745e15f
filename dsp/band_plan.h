// BandPlan: what a band kind's setup decides from the band settings — the
// section records at the host rate and at four times the rate, the
// correction request and the band flags. Pure functions of the settings.
#pragma once

#include "dsp/coefficient_set.h"
#include "dsp/correction_table.h"

namespace solva {

struct BandPlan {
    bool designed = false;     // false for kinds without a setup
    SectionDesign host;        // main host-rate section
    SectionDesign reference;   // main section at 4 fs
    SectionDesign second;      // second main section (host rate)
    SectionDesign post;        // post section (host rate)
    SectionDesign secondPost;  // second post section (host rate)
    bool hasReference = false;
    bool hasSecond = false;
    bool hasPost = false;
    bool hasSecondPost = false;
    bool numeratorScaling = false;
    bool hostValid = true;
    float outputGain = 1.0f;
    // Correction request.
    int length = 0;          // kernel length L, 0 = no correction
    int sincLength = 5;      // N
    float sincCentre = 0.5f; // p
    float flatFraction = 0.0f;  // q
};

// The kind's sections before any correction table is applied.
BandPlan baseBandPlan(int kind, float freqHz, float qFactor, float gainDb);

// The table of a kind (nullptr for kinds without one); negateGain is set for
// the low shelves, which look their table up with the gain negated.
const CorrectionTable* correctionTableForKind(int kind, bool& negateGain);

// Applies a resolved request: type override, host retuning, correction
// length, sinc, window and band output gain.
void applyCorrection(BandPlan& plan, const CorrectionRequest& request);

// Completes a plan: the reference exists only with a correction, and a host
// frequency above fs/2 leaves the band to its correction alone.
void finishBandPlan(BandPlan& plan, float sampleRateHz);

// The whole setup of a kind at the given rate, correction tables included.
BandPlan planBand(int kind, float freqHz, float qFactor, float gainDb, float sampleRateHz,
                  bool useCorrection);

// Kind 14 above 20000 * fs/44100 Hz: the bell realised by the correction.
BandPlan bellAboveTablePlan(float gainDb);

// Whether a kind 14 band at freqHz takes bellAboveTablePlan at rate fs: above
// the table's top, and the Air band (its frequency) at every rate, also from
// 661.5 kHz on, where the table's top passes it.
bool bellAboveTable(float freqHz, float sampleRateHz);

}  // namespace solva
