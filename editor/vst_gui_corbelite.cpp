#include "editor/vst_gui_corbelite.h"

#include "gui/cframe.h"

namespace solva {

void VstGuiCorbelite::corbeliteDraw(VSTGUI::CFrame* frame, const short* rect) {
    if (!frame) return;
    if (!rect) {
        frame->redraw();
        return;
    }
    frame->invalidRect(VSTGUI::CRect(rect[1], rect[0], rect[3], rect[2]));
    frame->updateDirtyViews();
}

int VstGuiCorbelite::corbeliteMouse(VSTGUI::CFrame* frame, int x, int y) {
    if (!frame) return 0;
    VSTGUI::CPoint where(x, y);
    frame->mouse(nullptr, where, VSTGUI::kLButton);
    return 1;
}

}  // namespace solva
