// Band switches, the clip LED, top-bar buttons, menu buttons and text
// backgrounds. Switch strips: frame 0 off, 1 pressed (held), 2 on.
#include <cmath>
#include <string>

#include "painters.h"
#include "palette.h"
#include "shapes.h"
#include "widgets.h"

namespace skingen {
namespace {

using namespace palette;

Rgba bandAccent(int id) {
    switch (id) {
        case 3000: case 3006: case 3008: case 3009: return kFilter;
        case 3007: return kAir;
        case 3012: return kOut;
        default: return kBell;
    }
}

float levelOf(ButtonState s) {
    return s == ButtonState::On ? 1.0f : (s == ButtonState::Pressed ? 0.45f : 0.0f);
}

// Band on switch: lamp and "ON" on a raised key.
void drawOnKey(Image& img, float y, float w, float h, ButtonState s, const Rgba& accent) {
    const float dy = s == ButtonState::Pressed ? 1.0f : 0.0f;
    drawButtonBody(img, 2, y + 2, w - 2, y + h - 2, s, 3.5f);
    drawLamp(img, 13, y + h * 0.5f + dy, 3.2f, accent, levelOf(s));
    const Rgba text = s == ButtonState::On ? kLegend : kLegendDim;
    drawTextInBox(img, 19, y + dy, w - 6, y + h + dy, "ON", legendStyle(9.0f, text), Align::Centre);
}

// Slope switch: "12" above "6"; the active slope is lit.
void drawSlopeKey(Image& img, float y, float w, float h, ButtonState s, const Rgba& accent) {
    drawButtonBody(img, 1, y + 1, w - 1, y + h - 1, s, 3.0f);
    const float dy = s == ButtonState::Pressed ? 1.0f : 0.0f;
    const Rgba off = kLegendFaint;
    const Rgba top = s == ButtonState::On ? accent : off;
    const Rgba bottom = s == ButtonState::Off ? accent : off;
    drawTextInBox(img, 0, y + 1 + dy, w, y + h * 0.5f + dy, "12", legendStyle(8.0f, top));
    drawTextInBox(img, 0, y + h * 0.5f - 1 + dy, w, y + h - 2 + dy, "6", legendStyle(8.0f, bottom));
}

// Curve icon: bell (shape 0), low shelf (1) or high shelf (2).
void drawCurveIcon(Image& img, float x0, float x1, float yMid, int shape, const Rgba& colour) {
    const int steps = 18;
    float px = 0, py = 0;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps;
        const float u = t * 2.0f - 1.0f;
        float v;
        if (shape == 0) v = std::exp(-u * u * 6.0f);
        else if (shape == 1) v = 1.0f / (1.0f + std::exp(u * 7.0f));
        else v = 1.0f / (1.0f + std::exp(-u * 7.0f));
        const float x = x0 + (x1 - x0) * t;
        const float y = yMid + 3.0f - v * 7.0f;
        if (i > 0) img.fillShape(std::min(px, x) - 2, std::min(py, y) - 2, std::max(px, x) + 2,
                                 std::max(py, y) + 2, capsule(px, py, x, y, 0.75f), colour);
        px = x;
        py = y;
    }
}

void drawShelfKey(Image& img, float y, float w, float h, ButtonState s, const Rgba& accent,
                  int shelfShape) {
    drawButtonBody(img, 1, y + 1, w - 1, y + h - 1, s, 3.0f);
    const float dy = s == ButtonState::Pressed ? 1.0f : 0.0f;
    const int shape = s == ButtonState::On ? shelfShape : 0;
    const Rgba c = s == ButtonState::Pressed ? kLegendDim : accent;
    drawCurveIcon(img, 5, w - 5, y + h * 0.5f + dy, shape, c);
}

// General on: power symbol, lit in the output accent.
void drawPowerKey(Image& img, float y, float w, float h, ButtonState s, const Rgba& accent) {
    drawButtonBody(img, 2, y + 2, w - 2, y + h - 2, s, 4.0f);
    const float dy = s == ButtonState::Pressed ? 1.0f : 0.0f;
    const float cx = w * 0.5f, cy = y + h * 0.5f + dy;
    const Rgba c = s == ButtonState::On ? accent : (s == ButtonState::Pressed ? kLegendDim : kLegendFaint);
    if (s == ButtonState::On) {
        img.fillShape(cx - 14, cy - 14, cx + 14, cy + 14, circle(cx, cy, 12.0f), [&](float px, float py) {
            const float d = std::hypot(px - cx, py - cy) / 12.0f;
            return withAlpha(accent, 0.22f * (1.0f - d));
        });
    }
    const float r = 7.0f;
    // Ring open at 12 o'clock (angle pi), drawn as two arcs meeting at the bottom.
    img.fillShape(cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2,
                  arc(cx, cy, r, 1.1f, kPi + 0.75f, 2.0f * kPi), c);
    img.fillShape(cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2, arc(cx, cy, r, 1.1f, 0.0f, kPi - 0.75f), c);
    img.fillShape(cx - 2, cy - r - 3, cx + 2, cy + 1, capsule(cx, cy - r - 1.5f, cx, cy - 1.5f, 1.1f), c);
}

}  // namespace

