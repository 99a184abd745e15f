#include "editor/component_link.h"

#include "gui/cviewcontainer.h"

namespace solva {

void ComponentLink::applyShown(VSTGUI::CView* self, bool shown) {
    if (shown == shown_ || !parent_) return;
    if (shown)
        parent_->addView(self);
    else
        parent_->removeView(self, false);
    shown_ = shown;
}

}  // namespace solva
