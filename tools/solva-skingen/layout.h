// Window layout the skin is drawn for: where each control of the main
// window and the top bar sits, which bitmap it uses, and the band columns.
#pragma once

#include <vector>

namespace skingen {

struct PlacedControl {
    int tag;
    int bitmapId;
    int x;
    int y;
    float defaultValue;  // control value at the built-in defaults
};

// Main window controls (bands, type switches, output) and top bar.
const std::vector<PlacedControl>& mainControls();
const std::vector<PlacedControl>& topBarControls();

// Frame a control shows for a value: knobs floor(v * (n - 1)); switches
// with n images floor(v' * n) with v' clamped to [0.5/n, 1 - 0.5/n]; kicks
// floor(2 v') with v' clamped to [0.25, 0.75].
int frameForValue(int bitmapId, int frames, float value);

// Horizontal centre of each band column: HP, bands 1..5, LP, Air/Out.
constexpr int kColumnCount = 8;
extern const float kColumnCentreX[kColumnCount];

// Rows of the knobs (centre y) and their outer radius.
constexpr float kFreqRowY = 105.0f;
constexpr float kQRowY = 162.0f;
constexpr float kGainRowY = 219.0f;

}  // namespace skingen
