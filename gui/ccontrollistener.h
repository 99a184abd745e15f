// Receives value changes of controls (the editor implements it).
#pragma once

namespace VSTGUI {

class CControl;
class CDrawContext;

class CControlListener {
public:
    virtual ~CControlListener() = default;
    // The control's value (or text) changed through the user.
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    // Optional: a modifier click the control did not use; non-zero = used.
    virtual long controlModifierClicked(CDrawContext*, CControl*, long /*buttons*/) { return 0; }
};

}  // namespace VSTGUI