Image paintBandSwitch(const BitmapEntry& e) {
    Image img(e.width, e.height);
    const int fh = e.height / e.frames;
    const float w = static_cast<float>(e.width), h = static_cast<float>(fh);
    for (int f = 0; f < e.frames; ++f) {
        const ButtonState s = stateOfFrame(f);
        const float y = static_cast<float>(f * fh);
        const Rgba accent = bandAccent(e.id);
        if (e.id <= 3007) drawOnKey(img, y, w, h, s, accent);
        else if (e.id <= 3009) drawSlopeKey(img, y, w, h, s, accent);
        else if (e.id == 3010) drawShelfKey(img, y, w, h, s, accent, 1);
        else if (e.id == 3011) drawShelfKey(img, y, w, h, s, accent, 2);
        else drawPowerKey(img, y, w, h, s, accent);
    }
    return img;
}

Image paintLed(const BitmapEntry& e) {
    Image img(e.width, e.height);
    const int fh = e.height / e.frames;
    for (int f = 0; f < e.frames; ++f) {
        const float cx = e.width * 0.5f, cy = f * fh + fh * 0.5f;
        drawLamp(img, cx, cy, 5.5f, kClip, f == 1 ? 1.0f : 0.0f);
    }
    return img;
}

Image paintTopBarButton(const BitmapEntry& e) {
    Image img(e.width, e.height);
    const int fh = e.height / e.frames;
    std::string label;
    switch (e.id) {
        case 1007: label = "?"; break;
        case 1013: label = "A"; break;
        case 1023: label = "B"; break;
        case 1014: label = "A \xE2\x96\xB8 B"; break;  // A ▸ B
        case 1015: label = "B \xE2\x96\xB8 A"; break;
        case 1016: label = "SAVE"; break;
        default: label = "SAVE AS"; break;
    }
    const bool isSwitch = e.kind == BitmapKind::Switch;
    for (int f = 0; f < e.frames; ++f) {
        // Kicks show frame 0 released and frames 1, 2 pressed.
        ButtonState s = stateOfFrame(f);
        if (!isSwitch && f == 2) s = ButtonState::Pressed;
        const float y = static_cast<float>(f * fh);
        drawButtonBody(img, 1, y + 1, e.width - 1, y + fh - 1, s, 3.0f);
        const float dy = s == ButtonState::Pressed ? 1.0f : 0.0f;
        Rgba text = kLegend;
        if (isSwitch) text = s == ButtonState::On ? kUi : kLegendDim;
        if (isSwitch && s == ButtonState::On) {
            img.fillShape(4, y + fh - 5, e.width - 4, y + fh - 3,
                          roundRect(6, y + fh - 5, e.width - 6, y + fh - 3.5f, 0.75f), kUi);
        }
        drawTextInBox(img, 0, y + dy - 0.5f, e.width, y + fh + dy - 0.5f, label,
                      legendStyle(e.id == 1007 ? 11.0f : 9.5f, text));
    }
    return img;
}

