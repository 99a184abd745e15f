// Shared drawing pieces of the skin: button bodies, LEDs, wells, panels.
#pragma once

#include <string>

#include "image.h"
#include "text.h"

namespace skingen {

// Switch and kick frame meaning: frame 0 released/off, frame 1 pressed
// (the middle value of a held switch), frame 2 on.
enum class ButtonState { Off, Pressed, On };

ButtonState stateOfFrame(int frame);

// Raised (Off, On) or sunken (Pressed) rounded button body in the box.
void drawButtonBody(Image& img, float x0, float y0, float x1, float y1, ButtonState state,
                    float radius = 3.0f);
// Round indicator lamp; level 0 dark, 1 lit with a soft glow.
void drawLamp(Image& img, float cx, float cy, float radius, const Rgba& colour, float level);
// Inset field well (text fields, value cells).
void drawWell(Image& img, float x0, float y0, float x1, float y1, float radius = 2.0f);
// Opaque overlay panel with a title bar of titleHeight (0 for none).
void drawOverlayPanel(Image& img, const std::string& title, float titleHeight);
// Face of a dialog choice button with a caption of one or two lines ("\n").
void drawDialogButtonFace(Image& img, float x, float y, float w, float h,
                          const std::string& caption);

// Label text styles.
TextStyle legendStyle(float sizePx, const Rgba& colour);
TextStyle bodyStyle(float sizePx, const Rgba& colour);

// Splits on '\n' and draws the lines centred in the box.
void drawLinesInBox(Image& img, float x0, float y0, float x1, float y1, const std::string& text,
                    const TextStyle& style, float lineGapPx);

}  // namespace skingen
