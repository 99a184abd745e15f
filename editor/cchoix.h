// CChoix: the pop-up menu button (bank, preset and options menus and their
// sub-menus). A press with left, right or Shift opens the menu; choosing an
// entry sets the value to the entry index and notifies the listener.
#pragma once

#include "editor/component_link.h"
#include "editor/reception.h"
#include "gui/coptionmenu.h"

namespace solva {

class CChoix : public VSTGUI::COptionMenu, public CReceptionMiseAJourComposant, public ComponentLink {
public:
    CChoix(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag, VSTGUI::CBitmap* background,
           VSTGUI::CBitmap* backgroundWhenClicked, long style);

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const long& buttons) override;
    void looseFocus() override;

    // The value is an entry index: made current when valid, and on check
    // style menus that entry's check mark is toggled.
    void updateValue(long tag, float value) override;

    bool isOpenedByMouse() const { return openedByMouse_; }

private:
    bool openedByMouse_ = false;
};

}  // namespace solva