Image paintMenuButton(const BitmapEntry& e) {
    Image img(e.width, e.height);
    std::string label = "BANK";
    if (e.id == 1011 || e.id == 1012 || e.id == 1022) label = "PRESET";
    if (e.id == 1018 || e.id == 1019 || e.id == 1021) label = "OPTIONS";
    const bool pressed = e.id == 1009 || e.id == 1011 || e.id == 1019;
    const bool disabled = e.id == 1024 || e.id == 1022 || e.id == 1021;
    const float w = static_cast<float>(e.width), h = static_cast<float>(e.height);
    drawButtonBody(img, 1, 1, w - 1, h - 1, pressed ? ButtonState::Pressed : ButtonState::Off, 3.0f);
    const float dy = pressed ? 1.0f : 0.0f;
    const Rgba text = disabled ? kLegendFaint : kLegend;
    const TextStyle style = legendStyle(8.5f, text);
    const float tw = textWidth(label, style);
    const float total = tw + 8.0f;
    const float x = std::round((w - total) * 0.5f);
    drawText(img, x, std::round(h * 0.5f + 3.0f + dy), label, style);
    // Menu arrow.
    const float ax = x + tw + 3.5f, ay = h * 0.5f - 1.0f + dy;
    const Rgba arrow = disabled ? kLegendFaint : (pressed ? kUi : kLegendDim);
    img.fillShape(ax - 1, ay - 2, ax + 6, ay + 4,
                  [=](float px, float py) {
                      // Downward triangle of width 5 and height 3.
                      const float u = std::fabs(px - (ax + 2.5f)) - (ay + 3.0f - py) * 0.85f;
                      return std::max(u, std::max(ay - py, py - (ay + 3.0f)));
                  },
                  arrow);
    return img;
}

Image paintTextBack(const BitmapEntry& e) {
    Image img(e.width, e.height);
    img.fill(e.matte);
    drawWell(img, 0, 0, static_cast<float>(e.width), static_cast<float>(e.height),
             e.height > 20 ? 3.0f : 2.0f);
    return img;
}

Image paintDialogButton(const BitmapEntry& e) {
    Image img(e.width, e.height);
    const int fh = e.height / e.frames;
    const float w = static_cast<float>(e.width), h = static_cast<float>(fh);
    for (int f = 0; f < e.frames; ++f) {
        const float y = static_cast<float>(f * fh);
        const bool down = f >= 1;
        if (e.id == 2007) {
            const float cx = w * 0.5f, cy = y + h * 0.5f;
            img.fillShape(0, y, w, y + h, circle(cx, cy, 9.5f), hex(0x0e0f11));
            img.fillShape(0, y, w, y + h, circle(cx, cy, 8.5f),
                          down ? Rgba(kUi) : hex(0x3a3e45));
            const Rgba c = down ? kLegend : kLegendDim;
            img.fillShape(0, y, w, y + h, capsule(cx - 3.5f, cy - 3.5f, cx + 3.5f, cy + 3.5f, 1.0f), c);
            img.fillShape(0, y, w, y + h, capsule(cx - 3.5f, cy + 3.5f, cx + 3.5f, cy - 3.5f, 1.0f), c);
        } else if (e.id == 2010) {
            drawButtonBody(img, 0, y, w, y + h, down ? ButtonState::Pressed : ButtonState::Off, 3.0f);
            drawTextInBox(img, 0, y + (down ? 1.0f : 0.0f), w, y + h + (down ? 1.0f : 0.0f), "Cancel",
                          bodyStyle(9.0f, kLegend));
        } else {
            // Confirm: a frame only; the caption on the dialog shows through.
            const Rgba ring = down ? kUi : hex(0x0e0f11);
            const float t = down ? 2.0f : 1.0f;
            img.fillShape(0, y, w, y + h,
                          subtract(roundRect(0, y, w, y + h, 3.0f),
                                   roundRect(t, y + t, w - t, y + h - t, 3.0f - t * 0.5f)),
                          ring);
        }
    }
    return img;
}

}  // namespace skingen
