#include "editor/cchoix.h"

namespace solva {

using namespace VSTGUI;

CChoix::CChoix(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
               CBitmap* backgroundWhenClicked, long style)
    : COptionMenu(size, listener, tag, background, backgroundWhenClicked, style) {}

CMouseEventResult CChoix::onMouseDown(CPoint& where, const long& buttons) {
    if (mouseEnabled_ && (buttons & (kLButton | kRButton | kShift))) openedByMouse_ = true;
    return COptionMenu::onMouseDown(where, buttons);
}

void CChoix::looseFocus() {
    openedByMouse_ = false;
    COptionMenu::looseFocus();
}

void CChoix::updateValue(long, float value) {
    const long index = static_cast<long>(value);
    if (index >= 0 && index < getNbEntries()) {
        setCurrent(index);
        value_ = static_cast<float>(index);
        if (style_ & kCheckStyle) checkEntry(index, !isCheckEntry(index));
    }
    setDirty(true);
}

}  // namespace solva
