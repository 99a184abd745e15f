// Text drawing with FreeType for the skin generator.
//
// Fonts are DejaVu faces from the font directory given on the command line
// (Debian: fonts-dejavu-core and fonts-dejavu-extra). Glyphs are rendered
// with light hinting so small legends stay crisp and output is repeatable.
#pragma once

#include <string>

#include "image.h"

namespace skingen {

enum class FontFace { Regular, Bold, Condensed, CondensedBold, Mono };
enum class Align { Left, Centre, Right };

struct TextStyle {
    FontFace face = FontFace::CondensedBold;
    float sizePx = 9.0f;        // em size in pixels
    Rgba colour;
    float trackingPx = 0.0f;    // extra space after every character
};

// Loads the faces once; throws std::runtime_error when a face is missing.
void initFonts(const std::string& fontDir);
void shutdownFonts();

// Advance width of the text in pixels.
float textWidth(const std::string& utf8, const TextStyle& style);
// Draws the text with its baseline at y; x is the left edge, centre or
// right edge according to align.
void drawText(Image& img, float x, float baselineY, const std::string& utf8,
              const TextStyle& style, Align align = Align::Left);
// Draws the text vertically centred in the box (cap height centred).
void drawTextInBox(Image& img, float x0, float y0, float x1, float y1,
                   const std::string& utf8, const TextStyle& style,
                   Align align = Align::Centre);

}  // namespace skingen
