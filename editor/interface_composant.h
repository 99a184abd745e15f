// CInterfaceComposantGraphique: the component set. It keeps the style
// lists of the control families (filled lazily by the product subclass),
// creates controls at their positions with their style's bitmap and
// geometry, and routes updates from the effect to every control registered
// under a tag (several controls may share one), in registration order.
//
// Ownership: created controls belong to their parent container (the frame
// unless another is given); the set keeps one more reference to each until
// it is destroyed, so controls stay valid for it while their containers go
// first. Controls detached when the set is destroyed go with it. UI thread
// only.
#pragma once

#include <map>
#include <vector>

#include "editor/component_styles.h"
#include "gui/cgeometry.h"

namespace VSTGUI {
class CControlListener;
class CFrame;
class CView;
class CViewContainer;
}  // namespace VSTGUI

namespace solva {

class CAfficheTexte;
class CBorvanInterface;
class CBoutonRotatif;
class CChoix;
class CEditTexte;
class CKick;
class CLed;
class CReceptionMiseAJourComposant;
class CSwitch;
class CSwitchXPos;
class ComponentLink;

class CInterfaceComposantGraphique {
public:
    explicit CInterfaceComposantGraphique(VSTGUI::CFrame* frame);
    virtual ~CInterfaceComposantGraphique();
    CInterfaceComposantGraphique(const CInterfaceComposantGraphique&) = delete;
    CInterfaceComposantGraphique& operator=(const CInterfaceComposantGraphique&) = delete;

    void setBridge(CBorvanInterface* bridge) { bridge_ = bridge; }
    CBorvanInterface* getBridge() const { return bridge_; }
    VSTGUI::CFrame* getFrame() const { return frame_; }

    // Style access; a number beyond the filled list is a programming error.
    const KnobStyle& knobStyle(int n);
    const SwitchStyle& switchStyle(int n);
    const SlideSwitchStyle& slideSwitchStyle(int n);
    const LedStyle& ledStyle(int n);
    const KickStyle& kickStyle(int n);
    const ChoiceStyle& choiceStyle(int n);
    const TextStyle& textStyle(int n);

    // Creation: builds the control at `where` (parent coordinates), turns
    // bitmap transparency on, attaches it to `parent` (the frame when
    // null), registers it under `tag` and returns it.
    using Listener = VSTGUI::CControlListener;
    using Container = VSTGUI::CViewContainer;
    CBoutonRotatif* createKnob(int style, VSTGUI::CPoint where, long tag, Listener* listener,
                               Container* parent = nullptr);
    CSwitch* createSwitch(int style, VSTGUI::CPoint where, long tag, Listener* listener, Container* parent = nullptr);
    CSwitchXPos* createSlideSwitch(int style, VSTGUI::CPoint where, long tag, Listener* listener,
                                   Container* parent = nullptr);
    CLed* createLed(int style, VSTGUI::CPoint where, long tag, Listener* listener, Container* parent = nullptr);
    CKick* createKick(int style, VSTGUI::CPoint where, long tag, Listener* listener, Container* parent = nullptr);
    CAfficheTexte* createTextDisplay(int style, VSTGUI::CPoint where, long tag, Container* parent = nullptr);
    CEditTexte* createTextField(int style, VSTGUI::CPoint where, long tag, Listener* listener,
                                Container* parent = nullptr);
    CChoix* createChoice(int style, VSTGUI::CPoint where, long tag, Listener* listener, Container* parent = nullptr);
    // A sub-menu: registered but attached nowhere (it only opens from the
    // menu it is added to). The caller holds the one reference; adding it
    // to a menu makes the menu remember it, after which the caller forgets.
    CChoix* createSubMenu(int style, long tag, Listener* listener);

    // Update dispatch to every receiver registered under `tag`.
    void updateValue(long tag, float value);
    void selectImage(long tag, int variant);
    void showComponent(long tag, bool shown);
    void updateAux(long tag, float a, float b);

    // Forgets a receiver that is going away (a rebuilt sub-menu).
    void removeReceiver(CReceptionMiseAJourComposant* receiver);

    // Receivers registered under `tag`, in registration order.
    std::vector<CReceptionMiseAJourComposant*> receivers(long tag) const;
    std::size_t receiverCount() const { return receivers_.size(); }

protected:
    // Product fills, called once on the first request of their family.
    virtual void fillKnobStyles(std::vector<KnobStyle>&) {}
    virtual void fillSwitchStyles(std::vector<SwitchStyle>&) {}
    virtual void fillSlideSwitchStyles(std::vector<SlideSwitchStyle>&) {}
    virtual void fillLedStyles(std::vector<LedStyle>&) {}
    virtual void fillKickStyles(std::vector<KickStyle>&) {}
    virtual void fillChoiceStyles(std::vector<ChoiceStyle>&) {}
    virtual void fillTextStyles(std::vector<TextStyle>&) {}

private:
    struct Created {
        VSTGUI::CView* view;
        ComponentLink* link;
    };
    template <class T>
    T* place(T* control, long tag, Container* parent);

    VSTGUI::CFrame* frame_;
    CBorvanInterface* bridge_ = nullptr;
    std::multimap<long, CReceptionMiseAJourComposant*> receivers_;
    std::vector<Created> created_;
    std::vector<KnobStyle> knobStyles_;
    std::vector<SwitchStyle> switchStyles_;
    std::vector<SlideSwitchStyle> slideSwitchStyles_;
    std::vector<LedStyle> ledStyles_;
    std::vector<KickStyle> kickStyles_;
    std::vector<ChoiceStyle> choiceStyles_;
    std::vector<TextStyle> textStyles_;
};

}  // namespace solva
