#include "editor/borvan_interface_gui.h"

#include "editor/bitmap_cache.h"
#include "gui/cbitmap.h"

namespace solva {

using namespace VSTGUI;

namespace {

CCoord widthOf(CBitmap* b) { return b ? b->getWidth() : 0; }
CCoord heightOf(CBitmap* b) { return b ? b->getHeight() : 0; }

// Knob style k uses bitmap k + 1; frequency and gain strips hold 65
// frames, the Q strips (styles 7..13) 51.
constexpr int kFirstQStyle = 7;
constexpr int kLastQStyle = 13;
constexpr int kKnobStyleCount = 21;

struct SwitchBitmaps {
    int main;
    int alternatives[3];
};

constexpr SwitchBitmaps kSwitchBitmaps[] = {
    {3000, {}}, {3001, {}}, {3002, {}}, {3003, {}}, {3004, {}}, {3005, {}}, {3006, {}}, {3007, {}},
    {3008, {}}, {3009, {}},                      // high-pass and low-pass slopes
    {3010, {}}, {3011, {}},                      // band 1 and band 5 shelves
    {3012, {}},                                  // general on
    {1013, {}}, {1023, {}}, {1007, {}},          // A, B, help
    {1028, {1040, 1043, 1049}},                  // left / mid channel
    {1029, {1041, 1044, 1050}},                  // right / side channel
    {1032, {1042, 1047, 1051}},                  // link
    {1033, {1048}},                              // auto gain
};

struct KickBitmaps {
    int main;
    int alternatives[3];
};

constexpr KickBitmaps kKickBitmaps[] = {
    {1014, {1015}},               // copy between A and B
    {1016, {1017}},               // save / new
    {2007, {}},                   // close cross
    {2011, {}},                   // confirm
    {2010, {}},                   // cancel
    {1030, {1031, 1045, 1046}},   // copy between channels
};

CBitmap* bitmapOrNull(int id) { return id ? BitmapCache::get(id) : nullptr; }

TextFontStyle fontStyle(CColor fontColor, CColor backColor) {
    TextFontStyle f;
    f.fontSize = CBorvanInterfaceGUI::kTextFontSize;
    f.fontColor = fontColor;
    f.backColor = backColor;
    return f;
}

const CColor kLightText(228, 232, 236);

}  // namespace

void CBorvanInterfaceGUI::fillKnobStyles(std::vector<KnobStyle>& styles) {
    for (int k = 0; k < kKnobStyleCount; ++k) {
        KnobStyle s;
        s.bitmap = BitmapCache::get(k + 1);
        s.frames = (k >= kFirstQStyle && k <= kLastQStyle) ? 51 : 65;
        s.width = widthOf(s.bitmap);
        s.frameHeight = heightOf(s.bitmap) / s.frames;
        s.halfWidth = s.width / 2;
        s.halfFrameHeight = s.frameHeight / 2;
        styles.push_back(s);
    }
}

void CBorvanInterfaceGUI::fillSwitchStyles(std::vector<SwitchStyle>& styles) {
    for (const SwitchBitmaps& b : kSwitchBitmaps) {
        SwitchStyle s;
        s.bitmap = BitmapCache::get(b.main);
        for (int i = 0; i < 3; ++i) s.alternatives[i] = bitmapOrNull(b.alternatives[i]);
        s.width = widthOf(s.bitmap);
        s.frameHeight = heightOf(s.bitmap) / s.frames;
        styles.push_back(s);
    }
}

void CBorvanInterfaceGUI::fillSlideSwitchStyles(std::vector<SlideSwitchStyle>& styles) {
    const struct {
        int main, alternative;
        long frames;
    } slides[] = {{1039, 1038, 3}, {1034, 1035, 2}, {1036, 1037, 2}};
    for (const auto& b : slides) {
        SlideSwitchStyle s;
        s.bitmap = BitmapCache::get(b.main);
        s.alternative = BitmapCache::get(b.alternative);
        s.frames = b.frames;
        s.width = widthOf(s.bitmap);
        s.frameHeight = heightOf(s.bitmap) / s.frames;
        s.halfWidth = s.width / 2;
        s.halfFrameHeight = s.frameHeight / 2;
        s.horizontal = s.width >= s.frameHeight;
        styles.push_back(s);
    }
}

void CBorvanInterfaceGUI::fillLedStyles(std::vector<LedStyle>& styles) {
    LedStyle s;
    s.bitmap = BitmapCache::get(22);
    s.frames = 2;
    styles.push_back(s);
}

void CBorvanInterfaceGUI::fillKickStyles(std::vector<KickStyle>& styles) {
    for (const KickBitmaps& b : kKickBitmaps) {
        KickStyle s;
        s.bitmap = BitmapCache::get(b.main);
        for (int i = 0; i < 3; ++i) s.alternatives[i] = bitmapOrNull(b.alternatives[i]);
        s.width = widthOf(s.bitmap);
        s.frameHeight = heightOf(s.bitmap) / s.frames;
        styles.push_back(s);
    }
}

void CBorvanInterfaceGUI::fillChoiceStyles(std::vector<ChoiceStyle>& styles) {
    // Style 0 is unused; 3 (sub-menus) has no button.
    const struct {
        int main, pressed, disabled;
    } buttons[] = {{0, 0, 0}, {1010, 1009, 1024}, {1012, 1011, 1022}, {0, 0, 0}, {1018, 1019, 1021}};
    for (const auto& b : buttons) {
        ChoiceStyle s;
        s.font = fontStyle(kLightText, kBlackCColor);
        s.bitmap = bitmapOrNull(b.main);
        s.pressed = bitmapOrNull(b.pressed);
        s.disabled = bitmapOrNull(b.disabled);
        s.width = widthOf(s.bitmap);
        s.height = heightOf(s.bitmap);
        styles.push_back(s);
    }
}

void CBorvanInterfaceGUI::fillTextStyles(std::vector<TextStyle>& styles) {
    const int backgrounds[] = {1026, 1025, 1005, 1008, 1020};
    for (int id : backgrounds) {
        TextStyle s;
        s.bitmap = BitmapCache::get(id);
        s.width = widthOf(s.bitmap);
        s.height = heightOf(s.bitmap);
        s.font = fontStyle(kLightText, kBlackCColor);
        styles.push_back(s);
    }
}

}  // namespace solva
