// Value and name strips (4000..4005) and the clip indicator panel (4006).
// A strip is a dark rail with a well under every text field of the strip
// and the unit of the column after each value cell.
#include <string>
#include <vector>

#include "painters.h"
#include "palette.h"
#include "shapes.h"
#include "widgets.h"

namespace skingen {
namespace {

using namespace palette;

struct StripColumns {
    std::vector<int> fieldX;
    int fieldWidth;
    std::vector<std::string> units;  // one per field, may be empty
};

const char* kNote = "\xE2\x99\xAA";  // ♪

StripColumns columnsFor(int id) {
    switch (id) {
        case 4000:
            return {{2, 58, 114, 170, 226, 369}, 31, {"dB", "dB", "dB", "dB", "dB", "dB"}};
        case 4001:
            return {{2, 58, 114, 170, 226, 282, 338, 425}, 31,
                    {"Hz", "Hz", "Hz", "Hz", "Hz", "Hz", "Hz", "dB"}};
        case 4002:
            return {{2, 58, 114, 170, 226, 282, 338, 425}, 31,
                    {kNote, kNote, kNote, kNote, kNote, kNote, kNote, "dB"}};
        case 4003:
            return {{1, 57, 113, 169, 226, 282, 338, 423}, 52, {}};
        case 4004:
            return {{2, 58, 114, 170, 226, 282, 338}, 31, {"Q", "Q", "Q", "Q", "Q", "Q", "Q"}};
        default:
            return {{2, 58, 114, 170, 226, 282, 338}, 31,
                    {"oct", "oct", "oct", "oct", "oct", "oct", "oct"}};
    }
}

Image paintClipPanel(const BitmapEntry& e) {
    Image img(e.width, e.height, kPanel);
    const float w = static_cast<float>(e.width), h = static_cast<float>(e.height);
    img.fillShape(0, 0, w, h, subtract(roundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 3.0f),
                                       roundRect(1.5f, 1.5f, w - 1.5f, h - 1.5f, 2.5f)),
                  withAlpha(kPanelEdge, 0.9f));
    // The LED sits at (5, 4), 25 x 23; the caption goes under it.
    drawTextInBox(img, 5, 29, 30, 39, "CLIP", legendStyle(7.5f, kLegendDim));
    return img;
}

}  // namespace

Image paintStrip(const BitmapEntry& e) {
    if (e.id == 4006) return paintClipPanel(e);
    Image img(e.width, e.height, kPanel);
    const float w = static_cast<float>(e.width), h = static_cast<float>(e.height);
    img.fillShape(0, 0, w, h, roundRect(0, 0, w, h, 2.5f), hex(0x1a1c1f));
    const StripColumns cols = columnsFor(e.id);
    const TextStyle unit = bodyStyle(7.5f, kLegendFaint);
    for (std::size_t i = 0; i < cols.fieldX.size(); ++i) {
        const float x = static_cast<float>(cols.fieldX[i]);
        drawWell(img, x, 1, x + static_cast<float>(cols.fieldWidth), 12, 1.5f);
        if (i < cols.units.size()) {
            drawTextInBox(img, x + cols.fieldWidth + 2, 0, x + cols.fieldWidth + 24, h,
                          cols.units[i], unit, Align::Left);
        }
    }
    return img;
}

}  // namespace skingen
