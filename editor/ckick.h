// CKick: a momentary button with the values 0.25 (released) and 0.75
// (pressed). A press with left, right or Shift begins an edit gesture and
// holds 0.75 while any of these is held, wherever the pointer goes; the
// release sets 0.25, notifies and ends the gesture, so listeners act on
// the release (value below 0.5). Image floor(2 * value) of the strip is
// drawn; image variants 0..3 come from selectImage.
#pragma once

#include "editor/component_link.h"
#include "editor/cswitch.h"
#include "editor/reception.h"
#include "gui/ckickbutton.h"

namespace solva {

class CKick : public VSTGUI::CKickButton,
              public CReceptionMiseAJourComposant,
              public ComponentLink,
              public StripImages {
public:
    static constexpr float kReleased = 0.25f;
    static constexpr float kPressed = 0.75f;

    CKick(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag, VSTGUI::CCoord imageHeight,
          VSTGUI::CBitmap* strip);

    long getImageIndex() const override;
    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const long& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const long& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const long& buttons) override;

    void updateValue(long tag, float value) override;
    void selectImage(long tag, int variant) override;
    void setInverseBitmap(bool inverse) { inverse_ = inverse; }

private:
    bool tracking_ = false;
    bool inverse_ = false;
};

}  // namespace solva
