// solva-presets: writes the factory library (presetNNNN.prt/.inf) into a
// directory from the table in factory_table.cpp, converting physical values
// with the parameters' own value laws.
//
// Usage: solva-presets <output directory>
#include <cstdio>
#include <cstring>
#include <string>

#include "factory_table.h"
#include "params/param_table.h"
#include "params/value_law.h"
#include "storage/init_settings.h"
#include "storage/preset_store.h"
#include "storage/record_format.h"
#include "storage/settings_records.h"

namespace {

using solva::presets::BandSetting;
using solva::presets::FactoryPreset;
namespace s = solva;

const char kFactoryDate[] = "05/12/2026";

// Writes one band on both sides. Bands that are off keep the init values.
void applyBand(s::SettingsSlot& slot, int band, const BandSetting& b) {
    s::BandSwitches& sw = slot.switches[band];
    sw.on = b.on ? 1.0f : 0.0f;
    if (!b.on) return;
    sw.type = b.altType ? 1.0f : 0.0f;
    const int freqIndex = s::frequencyIndexOfBand(band);
    const int qualIndex = s::qualityIndexOfBand(band);
    const int gainIndex = s::gainIndexOfBand(band);
    for (int side = 0; side < s::kNumSides; ++side) {
        if (freqIndex >= 0)
            *s::sideValuePtr(slot, side, freqIndex) = s::lawToNormalised(b.freqHz, s::lawForIndex(freqIndex, slot));
        if (qualIndex >= 0)
            *s::sideValuePtr(slot, side, qualIndex) = s::lawToNormalised(b.qFactor, s::lawForIndex(qualIndex, slot));
        if (gainIndex >= 0)
            *s::sideValuePtr(slot, side, gainIndex) = s::lawToNormalised(b.gainDb, s::lawForIndex(gainIndex, slot));
    }
}

s::SettingsSlot buildSlot(const FactoryPreset& p) {
    s::SettingsSlot init;
    s::resetInitSettings(init);
    s::SettingsBlock block;
    s::ResetSettingsBlock(block, init, 0);
    s::SettingsSlot slot = block.slot[0];
    const BandSetting* bands[7] = {&p.highPass, &p.band1, &p.band2, &p.band3, &p.band4, &p.band5, &p.lowPass};
    for (int band = 0; band < 7; ++band) applyBand(slot, band, *bands[band]);
    slot.switches[s::kBandAir].on = p.airOn ? 1.0f : 0.0f;
    slot.generalOn = 1.0f;
    for (int side = 0; side < s::kNumSides; ++side) {
        slot.side[side].band[s::kBandAir].gain = s::lawToNormalised(p.airGainDb, s::kAirGainLaw);
        slot.side[side].generalVolume = s::lawToNormalised(p.outputGainDb, s::kGainLaw);
    }
    return slot;
}

s::PresetInfo buildInfo(const FactoryPreset& p, const s::SettingsSlot& slot) {
    s::PresetInfo info = s::defaultPresetInfo(p.number);
    s::copyToField(info.presetName, sizeof info.presetName, p.name);
    s::copyToField(info.bankName, sizeof info.bankName, p.bank);
    s::copyToField(info.author, sizeof info.author, "Marwen");
    s::copyToField(info.project, sizeof info.project, "Factory");
    s::copyToField(info.creationDate, sizeof info.creationDate, kFactoryDate);
    s::copyToField(info.modificationDate, sizeof info.modificationDate, kFactoryDate);
    info.bandCount = s::countBandsOn(slot);
    info.factory = 1;
    info.channelMode = 0;
    return info;
}

bool writePreset(const std::string& dir, const FactoryPreset& p) {
    s::PresetStore store(dir, 0);
    const s::SettingsSlot slot = buildSlot(p);
    const s::PresetInfo info = buildInfo(p, slot);
    std::FILE* prt = std::fopen(store.settingsPath(p.number).c_str(), "wb");
    std::FILE* inf = std::fopen(store.infoPath(p.number).c_str(), "wb");
    if (prt) s::WriteSettingsRecords(prt, slot);
    if (inf) s::writeInfoRecords(inf, info);
    if (prt) std::fclose(prt);
    if (inf) std::fclose(inf);
    return prt && inf;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: solva-presets <output directory>\n");
        return 2;
    }
    std::string dir = argv[1];
    if (dir.empty() || dir.back() != '/') dir += '/';
    int count = 0;
    const FactoryPreset* presets = solva::presets::factoryPresets(&count);
    for (int i = 0; i < count; ++i) {
        if (presets[i].number != i) {
            std::fprintf(stderr, "factory numbers must run from 0 without holes (entry %d)\n", i);
            return 1;
        }
        if (!writePreset(dir, presets[i])) {
            std::fprintf(stderr, "cannot write preset %d into %s\n", i, dir.c_str());
            return 1;
        }
    }
    std::printf("%d factory presets written to %s\n", count, dir.c_str());
    return 0;
}
