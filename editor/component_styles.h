// Style records of the control families the component set fills: bitmap
// and geometry of each control kind (see borvan_interface_gui.cpp for the
// product's styles). Bitmaps come from the shared cache and may be null
// when a resource is missing; such a control draws nothing.
#pragma once

#include "gui/ccolor.h"
#include "gui/cgeometry.h"

namespace VSTGUI {
class CBitmap;
}

namespace solva {

struct KnobStyle {
    VSTGUI::CBitmap* bitmap = nullptr;
    VSTGUI::CCoord width = 0;
    VSTGUI::CCoord frameHeight = 0;
    long frames = 0;
    bool transparency = true;
    bool reserved = false;
    float startAngleRad = 0.5233f;
    float endAngleRad = 5.7567f;
    VSTGUI::CCoord halfWidth = 0;        // knob centre
    VSTGUI::CCoord halfFrameHeight = 0;  // knob centre and handle inset
    float mouseSensitivity = 20.0f;      // zoom factor of Fine drags
    bool flags[3] = {true, false, false};
    float defaultValue = 0.5f;
};

struct SwitchStyle {
    VSTGUI::CBitmap* bitmap = nullptr;
    VSTGUI::CBitmap* alternatives[4] = {};
    VSTGUI::CCoord width = 0;
    VSTGUI::CCoord frameHeight = 0;  // bitmap height / 3
    long frames = 3;
    bool inverted = false;
};

struct SlideSwitchStyle {
    VSTGUI::CBitmap* bitmap = nullptr;
    VSTGUI::CBitmap* alternative = nullptr;
    VSTGUI::CCoord width = 0;
    VSTGUI::CCoord frameHeight = 0;
    long frames = 0;
    VSTGUI::CCoord halfWidth = 0;
    VSTGUI::CCoord halfFrameHeight = 0;
    bool horizontal = true;
};

struct LedStyle {
    VSTGUI::CBitmap* bitmap = nullptr;
    long frames = 2;
};

struct KickStyle {
    VSTGUI::CBitmap* bitmap = nullptr;
    VSTGUI::CBitmap* alternatives[3] = {};
    VSTGUI::CCoord width = 0;
    VSTGUI::CCoord frameHeight = 0;  // bitmap height / 3
    long frames = 3;
    bool inverted = false;
};

struct TextFontStyle {
    int fontNumber = 3;  // the toolkit's normal font
    VSTGUI::CCoord fontSize = 10;
    long textStyle = 0;
    VSTGUI::CColor fontColor = VSTGUI::kBlackCColor;
    VSTGUI::CColor backColor = VSTGUI::kWhiteCColor;
};

struct ChoiceStyle {
    TextFontStyle font;
    VSTGUI::CBitmap* bitmap = nullptr;    // the button
    VSTGUI::CBitmap* pressed = nullptr;   // while the menu is open
    VSTGUI::CBitmap* disabled = nullptr;
    VSTGUI::CCoord width = 0;
    VSTGUI::CCoord height = 0;
};

struct TextStyle {
    VSTGUI::CBitmap* bitmap = nullptr;
    VSTGUI::CCoord width = 0;
    VSTGUI::CCoord height = 0;
    TextFontStyle font;
};

}  // namespace solva
