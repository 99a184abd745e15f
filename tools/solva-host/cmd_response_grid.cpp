#include "cmd_response_grid.h"

#include <cstdio>

#include "dsp/band_kind.h"
#include "params/engine_laws.h"
#include "params/param_table.h"
#include "params/value_law.h"

namespace solvahost {

namespace {

using namespace solva;

using Values = std::vector<float>;

const Values kSignedGainsDb = {-15, -9, -3, 3, 9, 15};
// Normalised quality of the pass filters: the ends, the middle and the
// quarter points of their engine Q laws.
const Values kPassQualNorms = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f};

std::string format(const char* pattern, double a, double b = 0.0, double c = 0.0) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

GridBand bellOrShelf(int position, bool shelf, float freqHz, float qFactor, float gainDb) {
    const ValueLaw& qLaw = shelf ? kShelfQLaw : kBellQLaw;
    return {position, shelf, lawToNormalised(freqHz, kFrequencyLaw), lawToNormalised(qFactor, qLaw),
            lawToNormalised(gainDb, kGainLaw)};
}

GridBand passFilter(int position, bool twelveDb, float freqHz, float qualNorm) {
    const ValueLaw& fLaw = position == kBandHighPass ? kHpFrequencyLaw : kFrequencyLaw;
    return {position, twelveDb, lawToNormalised(freqHz, fLaw), qualNorm, 0.5f};
}

GridBand airBand(float gainDb) { return {kBandAir, false, 0.0f, 0.5f, lawToNormalised(gainDb, kAirGainLaw)}; }

void addPeaking(std::vector<GridCase>& out, GridFamily family, const Values& freqs, const Values& qs,
                const Values& gains) {
    const bool shelf = family != GridFamily::Bell;
    const int position = family == GridFamily::LowShelf ? kBand1 : family == GridFamily::HighShelf ? kBand5 : kBand3;
    for (float f : freqs)
        for (float q : qs)
            for (float g : gains)
                out.push_back({family, {bellOrShelf(position, shelf, f, q, g)},
                               format("f0 %g Hz Q %g %+g dB", f, q, g), f});
}

void addPass(std::vector<GridCase>& out, GridFamily family, const Values& freqs, const Values& qualNorms) {
    const bool highPass = family == GridFamily::HighPass6 || family == GridFamily::HighPass12;
    const bool twelveDb = family == GridFamily::HighPass12 || family == GridFamily::LowPass12;
    const int position = highPass ? kBandHighPass : kBandLowPass;
    for (float f : freqs)
        for (float qn : qualNorms)
            out.push_back({family, {passFilter(position, twelveDb, f, qn)},
                           twelveDb ? format("f0 %g Hz Q norm %g", f, qn) : format("f0 %g Hz", f), f});
}

void addAir(std::vector<GridCase>& out, const Values& gains) {
    for (float g : gains) out.push_back({GridFamily::Air, {airBand(g)}, format("Air %+g dB", g), 1e9});
}

// Whole-plug-in settings: every kind of band at once, at typical values.
std::vector<GridCase> chainCases(bool sampled) {
    const GridFamily c = GridFamily::Chain;
    std::vector<GridCase> out;
    out.push_back({c,
                   {bellOrShelf(kBand1, false, 100, 1, -6), bellOrShelf(kBand2, false, 1000, 0.5f, 4),
                    bellOrShelf(kBand3, false, 5000, 3, -9), bellOrShelf(kBand4, false, 10000, 1, 6),
                    bellOrShelf(kBand5, false, 15000, 2, -4)},
                   "five bells 100 Hz .. 15 kHz", 15000});
    out.push_back({c,
                   {passFilter(kBandHighPass, true, 40, 0.5f), bellOrShelf(kBand1, true, 200, 0.7f, 6),
                    bellOrShelf(kBand2, false, 700, 1.7f, -5), bellOrShelf(kBand3, false, 3000, 0.5f, 3),
                    bellOrShelf(kBand4, false, 8500, 3.5f, -8), bellOrShelf(kBand5, true, 12000, 1, 5),
                    passFilter(kBandLowPass, true, 20000, 0.5f), airBand(5)},
                   "all eight bands, 12 dB filters, shelves, Air +5 dB", 1e9});
    if (sampled) return out;
    out.push_back({c,
                   {passFilter(kBandHighPass, false, 100, 0.5f), bellOrShelf(kBand1, true, 1000, 0.52f, -9),
                    bellOrShelf(kBand3, false, 2000, 7, 12), bellOrShelf(kBand5, true, 5000, 1.4f, 9),
                    passFilter(kBandLowPass, true, 14000, 0.75f)},
                   "6 dB high-pass, shelves, narrow bell, 12 dB low-pass", 14000});
    out.push_back({c,
                   {bellOrShelf(kBand1, true, 60, 2, 12), bellOrShelf(kBand2, false, 300, 0.2f, -3),
                    bellOrShelf(kBand4, false, 7000, 0.5f, -12), bellOrShelf(kBand5, false, 20000, 1, 9),
                    airBand(-5)},
                   "low shelf, wide bells, 20 kHz bell, Air -5 dB", 1e9});
    return out;
}

}  // namespace

const std::vector<GridFamily>& allGridFamilies() {
    static const std::vector<GridFamily> families = {
        GridFamily::Bell,     GridFamily::LowShelf,  GridFamily::HighShelf, GridFamily::HighPass6, GridFamily::HighPass12,
        GridFamily::LowPass6, GridFamily::LowPass12, GridFamily::Air,       GridFamily::Chain};
    return families;
}

