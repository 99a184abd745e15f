#include "layout.h"

#include <algorithm>
#include <cmath>

namespace skingen {

const float kColumnCentreX[kColumnCount] = {152, 208, 264, 321, 377, 434, 490, 573};

const std::vector<PlacedControl>& mainControls() {
    // Knob style k uses bitmap k + 1; switch styles 0..12 use 3000..3012.
    static const std::vector<PlacedControl> controls = {
        {21, 3000, 130, 37, 0.0f},  {0, 1, 132, 89, 0.1f},     {1, 8, 134, 148, 0.501f},
        {22, 3008, 109, 151, 0.0f}, {23, 3001, 186, 37, 0.0f}, {2, 2, 190, 89, 0.2f},
        {3, 9, 191, 148, 0.5f},     {4, 15, 189, 203, 0.5f},   {24, 3010, 164, 206, 0.0f},
        {25, 3002, 242, 37, 0.0f},  {5, 3, 247, 89, 0.3f},     {6, 10, 249, 148, 0.5f},
        {7, 16, 247, 203, 0.5f},    {26, 3003, 299, 37, 0.0f}, {8, 4, 305, 89, 0.5f},
        {9, 11, 306, 148, 0.5f},    {10, 17, 304, 203, 0.5f},  {27, 3004, 355, 37, 0.0f},
        {11, 5, 361, 89, 0.7f},     {12, 12, 363, 148, 0.5f},  {13, 18, 361, 203, 0.5f},
        {28, 3005, 412, 37, 0.0f},  {14, 6, 417, 89, 0.8f},    {15, 13, 419, 148, 0.5f},
        {16, 19, 417, 203, 0.5f},   {29, 3011, 450, 206, 0.0f}, {30, 3006, 468, 37, 0.0f},
        {17, 7, 474, 89, 0.9f},     {18, 14, 475, 148, 0.501f}, {31, 3009, 506, 150, 0.0f},
        {32, 3007, 551, 37, 0.0f},  {19, 20, 558, 89, 0.5f},   {33, 3012, 552, 142, 0.0f},
        {20, 21, 558, 203, 0.5f},
    };
    return controls;
}

const std::vector<PlacedControl>& topBarControls() {
    static const std::vector<PlacedControl> controls = {
        {82, 1018, 513, 3, 0.0f}, {106, 1013, 363, 3, 1.0f}, {107, 1023, 406, 3, 0.0f},
        {71, 1014, 449, 3, 0.25f}, {110, 1007, 607, 3, 0.0f}, {69, 1010, 5, 3, 0.0f},
        {74, 1025, 53, 7, 0.0f},  {70, 1012, 152, 3, 0.0f},  {75, 1025, 201, 7, 0.0f},
        {73, 1016, 300, 3, 0.25f},
    };
    return controls;
}

int frameForValue(int bitmapId, int frames, float value) {
    if (frames <= 1) return 0;
    const bool knob = bitmapId >= 1 && bitmapId <= 21;
    if (knob) {
        const int f = static_cast<int>(std::floor(std::clamp(value, 0.0f, 1.0f) * (frames - 1) + 1e-4f));
        return std::min(f, frames - 1);
    }
    const bool kick = bitmapId == 1014 || bitmapId == 1015 || bitmapId == 1016 || bitmapId == 1017 ||
                      bitmapId == 1030 || bitmapId == 1031 || bitmapId == 1045 || bitmapId == 1046 ||
                      bitmapId == 2007 || bitmapId == 2010 || bitmapId == 2011;
    if (kick) return static_cast<int>(std::floor(2.0f * std::clamp(value, 0.25f, 0.75f)));
    const float n = static_cast<float>(frames);
    const float v = std::clamp(value, 0.5f / n, 1.0f - 0.5f / n);
    return std::min(frames - 1, static_cast<int>(std::floor(v * n)));
}

}  // namespace skingen
