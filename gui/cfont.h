// Text on the software renderer: the embedded anti-aliased font atlas
// (font_atlas_data.cpp), font selection by id, size and style, measuring
// and drawing. Text is UTF-8; bytes that do not form UTF-8 are read as
// Latin-1. Characters missing from the atlas are drawn as '?'.
#pragma once

#include "gui/ccolor.h"
#include "gui/cgeometry.h"
#include "gui/cpixelbuffer.h"

namespace VSTGUI {

enum CFont {
    kSystemFont = 0,
    kNormalFontVeryBig,
    kNormalFontBig,
    kNormalFont,
    kNormalFontSmall,
    kNormalFontSmaller,
    kNormalFontVerySmall,
    kSymbolFont,
    kNumStandardFonts,
};

enum CTxtFace {
    kNormalFace = 0,
    kBoldFace = 1,
    kItalicFace = 2,  // drawn upright: the atlas has no italic
    kUnderlineFace = 4,
};

enum CHoriTxtAlign {
    kLeftText = 0,
    kCenterText,
    kRightText,
};

namespace font_atlas {
struct Face;
}

// A resolved font: one face of the atlas plus the underline flag.
struct CFontFace {
    const font_atlas::Face* face = nullptr;
    bool underline = false;

    int ascent() const;
    int descent() const;
    int lineHeight() const;
    int sizePx() const;
    bool bold() const;
};

// Pixel size a font id stands for when no size is given.
int getDefaultFontSize(CFont font);
// The atlas face nearest to `sizePx` (0 = the id's default) and style.
CFontFace selectFont(CFont font, int sizePx, long style);

// Width in pixels of `text` with the font's advances.
int measureText(const CFontFace& font, const char* text);
// Draws `text` with its baseline starting at `origin`, only inside `clip`
// (buffer coordinates), blending coverage with `color`.
void renderText(CPixelBuffer& target, const CRect& clip, const CFontFace& font, const char* text,
                CPoint origin, CColor color);

}  // namespace VSTGUI
