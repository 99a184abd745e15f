// Operations of the function table that the editor's bridge reaches:
// gesture modifier state, wheel increment, clip indicator, display texts
// and display options.
#include "params/display_text.h"
#include "plugin/borvan.h"
#include "plugin/borvan_storage.h"

namespace solva {

namespace {
constexpr int kLeftButton = 1, kRightButton = 4, kShift = 8, kControl = 16, kAlt = 32;
}

void CBorvan::reportMouseState(int buttons, int) {
    modifierState_[kFineAdjust] = (buttons & (kRightButton | kShift)) ? 1 : 0;
    modifierState_[kButtonDown] = (buttons & (kLeftButton | kRightButton | kShift)) ? 1 : 0;
    modifierState_[kListen] = (buttons & kAlt) ? 1 : 0;
    if (modifierState_[kListen]) modifierState_[kListenSeen] = 1;
    modifierState_[kControl] = (buttons & kControl) ? 1 : 0;
}

float CBorvan::getWheelIncrement() {
    if (!settings_) return 0.01f;
    const int mode = int(settings_->options[kOptWheelIncrement]);
    return mode == 0 ? 0.01f : (mode == 1 ? 0.05f : 0.1f);
}

float CBorvan::readClipIndicator() {
    if (!engine_.clipFlag()) return 0.0f;
    if (!settings_ || settings_->options[kOptHoldClip] < 0.5f) engine_.clearClipFlag();
    return 1.0f;
}

void CBorvan::clearClipIndicator() { engine_.clearClipFlag(); }

bool CBorvan::isFrequencyAsNotes() { return settings_ && settings_->options[kOptFreqAsNotes] > 0.5f; }
bool CBorvan::isQAsOctaves() { return settings_ && settings_->options[kOptQAsOctaves] > 0.5f; }

const char* CBorvan::getDisplayText(int index) {
    if (!settings_) return emptyText();
    if (!formatDisplayText(*settings_, index, scratch_) && index >= 74 && index <= 81)
        BorvanStorage::displayText(*this, index, scratch_);
    return scratch_;
}

}  // namespace solva
