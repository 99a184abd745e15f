// Dialogs (2001..2005, 2012, 2013), the preset information panel (2000),
// the about panel (2006) and the keyboard-shortcut help panel (2008).
// Dialog texts are part of the bitmaps. Confirm buttons (kick 2011) are
// frames with a transparent face, so each dialog paints the face and the
// caption of its confirm buttons at their positions; the cancel kick (2010)
// brings its own face.
#include <string>
#include <vector>

#include "painters.h"
#include "palette.h"
#include "shapes.h"
#include "widgets.h"

namespace skingen {
namespace {

using namespace palette;

constexpr float kTitleHeight = 22.0f;
constexpr float kButtonW = 73.0f;
constexpr float kButtonH = 24.0f;

struct DialogButton {
    float x, y;
    const char* caption;
};

struct DialogText {
    const char* title;
    std::vector<const char*> lines;
    std::vector<DialogButton> buttons;
};

DialogText dialogText(int id) {
    switch (id) {
        case 2001:
            return {"Create New", {"Start from the current settings", "or from the init settings?"},
                    {{39, 62, "Current\nSettings"}, {162, 63, "Init\nSettings"}}};
        case 2002:
            return {"New Bank Name", {"What should the new bank name be used for?"},
                    {{25, 68, "Current Preset\nto New Bank"}, {124, 68, "Rename\nBank"},
                     {222, 68, "Duplicate\nBank"}}};
        case 2003:
            return {"Bank Name Exists", {"A bank with this name already exists."},
                    {{41, 65, "Move Current\nPreset"}, {165, 65, "Merge the\nTwo Banks"}}};
        case 2004:
            return {"New Preset Name", {"What should the new preset name be used for?"},
                    {{39, 62, "Rename\nPreset"}, {162, 62, "Duplicate\nPreset"}}};
        case 2005:
            return {"Delete", {"Delete it? This cannot be undone."}, {{38, 49, "Delete"}}};
        case 2012:
            return {"Discard L/R Settings",
                    {"Both sides will take the settings of one side.",
                     "Which settings do you want to keep?"},
                    {{25, 94, "Keep Left"}, {124, 94, "Keep Right"}}};
        default:
            return {"Discard M/S Settings",
                    {"Both sides will take the settings of one side.",
                     "Which settings do you want to keep?"},
                    {{25, 94, "Keep Mid"}, {124, 94, "Keep Side"}}};
    }
}

void drawBodyLines(Image& img, const std::vector<const char*>& lines, float top, float lineH) {
    const float w = static_cast<float>(img.width());
    float y = top;
    for (const char* line : lines) {
        drawTextInBox(img, 10, y, w - 10, y + lineH, line, bodyStyle(10.0f, kLegend));
        y += lineH;
    }
}

struct HelpRow {
    const char* gesture;
    const char* action;
};

void drawHelpColumn(Image& img, float x, float width, const char* heading,
                    const std::vector<HelpRow>& rows) {
    float y = kTitleHeight + 10.0f;
    TextStyle head = legendStyle(8.5f, kUi);
    head.trackingPx = 1.0f;
    drawText(img, x, y + 9, heading, head);
    y += 17.0f;
    for (const HelpRow& r : rows) {
        img.fillShape(x, y - 1, x + width, y + 1, roundRect(x, y - 0.5f, x + width, y + 0.5f, 0.0f),
                      hex(0x34383e));
        drawText(img, x + 2, y + 14, r.gesture, bodyStyle(9.5f, kLegend));
        drawText(img, x + 118, y + 14, r.action, bodyStyle(9.5f, kLegendDim));
        y += 21.0f;
    }
}

}  // namespace

Image paintDialog(const BitmapEntry& e) {
    Image img(e.width, e.height);
    const DialogText t = dialogText(e.id);
    drawOverlayPanel(img, t.title, kTitleHeight);
    const float firstButtonY = t.buttons.front().y;
    const float lineH = 13.0f;
    const float space = firstButtonY - kTitleHeight;
    const float top = kTitleHeight + (space - lineH * static_cast<float>(t.lines.size())) * 0.5f;
    drawBodyLines(img, t.lines, top, lineH);
    for (const DialogButton& b : t.buttons) {
        drawDialogButtonFace(img, b.x, b.y, kButtonW, kButtonH, b.caption);
    }
    return img;
}

Image paintInfoPanel(const BitmapEntry& e) {
    Image img(e.width, e.height);
    drawOverlayPanel(img, "Preset Information", 40.0f);
    const char* labels[6] = {"Preset", "Bank", "Author", "Project", "Created", "Modified"};
    const float rows[6] = {53, 84, 114, 145, 175, 206};
    for (int i = 0; i < 6; ++i) {
        drawTextInBox(img, 20, rows[i], 125, rows[i] + 14, labels[i], bodyStyle(10.0f, kLegendDim),
                      Align::Right);
        drawWell(img, 134, rows[i] - 1, 292, rows[i] + 15);
    }
    return img;
}

Image paintAboutPanel(const BitmapEntry& e) {
    Image img(e.width, e.height);
    drawOverlayPanel(img, "", 0.0f);
    const float cx = static_cast<float>(e.width) * 0.5f;
    TextStyle logo;
    logo.face = FontFace::Bold;
    logo.sizePx = 38.0f;
    logo.colour = kLegend;
    logo.trackingPx = 0.8f;
    drawText(img, cx, 66, "Solva", logo, Align::Centre);
    img.fillShape(cx - 60, 74, cx + 60, 77, roundRect(cx - 58, 75, cx + 58, 76.5f, 0.7f), kBell);
    drawText(img, cx, 96, "Stereo 8-Band Parametric Equaliser", legendStyle(10.5f, kLegend),
             Align::Centre);
    drawText(img, cx, 111, "VST 2.4 Effect", bodyStyle(9.5f, kLegendDim), Align::Centre);
    const TextStyle body = bodyStyle(9.0f, kLegendDim);
    drawText(img, cx, 136, "High-pass \xC2\xB7 five bell or shelf bands \xC2\xB7 Low-pass \xC2\xB7 Air",
             body, Align::Centre);
    drawText(img, cx, 150, "Band shapes that follow the analog curves to the top of the spectrum",
             body, Align::Centre);
    drawText(img, cx, 164, "L/R and M/S editing \xC2\xB7 A/B compare \xC2\xB7 shared preset library",
             body, Align::Centre);
    drawText(img, cx, 188, "Marwen", legendStyle(9.5f, kLegend), Align::Centre);
    drawText(img, 72, 229, "Version", bodyStyle(9.5f, kLegendDim), Align::Right);
    return img;
}

Image paintHelpPanel(const BitmapEntry& e) {
    Image img(e.width, e.height);
    drawOverlayPanel(img, "Mouse and Keyboard", kTitleHeight);
    drawHelpColumn(img, 14, 276, "KNOBS",
                   {{"Drag up or right", "Coarse adjust (snaps when on)"},
                    {"Shift-drag, right-drag", "Fine adjust, 20 times finer"},
                    {"Mouse wheel", "Step by the wheel increment"},
                    {"Shift + wheel", "Fine step"},
                    {"Ctrl + click", "Recall the init value"},
                    {"Ctrl + right-click", "Store as the init value"},
                    {"Alt + drag freq or Q", "Listen: band boosted to +15 dB"},
                    {"Click a value", "Type a value (Hz, Q, dB)"}});
    drawHelpColumn(img, 302, 276, "SWITCHES, NAMES AND MENUS",
                   {{"Click a band switch", "Turn the band on or off"},
                    {"Right-click, Shift-click", "Toggle only while held"},
                    {"Click a band name", "Rename the band"},
                    {"Click CLIP", "Reset the clip indicator"},
                    {"A  /  B", "Compare two settings"},
                    {"A \xE2\x96\xB8 B", "Copy the shown slot to the other"},
                    {"Bank, Preset, Options", "Library and settings menus"},
                    {"?", "Show or hide this help"}});
    return img;
}

}  // namespace skingen
