#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace skingen {
namespace {

FT_Library gLibrary = nullptr;
std::array<FT_Face, 5> gFaces{};

const char* faceFile(FontFace face) {
    switch (face) {
        case FontFace::Regular: return "DejaVuSans.ttf";
        case FontFace::Bold: return "DejaVuSans-Bold.ttf";
        case FontFace::Condensed: return "DejaVuSansCondensed.ttf";
        case FontFace::CondensedBold: return "DejaVuSansCondensed-Bold.ttf";
        case FontFace::Mono: return "DejaVuSansMono.ttf";
    }
    return "DejaVuSans.ttf";
}

FT_Face faceFor(const TextStyle& style) {
    FT_Face face = gFaces[static_cast<std::size_t>(style.face)];
    if (!face) throw std::runtime_error("fonts not initialised");
    // 26.6 fixed point size so fractional pixel sizes are honoured.
    const FT_F26Dot6 size = static_cast<FT_F26Dot6>(std::lround(style.sizePx * 64.0f));
    FT_Set_Char_Size(face, 0, size, 72, 72);
    return face;
}

std::vector<std::uint32_t> decodeUtf8(const std::string& s) {
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::uint32_t cp = c;
        int extra = 0;
        if (c >= 0xF0) { cp = c & 0x07u; extra = 3; }
        else if (c >= 0xE0) { cp = c & 0x0Fu; extra = 2; }
        else if (c >= 0xC0) { cp = c & 0x1Fu; extra = 1; }
        ++i;
        for (int k = 0; k < extra && i < s.size(); ++k, ++i) {
            cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3Fu);
        }
        out.push_back(cp);
    }
    return out;
}

constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT;

}  // namespace

void initFonts(const std::string& fontDir) {
    if (gLibrary) return;
    if (FT_Init_FreeType(&gLibrary) != 0) throw std::runtime_error("FreeType init failed");
    for (std::size_t i = 0; i < gFaces.size(); ++i) {
        const std::string path = fontDir + "/" + faceFile(static_cast<FontFace>(i));
        if (FT_New_Face(gLibrary, path.c_str(), 0, &gFaces[i]) != 0) {
            throw std::runtime_error("cannot load font " + path);
        }
    }
}

void shutdownFonts() {
    for (FT_Face& f : gFaces) {
        if (f) FT_Done_Face(f);
        f = nullptr;
    }
    if (gLibrary) FT_Done_FreeType(gLibrary);
    gLibrary = nullptr;
}

float textWidth(const std::string& utf8, const TextStyle& style) {
    FT_Face face = faceFor(style);
    float width = 0.0f;
    const std::vector<std::uint32_t> cps = decodeUtf8(utf8);
    for (std::size_t i = 0; i < cps.size(); ++i) {
        if (FT_Load_Char(face, cps[i], kLoadFlags) != 0) continue;
        width += static_cast<float>(face->glyph->advance.x) / 64.0f;
        if (i + 1 < cps.size()) width += style.trackingPx;
    }
    return width;
}

void drawText(Image& img, float x, float baselineY, const std::string& utf8,
              const TextStyle& style, Align align) {
    const float w = textWidth(utf8, style);
    if (align == Align::Centre) x -= w * 0.5f;
    if (align == Align::Right) x -= w;
    FT_Face face = faceFor(style);
    // Whole-pixel pen start keeps stems on the pixel grid.
    float pen = std::round(x);
    const int base = static_cast<int>(std::round(baselineY));
    for (std::uint32_t cp : decodeUtf8(utf8)) {
        if (FT_Load_Char(face, cp, kLoadFlags | FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        const int gx = static_cast<int>(std::round(pen)) + g->bitmap_left;
        const int gy = base - g->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row) {
            for (unsigned col = 0; col < bm.width; ++col) {
                const unsigned char v = bm.buffer[row * static_cast<unsigned>(bm.pitch) + col];
                if (v) {
                    img.blend(gx + static_cast<int>(col), gy + static_cast<int>(row),
                              style.colour, static_cast<float>(v) / 255.0f);
                }
            }
        }
        pen += static_cast<float>(g->advance.x) / 64.0f + style.trackingPx;
    }
}

void drawTextInBox(Image& img, float x0, float y0, float x1, float y1,
                   const std::string& utf8, const TextStyle& style, Align align) {
    // DejaVu cap height is about 0.73 em.
    const float capPx = style.sizePx * 0.73f;
    const float baseline = (y0 + y1) * 0.5f + capPx * 0.5f;
    float x = x0;
    if (align == Align::Centre) x = (x0 + x1) * 0.5f;
    if (align == Align::Right) x = x1;
    drawText(img, x, baseline, utf8, style, align);
}

}  // namespace skingen
