// CBorvanInterfaceGUI: the equaliser's component set. It fills the seven
// control families with the skin's bitmaps: 21 knob styles, 20 switch
// styles, 3 slide-switch styles, 1 LED style, 6 kick styles, 5 choice
// styles and 5 text styles.
#pragma once

#include "editor/interface_composant.h"

namespace solva {

class CBorvanInterfaceGUI : public CInterfaceComposantGraphique {
public:
    explicit CBorvanInterfaceGUI(VSTGUI::CFrame* frame) : CInterfaceComposantGraphique(frame) {}

    // Text fields and menu buttons use this font size (pixels).
    static constexpr int kTextFontSize = 10;

protected:
    void fillKnobStyles(std::vector<KnobStyle>& styles) override;
    void fillSwitchStyles(std::vector<SwitchStyle>& styles) override;
    void fillSlideSwitchStyles(std::vector<SlideSwitchStyle>& styles) override;
    void fillLedStyles(std::vector<LedStyle>& styles) override;
    void fillKickStyles(std::vector<KickStyle>& styles) override;
    void fillChoiceStyles(std::vector<ChoiceStyle>& styles) override;
    void fillTextStyles(std::vector<TextStyle>& styles) override;
};

}  // namespace solva
