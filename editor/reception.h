// CReceptionMiseAJourComposant: what every custom control implements so
// that the component set can push values, image choices and visibility
// coming from the effect. UI thread only.
#pragma once

namespace solva {

class CReceptionMiseAJourComposant {
public:
    virtual ~CReceptionMiseAJourComposant() = default;
    // Shows a new value (normalised 0..1, or an entry index for menus).
    virtual void updateValue(long tag, float value) = 0;
    // Switches to alternative bitmap number `variant` (0 = main bitmap).
    virtual void selectImage(long /*tag*/, int /*variant*/) {}
    // Attaches to (true) or detaches from (false) the parent container.
    virtual void setShown(long /*tag*/, bool /*shown*/) {}
    // Reserved: no control uses it.
    virtual void updateAux(long /*tag*/, float /*a*/, float /*b*/) {}
};

}  // namespace solva
