// Preview PNGs: a contact sheet of every bitmap and the composed main
// window, so the look can be judged without building the editor.
#include <algorithm>
#include <cstdio>
#include <string>

#include "layout.h"
#include "outputs.h"
#include "palette.h"
#include "skin_table.h"
#include "text.h"

namespace skingen {
namespace {

bool isKey(const Rgb8& p) { return p.r == 0 && p.g == 255 && p.b == 0; }

Rgba toRgba(const Rgb8& p) {
    return Rgba{p.r / 255.0f, p.g / 255.0f, p.b / 255.0f, 1.0f};
}

// Blits frame `frame` of a bitmap; key pixels are skipped, or drawn as a
// checkerboard when checker is set.
void blitFrame(Image& dst, const BitmapSet& set, const BitmapEntry& e, int frame, int dx, int dy,
               bool checker) {
    const auto it = set.find(e.id);
    if (it == set.end()) return;
    const int fh = e.height / e.frames;
    for (int y = 0; y < fh; ++y) {
        for (int x = 0; x < e.width; ++x) {
            const Rgb8& p = it->second[static_cast<std::size_t>((frame * fh + y) * e.width + x)];
            if (isKey(p)) {
                if (checker) {
                    const bool dark = ((x / 4) + (y / 4)) % 2 == 0;
                    dst.blend(dx + x, dy + y, dark ? hex(0x3c3c3c) : hex(0x4c4c4c), 1.0f);
                }
                continue;
            }
            dst.blend(dx + x, dy + y, toRgba(p), 1.0f);
        }
    }
}

std::vector<int> framesToShow(const BitmapEntry& e) {
    if (e.frames > 3) {
        const int n = e.frames - 1;
        return {0, n / 4, n / 2, (3 * n) / 4, n};
    }
    std::vector<int> all;
    for (int f = 0; f < e.frames; ++f) all.push_back(f);
    return all;
}

struct Placement {
    const BitmapEntry* entry;
    int x, y, w, h;
};

std::vector<Placement> packSheet(int sheetWidth, int* heightOut) {
    std::vector<Placement> out;
    int x = 10, y = 10, rowH = 0;
    for (const BitmapEntry& e : skinTable()) {
        const int n = static_cast<int>(framesToShow(e).size());
        const int w = std::max(n * (e.width + 3), 60);
        const int h = e.height / e.frames + 16;
        if (x + w > sheetWidth - 10) {
            x = 10;
            y += rowH + 8;
            rowH = 0;
        }
        out.push_back({&e, x, y, w, h});
        x += w + 12;
        rowH = std::max(rowH, h);
    }
    *heightOut = y + rowH + 10;
    return out;
}

std::vector<Rgb8> toRgb8(const Image& img) { return flattenForBitmap(img, hex(0x000000)); }

}  // namespace

bool writeContactSheet(const BitmapSet& set, const std::string& path) {
    const int width = 1400;
    int height = 0;
    const std::vector<Placement> places = packSheet(width, &height);
    Image sheet(width, height, hex(0x141517));
    TextStyle label;
    label.face = FontFace::Condensed;
    label.sizePx = 9.0f;
    label.colour = hex(0xb0b0b0);
    for (const Placement& p : places) {
        const BitmapEntry& e = *p.entry;
        int fx = p.x;
        for (int f : framesToShow(e)) {
            blitFrame(sheet, set, e, f, fx, p.y, true);
            fx += e.width + 3;
        }
        char text[64];
        std::snprintf(text, sizeof text, "%d  %dx%d/%d", e.id, e.width, e.height, e.frames);
        drawText(sheet, static_cast<float>(p.x), static_cast<float>(p.y + p.h - 4), text, label);
    }
    return writePng(path, width, height, toRgb8(sheet));
}

bool writeWindowPreview(const BitmapSet& set, const std::string& path, bool withOverlays) {
    const BitmapEntry* bg = findEntry(10000);
    Image img(bg->width, bg->height);
    blitFrame(img, set, *bg, 0, 0, 0, false);
    auto place = [&](int id, int frame, int x, int y) {
        if (const BitmapEntry* e = findEntry(id)) blitFrame(img, set, *e, frame, x, y, false);
    };
    std::vector<PlacedControl> all = mainControls();
    for (const PlacedControl& c : topBarControls()) all.push_back(c);
    for (const PlacedControl& c : all) {
        const BitmapEntry* e = findEntry(c.bitmapId);
        if (!e) continue;
        place(c.bitmapId, frameForValue(c.bitmapId, e->frames, c.defaultValue), c.x, c.y);
    }
    TextStyle field;
    field.face = FontFace::Condensed;
    field.sizePx = 9.0f;
    field.colour = palette::kFieldText;
    drawText(img, 57, 19, "Factory", field);
    drawText(img, 205, 19, "Default", field);
    if (withOverlays) {
        place(4003, 0, 125, 70);
        place(4001, 0, 135, 127);
        place(4004, 0, 135, 180);
        place(4000, 0, 191, 239);
        place(4006, 0, 501, 195);
        place(22, 1, 506, 199);
        // L/R-M/S panel in L/R mode with the left side shown and linked.
        place(2009, 0, 19, 27);
        const int px = 19, py = 27;
        place(1028, 2, px + 11, py + 12);
        place(1029, 0, px + 52, py + 12);
        place(1030, 0, px + 11, py + 38);
        place(1032, 2, px + 27, py + 83);
        place(1033, 0, px + 27, py + 109);
        place(1039, 0, px + 27, py + 146);
        place(1034, 0, px + 11, py + 176);
        place(1036, 1, px + 11, py + 202);
        const char* names[8] = {"HP", "Band 1", "Band 2", "Band 3", "Band 4", "Band 5", "LP", "Air"};
        const int nameX[8] = {1, 57, 113, 169, 226, 282, 338, 423};
        for (int i = 0; i < 8; ++i) {
            place(1005, 0, 125 + nameX[i], 71);
            drawText(img, 125 + nameX[i] + 26.0f, 80, names[i], field, Align::Centre);
        }
        const char* freqs[8] = {"42.00", "88.00", "176.0", "1000", "5800", "9400", "13.60k", "0.0"};
        const int fx[8] = {2, 58, 114, 170, 226, 282, 338, 425};
        for (int i = 0; i < 8; ++i) {
            place(1008, 0, 135 + fx[i], 128);
            drawText(img, 135 + fx[i] + 15.5f, 137, freqs[i], field, Align::Centre);
        }
        for (int i = 0; i < 7; ++i) {
            place(1008, 0, 135 + fx[i], 181);
            drawText(img, 135 + fx[i] + 15.5f, 190, i == 0 || i == 6 ? "0.71" : "1.00", field,
                     Align::Centre);
        }
        const int gx[6] = {2, 58, 114, 170, 226, 369};
        for (int i = 0; i < 6; ++i) {
            place(1008, 0, 191 + gx[i], 240);
            drawText(img, 191 + gx[i] + 15.5f, 249, "0.0", field, Align::Centre);
        }
    }
    return writePng(path, img.width(), img.height(), toRgb8(img));
}

bool writePanelsPreview(const BitmapSet& set, const std::string& path) {
    struct Item {
        int id;
        int frame;
        int x;
        int y;
    };
    struct Panel {
        int id;
        std::vector<Item> items;
    };
    // Each overlay with its buttons and fields; one confirm button pressed.
    const std::vector<Panel> panels = {
        {2012, {{2011, 0, 25, 94}, {2011, 1, 124, 94}, {2010, 0, 222, 94}}},
        {2002, {{2011, 0, 25, 68}, {2011, 0, 124, 68}, {2011, 0, 222, 68}, {2010, 1, 124, 103}}},
        {2001, {{2011, 0, 39, 62}, {2011, 0, 162, 63}, {2010, 0, 101, 100}}},
        {2003, {{2011, 0, 41, 65}, {2011, 0, 165, 65}, {2010, 0, 103, 99}}},
        {2004, {{2011, 0, 39, 62}, {2011, 0, 162, 62}, {2010, 0, 101, 100}}},
        {2005, {{2011, 0, 38, 49}, {2010, 0, 161, 49}}},
        {2000, {{2007, 0, 283, 8}, {1026, 0, 135, 53}, {1026, 0, 135, 84}, {1026, 0, 135, 114},
                {1026, 0, 135, 145}, {1026, 0, 135, 175}, {1026, 0, 135, 206}}},
        {2006, {{2007, 0, 287, 4}, {1020, 0, 80, 210}}},
    };
    const int width = 1000;
    // First pass measures, second pass draws.
    int height = 0;
    Image sheet;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) sheet = Image(width, height, hex(0x141517));
        int x = 10, y = 10, rowH = 0;
        auto next = [&](const BitmapEntry& e) {
            if (x + e.width > width - 10) {
                x = 10;
                y += rowH + 10;
                rowH = 0;
            }
        };
        for (const Panel& p : panels) {
            const BitmapEntry* e = findEntry(p.id);
            next(*e);
            if (pass == 1) {
                blitFrame(sheet, set, *e, 0, x, y, false);
                for (const Item& it : p.items) {
                    if (const BitmapEntry* c = findEntry(it.id)) {
                        blitFrame(sheet, set, *c, it.frame, x + it.x, y + it.y, false);
                    }
                }
            }
            x += e->width + 10;
            rowH = std::max(rowH, e->height);
        }
        const BitmapEntry* help = findEntry(2008);
        next(*help);
        if (pass == 1) blitFrame(sheet, set, *help, 0, x, y, false);
        height = y + std::max(rowH, help->height) + 10;
    }
    return writePng(path, width, height, toRgb8(sheet));
}

}  // namespace skingen
