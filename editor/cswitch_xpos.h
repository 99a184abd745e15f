// CSwitchXPos: a slide switch of n positions stepped by dragging along its
// axis (horizontal when its images are wider than tall). Moving more than
// 5 pixels left (or up) from the reference point moves one position up,
// more than 5 pixels right (or down) one position down; the reference then
// follows the pointer. A click without movement steps to the next
// position, wrapping; a Fine click on a 2-position switch shows the other
// position only while held. Values are clamped to [1/2n, 1 - 1/2n].
#pragma once

#include "editor/cswitch.h"

namespace solva {

class CSwitchXPos : public CSwitch {
public:
    static constexpr int kStepThresholdPx = 5;

    CSwitchXPos(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag, long positions,
                VSTGUI::CCoord imageHeight, VSTGUI::CBitmap* strip, bool horizontal);

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const long& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const long& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const long& buttons) override;

    void selectImage(long tag, int variant) override;
    void setShown(long, bool shown) override { applyShown(this, shown); }

    bool isHorizontal() const { return horizontal_; }

private:
    void step(int direction);

    bool horizontal_;
    bool moved_ = false;
    VSTGUI::CPoint reference_;
};

}  // namespace solva
