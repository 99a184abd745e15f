// The cases of the "response" command: which bands of Solva are switched on,
// with which values, for each family of the accuracy grid, and the engine
// values (kind, Hz, engine Q, engine gain) that the plug-in derives from the
// normalised values it stores. The grid and the engine translation are pure
// functions of their arguments.
#pragma once

#include <string>
#include <vector>

namespace solvahost {

enum class GridFamily { Bell, LowShelf, HighShelf, HighPass6, HighPass12, LowPass6, LowPass12, Air, Chain };

// Every family, in report order.
const std::vector<GridFamily>& allGridFamilies();
// Command-line name: "bell", "low-shelf", "high-shelf", "high-pass-6",
// "high-pass-12", "low-pass-6", "low-pass-12", "air", "chain".
const char* gridFamilyName(GridFamily family);
// False when the name is not one of the above.
bool gridFamilyFromName(const std::string& name, GridFamily& family);
// The 12 dB high-pass and the 6 dB low-pass carry no correction by design:
// their figures are reported, they are not held to the accuracy target.
bool gridFamilyHasTarget(GridFamily family);

// One band as the host sets it: normalised values 0..1 of its parameters
// and its type switch (12 dB for the pass filters, shelf for bands 1 and 5).
struct GridBand {
    int position;  // solva::BandPosition: 0 high-pass, 1..5 bands, 6 low-pass, 7 Air
    bool typeOn;
    float freqNorm;
    float qualNorm;
    float gainNorm;
};

struct GridCase {
    GridFamily family;
    std::vector<GridBand> bands;
    std::string label;   // the values asked for, e.g. "f0 1000 Hz Q 3 -9 dB"
    double topFreqHz;    // highest band frequency (Air counts as above 20 kHz)
};

// The whole grid of a family, or a small representative subset of it.
std::vector<GridCase> buildGrid(GridFamily family, bool sampled);

// What the engine receives for one band.
struct EngineBand {
    int kind;
    float freqHz;
    float gainDb;
    float qFactor;
};

// The engine values of a band from its stored normalised values, by the
// plug-in's engine laws (frequency and Q laws, engine Q of the pass filters,
// bell gain warp, fixed Air frequency).
EngineBand engineBandOf(const GridBand& band);

// Host parameter indices of a band position (-1 where it has none).
struct BandIndices {
    int freq, qual, gain, onSwitch, typeSwitch;
};
BandIndices bandIndices(int position);

}  // namespace solvahost