const char* gridFamilyName(GridFamily family) {
    switch (family) {
    case GridFamily::Bell: return "bell";
    case GridFamily::LowShelf: return "low-shelf";
    case GridFamily::HighShelf: return "high-shelf";
    case GridFamily::HighPass6: return "high-pass-6";
    case GridFamily::HighPass12: return "high-pass-12";
    case GridFamily::LowPass6: return "low-pass-6";
    case GridFamily::LowPass12: return "low-pass-12";
    case GridFamily::Air: return "air";
    case GridFamily::Chain: return "chain";
    }
    return "?";
}

bool gridFamilyFromName(const std::string& name, GridFamily& family) {
    for (GridFamily f : allGridFamilies())
        if (name == gridFamilyName(f)) {
            family = f;
            return true;
        }
    return false;
}

bool gridFamilyHasTarget(GridFamily family) {
    return family != GridFamily::HighPass12 && family != GridFamily::LowPass6;
}

std::vector<GridCase> buildGrid(GridFamily family, bool sampled) {
    // Every breakpoint of the frequency laws (high-pass up to 10 kHz), plus
    // 15, 18 and 19 kHz where the low-pass tables are hardest to meet.
    const Values hpFreqs = {20, 30, 45, 60, 80, 100, 140, 200, 300, 500, 700, 1000, 1500, 2000, 3000, 5000,
                            7000, 8500, 10000};
    Values lpFreqs = hpFreqs;
    lpFreqs.insert(lpFreqs.end(), {12000, 14000, 15000, 17000, 18000, 19000, 20000});
    std::vector<GridCase> out;
    switch (family) {
    case GridFamily::Bell:
        if (sampled) addPeaking(out, family, {100, 10000, 18000, 20000}, {0.1f, 1, 7}, {-15, 9});
        else addPeaking(out, family, {100, 1000, 5000, 10000, 15000, 18000, 20000}, {0.1f, 0.5f, 1, 3, 7}, kSignedGainsDb);
        break;
    case GridFamily::LowShelf:
    case GridFamily::HighShelf:
        // The shelf Q law's breakpoints span its whole range.
        if (sampled) addPeaking(out, family, {100, 10000, 15000}, {0.3f, 1, 2}, {-15, 9});
        else addPeaking(out, family, {100, 1000, 5000, 10000, 15000}, {0.3f, 0.4f, 0.52f, 0.7f, 1, 1.4f, 2}, kSignedGainsDb);
        break;
    case GridFamily::HighPass6:
        addPass(out, family, sampled ? Values{20, 1000, 10000} : hpFreqs, {0.5f});
        break;
    case GridFamily::HighPass12:
        addPass(out, family, sampled ? Values{20, 1000, 10000} : hpFreqs, sampled ? Values{0, 1} : kPassQualNorms);
        break;
    case GridFamily::LowPass6:
        addPass(out, family, sampled ? Values{1000, 20000} : lpFreqs, {0.5f});
        break;
    case GridFamily::LowPass12:
        addPass(out, family, sampled ? Values{20, 1000, 10000, 18000, 20000} : lpFreqs,
                sampled ? Values{0, 0.5f, 1} : kPassQualNorms);
        break;
    case GridFamily::Air:
        addAir(out, sampled ? Values{-15, -2, 5, 15} : Values{-15, -10, -5, -2, 0, 2, 5, 10, 15});
        break;
    case GridFamily::Chain: return chainCases(sampled);
    }
    return out;
}

EngineBand engineBandOf(const GridBand& band) {
    switch (band.position) {
    case kBandHighPass: {
        const float f = lawToPhysical(band.freqNorm, kHpFrequencyLaw);
        return {band.typeOn ? kKindHighPass12 : kKindHighPass6, f, 0.0f, highPassEngineQ(band.qualNorm, f)};
    }
    case kBandLowPass: {
        const float f = lawToPhysical(band.freqNorm, kFrequencyLaw);
        return {band.typeOn ? kKindLowPass12 : kKindLowPass6, f, 0.0f, lowPassEngineQ(band.qualNorm, f)};
    }
    case kBandAir: return {kKindAir, kAirFreqHz, lawToPhysical(band.gainNorm, kAirGainLaw), 0.0f};
    default: break;
    }
    const float f = lawToPhysical(band.freqNorm, kFrequencyLaw);
    const float gainDb = lawToPhysical(band.gainNorm, kGainLaw);
    if (band.typeOn && (band.position == kBand1 || band.position == kBand5))
        return {band.position == kBand1 ? kKindLowShelf : kKindHighShelf, f, gainDb,
                lawToPhysical(band.qualNorm, kShelfQLaw)};
    const float q = lawToPhysical(band.qualNorm, kBellQLaw);
    return {kKindPeak, f, bellGainWarp(gainDb, q), q};
}

BandIndices bandIndices(int position) {
    // The pass filters' switches (22, 31) select 12 dB when on.
    int typeSwitch = -1;
    if (position == kBandHighPass) typeSwitch = 22;
    if (position == kBand1) typeSwitch = kBand1TypeIndex;
    if (position == kBand5) typeSwitch = kBand5TypeIndex;
    if (position == kBandLowPass) typeSwitch = 31;
    return {frequencyIndexOfBand(position), qualityIndexOfBand(position), gainIndexOfBand(position),
            onSwitchIndexOfBand(position), typeSwitch};
}

}  // namespace solvahost
