// Switch-like custom controls drawn from vertical strips of n images:
//  - CSwitch: on/off and type switches (n = 3: off 1/6, middle 1/2, on
//    5/6). A plain left press shows the middle image while held and
//    toggles on release; a Fine press (right button or Shift) shows the
//    opposite state only while held. With n = 2 a press steps the value.
//  - CLed: the clip indicator; each draw reads the live value from the
//    bridge; a click clears the indicator.
// Values are clamped to [0.5/n, 1 - 0.5/n]; image floor(value * n) is
// drawn (reversed when inverted). Image variants come from selectImage.
#pragma once

#include "editor/component_link.h"
#include "editor/reception.h"
#include "gui/cverticalswitch.h"

namespace solva {

// Main bitmap and up to four alternatives of a strip control.
class StripImages {
public:
    static constexpr int kMaxImages = 5;
    void setImage(int variant, VSTGUI::CBitmap* bitmap) {
        if (variant >= 0 && variant < kMaxImages) images_[variant] = bitmap;
    }
    VSTGUI::CBitmap* image(int variant) const {
        return variant >= 0 && variant < kMaxImages ? images_[variant] : nullptr;
    }

private:
    VSTGUI::CBitmap* images_[kMaxImages] = {};
};

class CSwitch : public VSTGUI::CVerticalSwitch,
                public CReceptionMiseAJourComposant,
                public ComponentLink,
                public StripImages {
public:
    CSwitch(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag, long images,
            VSTGUI::CCoord imageHeight, VSTGUI::CBitmap* strip);

    long getImageIndex() const override;
    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const long& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const long& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const long& buttons) override;

    void updateValue(long tag, float value) override;
    void selectImage(long tag, int variant) override;

    float offValue() const { return 0.5f / float(subPixmaps_); }
    float onValue() const { return 1.0f - 0.5f / float(subPixmaps_); }

protected:
    float clampToImages(float value) const;
    void report(long buttons);
    void setAndNotify(float value, bool always);

    bool tracking_ = false;
    bool finePress_ = false;
    float startValue_ = 0.0f;
};

class CLed : public CSwitch {
public:
    CLed(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag, long images,
         VSTGUI::CCoord imageHeight, VSTGUI::CBitmap* strip);

    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const long& buttons) override;
    void selectImage(long tag, int variant) override;
    void setShown(long, bool shown) override { applyShown(this, shown); }
};

}  // namespace solva
