// What every custom control keeps beside its toolkit base: its tag (the
// toolkit's), the bridge to the effect, the container it was created in
// and whether it is attached there now.
#pragma once

namespace VSTGUI {
class CView;
class CViewContainer;
}  // namespace VSTGUI

namespace solva {

class CBorvanInterface;

class ComponentLink {
public:
    void bind(CBorvanInterface* bridge, VSTGUI::CViewContainer* parent) {
        bridge_ = bridge;
        parent_ = parent;
    }
    CBorvanInterface* bridge() const { return bridge_; }
    VSTGUI::CViewContainer* parentContainer() const { return parent_; }
    bool isShown() const { return shown_; }
    // Adds `self` to or removes it from its container (removal keeps the
    // object alive); repeated requests do nothing.
    void applyShown(VSTGUI::CView* self, bool shown);

private:
    CBorvanInterface* bridge_ = nullptr;
    VSTGUI::CViewContainer* parent_ = nullptr;
    bool shown_ = true;
};

}  // namespace solva
