// What the toolkit asks of the editor that owns a frame: edit gestures for
// the host's automation recording and idle work during long operations.
// The editor's AEffGUIEditor implements it and passes itself to CFrame.
#pragma once

namespace VSTGUI {

class VSTGUIEditorInterface {
public:
    virtual ~VSTGUIEditorInterface() = default;
    // A control starts / ends a user gesture on parameter `index` (its tag).
    virtual void beginEdit(long index) { (void)index; }
    virtual void endEdit(long index) { (void)index; }
    // Lets the window process pending redraws.
    virtual void doIdleStuff() {}
    // Milliseconds since an arbitrary start (for double clicks).
    virtual unsigned long getTicks();
};

}  // namespace VSTGUI
