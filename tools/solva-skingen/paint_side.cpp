// The L/R-M/S panel (2009) and its controls. Image variants of the side
// switches, the link switch and the copy kick come in pairs: the first of a
// pair is used while side 0 (left or mid) is shown and is lit in the side-0
// colour, the second while side 1 is shown, lit in the side-1 colour. The
// alternative images of the slide switches and of the gain-mirror switch
// use the output accent instead of the menu accent.
//
// Slide switches step up when dragged left, so their highest position is
// drawn at the left end.
#include <string>

#include "painters.h"
#include "palette.h"
#include "shapes.h"
#include "widgets.h"

namespace skingen {
namespace {

using namespace palette;

struct SideLook {
    std::string label;
    Rgba lit;
};

SideLook lookFor(int id) {
    switch (id) {
        case 1028: return {"L", kSide0};
        case 1040: return {"L", kSide1};
        case 1043: return {"M", kSide0};
        case 1049: return {"M", kSide1};
        case 1029: return {"R", kSide0};
        case 1041: return {"R", kSide1};
        case 1044: return {"S", kSide0};
        case 1050: return {"S", kSide1};
        case 1030: return {"COPY L \xE2\x96\xB8 R", kSide0};
        case 1031: return {"COPY R \xE2\x96\xB8 L", kSide1};
        case 1045: return {"COPY M \xE2\x96\xB8 S", kSide0};
        case 1046: return {"COPY S \xE2\x96\xB8 M", kSide1};
        case 1032: case 1047: return {"LINK", kSide0};
        case 1042: case 1051: return {"LINK", kSide1};
        case 1033: return {"MIRROR", kUi};
        case 1048: return {"MIRROR", kOut};
        default: return {"", kUi};
    }
}

void paintKeyStrip(Image& img, const BitmapEntry& e) {
    const SideLook look = lookFor(e.id);
    const int fh = e.height / e.frames;
    const bool kick = e.kind == BitmapKind::Kick;
    for (int f = 0; f < e.frames; ++f) {
        ButtonState s = stateOfFrame(f);
        if (kick && f == 2) s = ButtonState::Pressed;
        const float y = static_cast<float>(f * fh);
        const float w = static_cast<float>(e.width);
        drawButtonBody(img, 1, y + 1, w - 1, y + fh - 1, s, 3.0f);
        const float dy = s == ButtonState::Pressed ? 1.0f : 0.0f;
        Rgba text = kick ? kLegend : (s == ButtonState::On ? look.lit : kLegendDim);
        if (!kick && s == ButtonState::On) {
            img.fillShape(4, y + fh - 5, w - 4, y + fh - 3,
                          roundRect(5, y + fh - 5, w - 5, y + fh - 3.5f, 0.75f), look.lit);
        }
        drawTextInBox(img, 0, y + dy - 1, w, y + fh + dy - 1, look.label,
                      legendStyle(kick ? 8.0f : 9.0f, text));
    }
}

// Segmented slide: segment k from the left shows position (n - 1 - k).
void paintSegmentSlide(Image& img, const BitmapEntry& e, const char* left, const char* right,
                       const Rgba& lit) {
    const int fh = e.height / e.frames;
    const float w = static_cast<float>(e.width);
    for (int f = 0; f < e.frames; ++f) {
        const float y = static_cast<float>(f * fh);
        drawWell(img, 0, y + 1, w, y + fh - 1, 3.0f);
        const bool leftOn = f == 1;
        const float half = w * 0.5f;
        const float sx0 = leftOn ? 2.0f : half, sx1 = leftOn ? half : w - 2.0f;
        drawButtonBody(img, sx0, y + 2, sx1, y + fh - 2, ButtonState::On, 2.5f);
        drawTextInBox(img, 0, y, half, y + fh, left, legendStyle(8.0f, leftOn ? lit : kLegendFaint));
        drawTextInBox(img, half, y, w, y + fh, right, legendStyle(8.0f, leftOn ? kLegendFaint : lit));
    }
}

// Three-position slide: the value label with three position dots.
void paintCompSlide(Image& img, const BitmapEntry& e, const Rgba& lit) {
    const int fh = e.height / e.frames;
    const float w = static_cast<float>(e.width);
    const char* labels[3] = {"OFF", "40%", "80%"};
    for (int f = 0; f < e.frames; ++f) {
        const float y = static_cast<float>(f * fh);
        drawWell(img, 0, y + 1, w, y + fh - 1, 3.0f);
        drawTextInBox(img, 0, y + 1, w, y + 14, labels[f],
                      legendStyle(8.0f, f == 0 ? kLegendDim : lit));
        for (int k = 0; k < 3; ++k) {
            const float dx = w * 0.5f + (static_cast<float>(k) - 1.0f) * 9.0f;
            const bool on = (2 - k) == f;
            img.fillShape(dx - 3, y + 15, dx + 3, y + 21, circle(dx, y + 18, on ? 2.2f : 1.5f),
                          on ? lit : kLegendFaint);
        }
    }
}

}  // namespace

Image paintSidePanelControl(const BitmapEntry& e) {
    Image img(e.width, e.height);
    switch (e.id) {
        case 1034: paintSegmentSlide(img, e, "REL", "ABS", kUi); break;
        case 1035: paintSegmentSlide(img, e, "REL", "ABS", kOut); break;
        case 1036: paintSegmentSlide(img, e, "HOLD", "STEP", kUi); break;
        case 1037: paintSegmentSlide(img, e, "HOLD", "STEP", kOut); break;
        case 1039: paintCompSlide(img, e, kUi); break;
        case 1038: paintCompSlide(img, e, kOut); break;
        default: paintKeyStrip(img, e); break;
    }
    return img;
}

Image paintSidePanel(const BitmapEntry& e) {
    Image img(e.width, e.height);
    drawOverlayPanel(img, "", 0.0f);
    const float w = static_cast<float>(e.width);
    auto caption = [&](float y0, const char* text) {
        img.fillShape(6, y0 + 6, w - 6, y0 + 8, roundRect(8, y0 + 6.5f, w - 8, y0 + 7.5f, 0.0f),
                      hex(0x3a3f46));
        const TextStyle st = legendStyle(7.5f, kLegendDim);
        const float tw = textWidth(text, st);
        img.fillShape(w * 0.5f - tw * 0.5f - 4, y0, w * 0.5f + tw * 0.5f + 4, y0 + 14,
                      roundRect(w * 0.5f - tw * 0.5f - 4, y0, w * 0.5f + tw * 0.5f + 4, y0 + 14, 0.0f),
                      hex(0x282b30));
        drawTextInBox(img, 0, y0, w, y0 + 14, text, st);
    };
    caption(65, "SIDE LINK");
    caption(132, "VOL COMP");
    drawTextInBox(img, 0, 224, w, 234, "SIDES", legendStyle(7.0f, kLegendFaint));
    return img;
}

}  // namespace skingen
