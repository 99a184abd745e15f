#include "widgets.h"

#include <cmath>
#include <vector>

#include "palette.h"
#include "shapes.h"

namespace skingen {

using namespace palette;

ButtonState stateOfFrame(int frame) {
    if (frame == 1) return ButtonState::Pressed;
    if (frame == 2) return ButtonState::On;
    return ButtonState::Off;
}

void drawButtonBody(Image& img, float x0, float y0, float x1, float y1, ButtonState state,
                    float radius) {
    const bool sunken = state == ButtonState::Pressed;
    // Outer dark edge, then the face with a vertical gradient and a top highlight.
    img.fillShape(x0, y0, x1, y1, roundRect(x0, y0, x1, y1, radius), hex(0x0e0f11));
    const Rgba top = sunken ? hex(0x24272b) : hex(0x4a4f57);
    const Rgba bottom = sunken ? hex(0x30343a) : hex(0x2e3137);
    img.fillShape(x0, y0, x1, y1, roundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, radius - 0.5f),
                  verticalGradient(y0 + 1, y1 - 1, top, bottom));
    if (!sunken) {
        img.fillShape(x0, y0, x1, y0 + 3,
                      subtract(roundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, radius - 0.5f),
                               roundRect(x0 + 1, y0 + 2, x1 - 1, y1 - 1, radius - 0.5f)),
                      hex(0x6b717b, 0.8f));
    }
}

void drawLamp(Image& img, float cx, float cy, float radius, const Rgba& colour, float level) {
    const float r = radius;
    if (level > 0.6f) {
        img.fillShape(cx - 3 * r, cy - 3 * r, cx + 3 * r, cy + 3 * r, circle(cx, cy, r * 2.2f),
                      [&](float x, float y) {
                          const float d = std::hypot(x - cx, y - cy) / (r * 2.2f);
                          return withAlpha(colour, 0.35f * (1.0f - d) * (1.0f - d));
                      });
    }
    img.fillShape(cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1, circle(cx, cy, r + 0.6f),
                  hex(0x0b0c0d));
    const Rgba dark = mix(hex(0x1a1c1f), colour, 0.22f);
    const Rgba face = mix(dark, colour, level);
    img.fillShape(cx - r, cy - r, cx + r, cy + r, circle(cx, cy, r), [&](float x, float y) {
        const float d = std::hypot(x - cx + r * 0.3f, y - cy + r * 0.3f) / (r * 1.4f);
        return mix(mix(face, hex(0xffffff), level * 0.55f), face, std::min(1.0f, d * 1.6f));
    });
}

void drawWell(Image& img, float x0, float y0, float x1, float y1, float radius) {
    img.fillShape(x0, y0, x1, y1, roundRect(x0, y0, x1, y1, radius),
                  verticalGradient(y0, y1, hex(0x08090a), kWellEdge));
    img.fillShape(x0, y0, x1, y1, roundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, radius - 0.5f),
                  kWell);
}

void drawOverlayPanel(Image& img, const std::string& title, float titleHeight) {
    const float w = static_cast<float>(img.width());
    const float h = static_cast<float>(img.height());
    img.fill(kPanelShade);
    img.fillShape(0, 0, w, h, roundRect(1, 1, w - 1, h - 1, 3.0f),
                  verticalGradient(0, h, hex(0x2b2f34), kOverlay));
    img.fillShape(0, 0, w, 3, subtract(roundRect(1, 1, w - 1, h - 1, 3.0f),
                                       roundRect(1, 2, w - 1, h - 1, 3.0f)),
                  withAlpha(kPanelEdge, 1.0f));
    if (titleHeight > 0.0f) {
        img.fillShape(0, 0, w, titleHeight, roundRect(2, 2, w - 2, titleHeight, 2.0f), kOverlayHead);
        img.fillShape(0, titleHeight, w, titleHeight + 1,
                      roundRect(2, titleHeight, w - 2, titleHeight + 1, 0.0f), withAlpha(kUi, 0.8f));
        drawTextInBox(img, 12, 2, w - 12, titleHeight, title, legendStyle(10.5f, kLegend),
                      Align::Left);
    }
}

void drawDialogButtonFace(Image& img, float x, float y, float w, float h,
                          const std::string& caption) {
    drawButtonBody(img, x, y, x + w, y + h, ButtonState::Off, 3.0f);
    drawLinesInBox(img, x, y, x + w, y + h, caption, bodyStyle(8.5f, kLegend), 9.0f);
}

TextStyle legendStyle(float sizePx, const Rgba& colour) {
    TextStyle s;
    s.face = FontFace::CondensedBold;
    s.sizePx = sizePx;
    s.colour = colour;
    s.trackingPx = 0.4f;
    return s;
}

TextStyle bodyStyle(float sizePx, const Rgba& colour) {
    TextStyle s;
    s.face = FontFace::Condensed;
    s.sizePx = sizePx;
    s.colour = colour;
    return s;
}

void drawLinesInBox(Image& img, float x0, float y0, float x1, float y1, const std::string& text,
                    const TextStyle& style, float lineGapPx) {
    std::vector<std::string> lines;
    std::string cur;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    lines.push_back(cur);
    const float total = lineGapPx * static_cast<float>(lines.size());
    float top = (y0 + y1) * 0.5f - total * 0.5f;
    for (const std::string& line : lines) {
        drawTextInBox(img, x0, top, x1, top + lineGapPx, line, style, Align::Centre);
        top += lineGapPx;
    }
}

}  // namespace skingen
