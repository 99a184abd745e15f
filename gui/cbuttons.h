// Mouse-button and modifier bits as getMouseButtons reports them, and the
// answers of the event-driven mouse handlers.
#pragma once

namespace VSTGUI {

enum CButton : long {
    kLButton = 1,
    kMButton = 2,
    kRButton = 4,
    kShift = 8,
    kControl = 16,
    kAlt = 32,
    kApple = 64,  // never reported on these platforms
};

constexpr long kAnyMouseButton = kLButton | kMButton | kRButton;
constexpr long kModifierBits = kShift | kControl | kAlt;

enum CMouseEventResult {
    kMouseEventNotHandled = 0,
    // The view takes the gesture: moved and up events follow to it.
    kMouseEventHandled,
    // The view acted on the press and wants nothing more of this gesture.
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
    kMouseEventNotImplemented,
};

}  // namespace VSTGUI
