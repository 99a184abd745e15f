// Knob strips: frame i of n shows value i / (n - 1); the pointer angle is
// knobAngleRad(value) (see shapes.h for the convention). The outer ring
// carries a value arc in the band family's accent colour: from the start
// angle for frequencies and qualities, from 12 o'clock for the bipolar
// gains. Everything outside the ring is transparent.
#include <algorithm>
#include <cmath>

#include "painters.h"
#include "palette.h"
#include "shapes.h"

namespace skingen {
namespace {

using namespace palette;

Rgba accentFor(int id) {
    if (id == 1 || id == 7 || id == 8 || id == 14) return kFilter;
    if (id == 20) return kAir;
    if (id == 21) return kOut;
    return kBell;
}

bool isBipolar(int id) { return id >= 15; }

// Body shading: light from the upper left, darker towards the rim.
ShaderFn bodyShader(float cx, float cy, float radius) {
    return [=](float x, float y) {
        const float dx = (x - cx) / radius;
        const float dy = (y - cy) / radius;
        const float light = std::clamp(0.55f - 0.35f * (dx + dy) * 0.7071f, 0.0f, 1.0f);
        const float edge = std::clamp(std::sqrt(dx * dx + dy * dy), 0.0f, 1.0f);
        Rgba c = mix(hex(0x2a2e34), hex(0x4a505a), light);
        return mix(c, hex(0x1c1f23), edge * edge * 0.6f);
    };
}

ShaderFn rimShader(float cy, float radius) {
    return [=](float, float y) {
        const float t = std::clamp((y - (cy - radius)) / (2.0f * radius), 0.0f, 1.0f);
        return mix(hex(0x7c838e), hex(0x16181b), t);
    };
}

// Draws one knob centred at (cx, cy) in a frame of frameSize pixels, all
// lengths multiplied by scale (the drawing is supersampled).
void drawKnobFrame(Image& img, float cx, float cy, float frameSize, float scale, float norm,
                   int id) {
    const float outer = (frameSize * 0.5f - 0.5f) * scale;
    const float ringMid = outer - 1.5f * scale;
    const float ringHalf = 1.25f * scale;
    const float body = outer - 4.25f * scale;
    const float a = knobAngleRad(norm);
    const float bx0 = cx - outer - scale, by0 = cy - outer - scale;
    const float bx1 = cx + outer + scale, by1 = cy + outer + scale;

    // Ring track and value arc.
    img.fillShape(bx0, by0, bx1, by1, arc(cx, cy, ringMid, ringHalf, kKnobStartRad, kKnobEndRad),
                  hex(0x15171a));
    const float from = isBipolar(id) ? kPi : kKnobStartRad;
    const float lo = std::min(from, a);
    const float hi = std::max(from, a);
    if (hi - lo > 0.01f) {
        img.fillShape(bx0, by0, bx1, by1, arc(cx, cy, ringMid, ringHalf - 0.15f * scale, lo, hi),
                      accentFor(id));
    }
    if (isBipolar(id)) {
        // Centre mark at 0 dB.
        float mx, my;
        pointAtAngle(cx, cy, ringMid, kPi, &mx, &my);
        img.fillShape(bx0, by0, bx1, by1, circle(mx, my, 0.9f * scale), withAlpha(kTick, 0.9f));
    }

    // Shadow, body, bevelled rim and face.
    img.fillShape(bx0, by0, bx1, by1, circle(cx, cy + 0.8f * scale, body + 0.8f * scale),
                  hex(0x000000, 0.55f));
    img.fillShape(bx0, by0, bx1, by1, circle(cx, cy, body), rimShader(cy, body));
    img.fillShape(bx0, by0, bx1, by1, circle(cx, cy, body - 1.2f * scale), bodyShader(cx, cy, body));

    // Pointer: the brightest pixels of the frame.
    float px0, py0, px1, py1;
    pointAtAngle(cx, cy, body * 0.3f, a, &px0, &py0);
    pointAtAngle(cx, cy, body - 2.0f * scale, a, &px1, &py1);
    img.fillShape(bx0, by0, bx1, by1, capsule(px0, py0, px1, py1, 1.05f * scale), kPointer);
}

}  // namespace

Image paintKnob(const BitmapEntry& e) {
    const int frameH = e.height / e.frames;
    // Drawn at 4x and reduced for clean edges on the small frames.
    constexpr int kScale = 4;
    const float s = static_cast<float>(kScale);
    Image out(e.width, e.height);
    for (int f = 0; f < e.frames; ++f) {
        const float norm = static_cast<float>(f) / static_cast<float>(e.frames - 1);
        Image big(e.width * kScale, frameH * kScale);
        const float cx = static_cast<float>(e.width) * 0.5f * s;
        const float cy = static_cast<float>(frameH) * 0.5f * s;
        drawKnobFrame(big, cx, cy, static_cast<float>(frameH), s, norm, e.id);
        out.drawPart(big.downsampled(kScale), 0, 0, e.width, frameH, 0, f * frameH);
    }
    return out;
}

}  // namespace skingen
