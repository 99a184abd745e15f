// The table of every skin bitmap: resource id, size, frame count, kind,
// what it shows and where its size comes from.
#pragma once

#include <vector>

#include "image.h"

namespace skingen {

enum class BitmapKind { Knob, Switch, Kick, Led, SlideSwitch, MenuButton, TextBack, Panel, Strip,
                        Background };

struct BitmapEntry;
using Painter = Image (*)(const BitmapEntry&);

struct BitmapEntry {
    int id;
    int width;
    int height;       // whole bitmap; frame height = height / frames
    int frames;
    BitmapKind kind;
    const char* use;
    // "layout" when the size is fixed by the window layout, otherwise how
    // it was derived from the positions of the controls around it.
    const char* sizeNote;
    Painter painter;
    Rgba matte;       // colour the bitmap is drawn over (edge blending)
};

const std::vector<BitmapEntry>& skinTable();
const BitmapEntry* findEntry(int id);

}  // namespace skingen
