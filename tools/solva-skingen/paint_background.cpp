// Background 10000: top bar, product name, band sections with band labels,
// row legends and tick scales around every knob. Fully opaque.
#include <cmath>
#include <string>

#include "layout.h"
#include "painters.h"
#include "palette.h"
#include "shapes.h"
#include "skin_table.h"
#include "widgets.h"

namespace skingen {
namespace {

using namespace palette;

void drawSection(Image& img, float x0, float y0, float x1, float y1) {
    img.fillShape(x0, y0, x1, y1, roundRect(x0, y0, x1, y1, 4.0f), kPanelShade);
    img.fillShape(x0, y0, x1, y1, roundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 3.5f), kPanelEdge);
    // A faint top-to-bottom falloff around the panel colour (at most two
    // levels away from it, so controls blended over kPanel show no edge).
    img.fillShape(x0, y0, x1, y1, roundRect(x0 + 1, y0 + 2, x1 - 1, y1 - 1, 3.5f),
                  verticalGradient(y0, y1, hex(0x2e3237), hex(0x2a2e33)));
}

void drawDivider(Image& img, float x, float y0, float y1) {
    img.fillShape(x - 2, y0, x + 2, y1, roundRect(x - 0.5f, y0, x + 0.5f, y1, 0.5f), kPanelShade);
    img.fillShape(x - 1, y0, x + 3, y1, roundRect(x + 0.5f, y0, x + 1.5f, y1, 0.5f),
                  withAlpha(kPanelEdge, 0.7f));
}

void drawTopBar(Image& img) {
    const float w = static_cast<float>(img.width());
    img.fillShape(0, 0, w, 27, roundRect(-4, -4, w + 4, 27, 0.0f),
                  verticalGradient(0, 27, hex(0x1d1f23), kTopBar));
    img.fillShape(0, 26, w, 28, roundRect(-4, 27, w + 4, 28, 0.0f), hex(0x0b0c0e));
    img.fillShape(0, 27, w, 29, roundRect(-4, 28, w + 4, 29, 0.0f), hex(0x2f3338));
    // Wells behind the bank and preset name fields (the fields draw over them).
    drawWell(img, 52, 6, 148, 23);
    drawWell(img, 200, 6, 296, 23);
}

void drawTicks(Image& img, float cx, float cy, float r0, float r1, bool bipolar) {
    const int count = 11;
    for (int i = 0; i < count; ++i) {
        const float norm = static_cast<float>(i) / (count - 1);
        const float a = knobAngleRad(norm);
        const bool major = i == 0 || i == count - 1 || (bipolar && i == count / 2);
        const float outer = major ? r1 + 0.5f : r1;
        float x0, y0, x1, y1;
        pointAtAngle(cx, cy, r0, a, &x0, &y0);
        pointAtAngle(cx, cy, outer, a, &x1, &y1);
        img.fillShape(std::min(x0, x1) - 2, std::min(y0, y1) - 2, std::max(x0, x1) + 2,
                      std::max(y0, y1) + 2, capsule(x0, y0, x1, y1, major ? 0.6f : 0.45f),
                      major ? kLegendFaint : kTick);
    }
}

void drawKnobScales(Image& img) {
    for (const PlacedControl& c : mainControls()) {
        const BitmapEntry* e = findEntry(c.bitmapId);
        if (!e || e->kind != BitmapKind::Knob) continue;
        const float fh = static_cast<float>(e->height / e->frames);
        const float cx = c.x + e->width * 0.5f;
        const float cy = c.y + fh * 0.5f;
        const float r = fh * 0.5f;
        const bool q = e->frames == 51;
        drawTicks(img, cx, cy, r + (q ? 0.8f : 1.3f), r + (q ? 2.4f : 3.3f), c.bitmapId >= 15);
    }
}

void drawBandLabels(Image& img) {
    const char* labels[kColumnCount] = {"HP", "1", "2", "3", "4", "5", "LP", "AIR"};
    const Rgba colours[kColumnCount] = {kFilter, kBell, kBell, kBell, kBell, kBell, kFilter, kAir};
    for (int i = 0; i < kColumnCount; ++i) {
        const float cx = kColumnCentreX[i];
        drawTextInBox(img, cx - 26, 70, cx + 26, 83, labels[i], legendStyle(10.0f, colours[i]));
    }
    drawTextInBox(img, kColumnCentreX[7] - 26, 184, kColumnCentreX[7] + 26, 199, "OUT",
                  legendStyle(10.0f, kOut));
}

void drawLegends(Image& img) {
    const TextStyle row = legendStyle(8.0f, kLegendDim);
    drawText(img, 97, kFreqRowY + 3, "FREQ", row, Align::Right);
    drawText(img, 97, kQRowY + 3, "Q", row, Align::Right);
    drawText(img, 97, kGainRowY + 3, "GAIN", row, Align::Right);
    // Slope captions above the two slope switches.
    const TextStyle tiny = bodyStyle(6.5f, kLegendFaint);
    drawText(img, 121.5f, 148.5f, "dB/oct", tiny, Align::Centre);
    drawText(img, 518.5f, 147.5f, "dB/oct", tiny, Align::Centre);
    drawText(img, 176.5f, 203.5f, "SHAPE", tiny, Align::Centre);
    drawText(img, 462.5f, 203.5f, "SHAPE", tiny, Align::Centre);
}

void drawBrand(Image& img) {
    TextStyle logo;
    logo.face = FontFace::Bold;
    logo.sizePx = 25.0f;
    logo.colour = kLegend;
    logo.trackingPx = 0.5f;
    drawText(img, 13, 62, "Solva", logo);
    img.fillShape(12, 68, 98, 70, roundRect(13, 68, 97, 69.5f, 0.7f), kBell);
    TextStyle sub = legendStyle(7.0f, kLegendDim);
    sub.trackingPx = 1.2f;
    drawText(img, 13, 81, "8-BAND STEREO", sub);
    drawText(img, 13, 91, "PARAMETRIC EQ", sub);
    TextStyle maker = legendStyle(7.0f, kLegendFaint);
    maker.trackingPx = 1.5f;
    drawText(img, 13, 252, "MARWEN", maker);
}

}  // namespace

Image paintBackground(const BitmapEntry& e) {
    Image img(e.width, e.height, kBase);
    drawTopBar(img);
    drawSection(img, 104, 32, 542, 257);   // high-pass, bands 1 to 5, low-pass
    drawSection(img, 545, 32, 603, 257);   // Air and output
    // Family dividers stop above the gain row, where the shelf switches
    // reach across them.
    drawDivider(img, 180.5f, 36, 196);
    drawDivider(img, 462.5f, 36, 196);
    img.fillShape(548, 136, 600, 139, roundRect(549, 136.5f, 599, 137.5f, 0.5f), kPanelShade);
    img.fillShape(548, 137, 600, 140, roundRect(549, 137.5f, 599, 138.5f, 0.5f), kPanelEdge);
    drawKnobScales(img);
    drawBandLabels(img);
    drawLegends(img);
    drawBrand(img);
    return img;
}

}  // namespace skingen
