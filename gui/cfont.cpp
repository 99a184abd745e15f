#include "gui/cfont.h"

#include <algorithm>
#include <cstdlib>

#include "gui/font_atlas.h"

namespace VSTGUI {

namespace {

// Decodes the next character of UTF-8 text; invalid bytes read as Latin-1.
int nextCodePoint(const unsigned char*& p) {
    const unsigned char c = *p++;
    if (c < 0x80) return c;
    if ((c & 0xE0) == 0xC0 && (p[0] & 0xC0) == 0x80) {
        const int code = ((c & 0x1F) << 6) | (p[0] & 0x3F);
        ++p;
        return code;
    }
    if ((c & 0xF0) == 0xE0 && (p[0] & 0xC0) == 0x80 && (p[1] & 0xC0) == 0x80) {
        const int code = ((c & 0x0F) << 12) | ((p[0] & 0x3F) << 6) | (p[1] & 0x3F);
        p += 2;
        return code;
    }
    return c;
}

const font_atlas::Glyph* findGlyph(const font_atlas::Face& face, int code) {
    const font_atlas::Glyph* begin = face.glyphs;
    const font_atlas::Glyph* end = face.glyphs + face.glyphCount;
    const font_atlas::Glyph* it = std::lower_bound(
        begin, end, code, [](const font_atlas::Glyph& g, int c) { return g.code < c; });
    if (it != end && it->code == code) return it;
    if (code != '?') return findGlyph(face, '?');
    return nullptr;
}

// Mixes `color` over the pixel with coverage weight 0..255.
inline uint32_t blend(uint32_t dst, CColor color, unsigned coverage) {
    const unsigned a = coverage * color.alpha / 255;
    if (a == 0) return dst;
    const unsigned inv = 255 - a;
    const unsigned r = (color.red * a + ((dst >> 16) & 0xff) * inv + 127) / 255;
    const unsigned g = (color.green * a + ((dst >> 8) & 0xff) * inv + 127) / 255;
    const unsigned b = (color.blue * a + (dst & 0xff) * inv + 127) / 255;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

}  // namespace

int CFontFace::ascent() const { return face ? face->ascent : 0; }
int CFontFace::descent() const { return face ? face->descent : 0; }
int CFontFace::lineHeight() const { return face ? face->lineHeight : 0; }
int CFontFace::sizePx() const { return face ? face->sizePx : 0; }
bool CFontFace::bold() const { return face && face->bold; }

int getDefaultFontSize(CFont font) {
    switch (font) {
        case kNormalFontVeryBig: return 18;
        case kNormalFontBig: return 14;
        case kNormalFont: return 12;
        case kNormalFontSmall: return 11;
        case kNormalFontSmaller: return 10;
        case kNormalFontVerySmall: return 9;
        default: return 12;
    }
}

CFontFace selectFont(CFont font, int sizePx, long style) {
    const int wanted = sizePx > 0 ? sizePx : getDefaultFontSize(font);
    const bool bold = (style & kBoldFace) != 0;
    CFontFace result;
    result.underline = (style & kUnderlineFace) != 0;
    int bestScore = 1 << 30;
    for (int i = 0; i < font_atlas::kFaceCount; ++i) {
        const font_atlas::Face& f = font_atlas::kFaces[i];
        // Size matters most; a wrong weight costs as much as 3 pixels.
        const int score = std::abs(f.sizePx - wanted) * 2 + (f.bold != bold ? 6 : 0) +
                          (f.sizePx > wanted ? 1 : 0);
        if (score < bestScore) {
            bestScore = score;
            result.face = &f;
        }
    }
    return result;
}

int measureText(const CFontFace& font, const char* text) {
    if (!font.face || !text) return 0;
    int width = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        const font_atlas::Glyph* g = findGlyph(*font.face, nextCodePoint(p));
        if (g) width += g->advance;
    }
    return width;
}

void renderText(CPixelBuffer& target, const CRect& clip, const CFontFace& font, const char* text,
                CPoint origin, CColor color) {
    if (!font.face || !text) return;
    CRect c = clip;
    c.bound(target.bounds());
    if (c.isEmpty()) return;
    const font_atlas::Face& face = *font.face;
    int penX = origin.h;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        const font_atlas::Glyph* g = findGlyph(face, nextCodePoint(p));
        if (!g) continue;
        const int x0 = penX + g->left;
        const int y0 = origin.v - g->top;
        for (int y = 0; y < g->height; ++y) {
            const int py = y0 + y;
            if (py < c.top || py >= c.bottom) continue;
            const uint8_t* cov = face.coverage + g->offset + static_cast<size_t>(y) * g->width;
            uint32_t* row = target.row(py);
            for (int x = 0; x < g->width; ++x) {
                const int px = x0 + x;
                if (px < c.left || px >= c.right || cov[x] == 0) continue;
                row[px] = blend(row[px], color, cov[x]);
            }
        }
        penX += g->advance;
    }
    if (font.underline) {
        const int y = origin.v + 1;
        if (y >= c.top && y < c.bottom)
            for (int x = std::max(origin.h, c.left); x < std::min(penX, c.right); ++x)
                target.row(y)[x] = blend(target.row(y)[x], color, 255);
    }
}

}  // namespace VSTGUI
