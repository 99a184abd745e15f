#include "factory_table.h"

namespace solva::presets {

namespace {

// Bands that are off still carry the default positions of their knobs.
constexpr BandSetting kHpOff{false, 42.0f, 0.7066f, 0.0f, false};
constexpr BandSetting kB1Off{false, 88.0f, 1.0f, 0.0f, false};
constexpr BandSetting kB2Off{false, 176.0f, 1.0f, 0.0f, false};
constexpr BandSetting kB3Off{false, 1000.0f, 1.0f, 0.0f, false};
constexpr BandSetting kB4Off{false, 5800.0f, 1.0f, 0.0f, false};
constexpr BandSetting kB5Off{false, 9400.0f, 1.0f, 0.0f, false};
constexpr BandSetting kLpOff{false, 13600.0f, 0.7066f, 0.0f, false};

constexpr BandSetting hp(float hz, bool steep = true, float q = 0.7f) { return {true, hz, q, 0.0f, steep}; }
constexpr BandSetting lp(float hz, bool steep = true, float q = 0.7f) { return {true, hz, q, 0.0f, steep}; }
constexpr BandSetting bell(float hz, float q, float db) { return {true, hz, q, db, false}; }
constexpr BandSetting shelf(float hz, float q, float db) { return {true, hz, q, db, true}; }

const FactoryPreset kPresets[] = {
    // number, bank, name, HP, B1, B2, B3, B4, B5, LP, air on, air dB, out dB
    {0, "Default", "Neutral", kHpOff, kB1Off, kB2Off, kB3Off, kB4Off, kB5Off, kLpOff, false, 0.0f, 0.0f},

    {1, "Mixing", "Low Cut 80", hp(80.0f), kB1Off, kB2Off, kB3Off, kB4Off, kB5Off, kLpOff, false, 0.0f, 0.0f},
    {2, "Mixing", "Mud Cleaner", hp(40.0f), kB1Off, bell(300.0f, 1.4f, -3.0f), kB3Off, kB4Off, kB5Off, kLpOff,
     false, 0.0f, 0.0f},
    {3, "Mixing", "Presence", kHpOff, kB1Off, kB2Off, kB3Off, bell(4000.0f, 1.0f, 2.5f), kB5Off, kLpOff, false,
     0.0f, 0.0f},
    {4, "Mixing", "Air Lift", kHpOff, kB1Off, kB2Off, kB3Off, kB4Off, shelf(10000.0f, 0.7f, 1.5f), kLpOff, true,
     3.0f, 0.0f},
    {5, "Mixing", "Telephone", hp(300.0f), kB1Off, kB2Off, bell(1500.0f, 1.0f, 4.0f), kB4Off, kB5Off,
     lp(3000.0f), false, 0.0f, -3.0f},

    {6, "Mastering", "Gentle Glue", hp(20.0f), shelf(80.0f, 0.7f, 1.0f), kB2Off, kB3Off, kB4Off,
     shelf(12000.0f, 0.7f, 1.0f), kLpOff, false, 0.0f, -1.0f},
    {7, "Mastering", "Loudness Curve", kHpOff, shelf(100.0f, 0.7f, 3.0f), kB2Off, bell(2500.0f, 0.7f, -1.0f),
     kB4Off, shelf(10000.0f, 0.7f, 3.0f), kLpOff, false, 0.0f, -3.0f},
    {8, "Mastering", "Tame Harshness", kHpOff, kB1Off, kB2Off, kB3Off, bell(3500.0f, 2.0f, -2.0f), kB5Off,
     kLpOff, false, 0.0f, 0.0f},
    {9, "Mastering", "Sub Control", hp(30.0f), shelf(60.0f, 0.7f, -1.5f), kB2Off, kB3Off, kB4Off, kB5Off,
     kLpOff, false, 0.0f, 0.0f},

    {10, "Vocals", "Vocal Clarity", hp(100.0f), kB1Off, bell(250.0f, 1.0f, -2.0f), kB3Off,
     bell(3000.0f, 1.0f, 2.0f), shelf(12000.0f, 0.7f, 2.0f), kLpOff, false, 0.0f, 0.0f},
    {11, "Vocals", "De-Box", hp(80.0f), kB1Off, bell(500.0f, 1.7f, -3.0f), kB3Off, kB4Off, kB5Off, kLpOff, false,
     0.0f, 0.0f},
    {12, "Vocals", "Warm Voice", hp(60.0f), shelf(150.0f, 0.7f, 2.0f), kB2Off, kB3Off, bell(5000.0f, 1.0f, -1.5f),
     kB5Off, kLpOff, false, 0.0f, 0.0f},
    {13, "Vocals", "Radio Voice", hp(150.0f), kB1Off, kB2Off, bell(1000.0f, 0.7f, 3.0f), kB4Off, kB5Off,
     lp(8500.0f), false, 0.0f, -2.0f},

    {14, "Drums", "Kick Punch", hp(30.0f), bell(60.0f, 1.7f, 4.0f), bell(400.0f, 1.4f, -4.0f), kB3Off,
     bell(3000.0f, 1.7f, 3.0f), kB5Off, kLpOff, false, 0.0f, -2.0f},
    {15, "Drums", "Snare Crack", hp(80.0f), bell(200.0f, 1.0f, 3.0f), kB2Off, bell(900.0f, 1.4f, -2.0f),
     bell(5000.0f, 1.0f, 3.0f), kB5Off, kLpOff, true, 2.0f, -1.0f},
    {16, "Drums", "Overheads", hp(200.0f, false), kB1Off, kB2Off, bell(1000.0f, 1.0f, -2.0f), kB4Off,
     shelf(10000.0f, 0.7f, 3.0f), kLpOff, false, 0.0f, 0.0f},
    {17, "Drums", "Room Tamer", kHpOff, kB1Off, bell(300.0f, 1.0f, -3.0f), bell(800.0f, 1.4f, -2.0f), kB4Off,
     kB5Off, lp(14000.0f, false), false, 0.0f, 0.0f},
};

}  // namespace

const FactoryPreset* factoryPresets(int* count) {
    *count = int(sizeof kPresets / sizeof kPresets[0]);
    return kPresets;
}

}  // namespace solva::presets
