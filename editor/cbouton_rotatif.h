// CBoutonRotatif: the rotary knob. A left drag of 200 pixels covers the
// whole range (right and up increase, both axes count); Fine (right button
// or Shift) needs zoom factor times more; a change of Fine during the drag
// never makes the value jump. Control+left resets to the init value,
// Control+Fine stores the value as the init value. The wheel moves by the
// bridge's increment (divided by the zoom factor with Shift). Every gesture
// reports its buttons to the bridge and is framed by begin/end edit.
#pragma once

#include "editor/component_link.h"
#include "editor/reception.h"
#include "gui/canimknob.h"

namespace solva {

class CBoutonRotatif : public VSTGUI::CAnimKnob, public CReceptionMiseAJourComposant, public ComponentLink {
public:
    static constexpr float kDragRangePx = 200.0f;

    CBoutonRotatif(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag, long frames,
                   VSTGUI::CCoord frameHeight, VSTGUI::CBitmap* strip);

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const long& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const long& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const long& buttons) override;
    bool onWheel(VSTGUI::CDrawContext* context, const VSTGUI::CPoint& where, float distance) override;

    void updateValue(long tag, float value) override;
    void setShown(long, bool shown) override { applyShown(this, shown); }

    float lastWheelIncrement() const { return lastWheelIncrement_; }

private:
    float coefficientFor(long buttons) const;
    void report(long buttons);
    void setAndNotify(float value);

    bool tracking_ = false;
    bool controlAtPress_ = false;
    long lastButtons_ = 0;
    float coefficient_ = 0.0f;
    float lastWheelIncrement_ = 0.0f;
};

}  // namespace solva
