#include "editor/interface_composant.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "editor/cbouton_rotatif.h"
#include "editor/cchoix.h"
#include "editor/ckick.h"
#include "editor/cswitch.h"
#include "editor/cswitch_xpos.h"
#include "editor/ctexte.h"
#include "gui/cbitmap.h"
#include "gui/cframe.h"

namespace solva {

using namespace VSTGUI;

namespace {

// Fills a family on first use and checks the style number: asking for a
// style the product never filled is a programming error.
template <class Style, class Fill>
const Style& styleAt(std::vector<Style>& list, int n, Fill fill) {
    if (list.empty()) fill(list);
    if (n < 0 || static_cast<std::size_t>(n) >= list.size()) {
        std::fprintf(stderr, "component set: style %d out of range (%zu styles)\n", n, list.size());
        std::abort();
    }
    return list[static_cast<std::size_t>(n)];
}

CRect rectAt(CPoint where, CCoord width, CCoord height) {
    return CRect(where.h, where.v, where.h + width, where.v + height);
}

void applyFont(CParamDisplay* display, const TextFontStyle& font) {
    display->setFont(static_cast<CFont>(font.fontNumber), font.fontSize, font.textStyle);
    display->setFontColor(font.fontColor);
    display->setBackColor(font.backColor);
}

}  // namespace

CInterfaceComposantGraphique::CInterfaceComposantGraphique(CFrame* frame) : frame_(frame) {}

// The set holds a reference to every control it made, so that controls of
// containers destroyed earlier (hidden overlays) are still valid here. A
// detached control also carries the reference its container gave up.
CInterfaceComposantGraphique::~CInterfaceComposantGraphique() {
    for (const Created& c : created_) {
        if (!c.link->isShown()) c.view->forget();
        c.view->forget();
    }
}

const KnobStyle& CInterfaceComposantGraphique::knobStyle(int n) {
    return styleAt(knobStyles_, n, [this](auto& l) { fillKnobStyles(l); });
}
const SwitchStyle& CInterfaceComposantGraphique::switchStyle(int n) {
    return styleAt(switchStyles_, n, [this](auto& l) { fillSwitchStyles(l); });
}
const SlideSwitchStyle& CInterfaceComposantGraphique::slideSwitchStyle(int n) {
    return styleAt(slideSwitchStyles_, n, [this](auto& l) { fillSlideSwitchStyles(l); });
}
const LedStyle& CInterfaceComposantGraphique::ledStyle(int n) {
    return styleAt(ledStyles_, n, [this](auto& l) { fillLedStyles(l); });
}
const KickStyle& CInterfaceComposantGraphique::kickStyle(int n) {
    return styleAt(kickStyles_, n, [this](auto& l) { fillKickStyles(l); });
}
const ChoiceStyle& CInterfaceComposantGraphique::choiceStyle(int n) {
    return styleAt(choiceStyles_, n, [this](auto& l) { fillChoiceStyles(l); });
}
const TextStyle& CInterfaceComposantGraphique::textStyle(int n) {
    return styleAt(textStyles_, n, [this](auto& l) { fillTextStyles(l); });
}

template <class T>
T* CInterfaceComposantGraphique::place(T* control, long tag, Container* parent) {
    Container* container = parent ? parent : frame_;
    control->setTransparency(true);
    control->bind(bridge_, container);
    if (container) container->addView(control);
    receivers_.emplace(tag, control);
    control->remember();
    created_.push_back({control, control});
    return control;
}

CBoutonRotatif* CInterfaceComposantGraphique::createKnob(int style, CPoint where, long tag, Listener* listener,
                                                        Container* parent) {
    const KnobStyle& s = knobStyle(style);
    auto* knob = new CBoutonRotatif(rectAt(where, s.width, s.frameHeight), listener, tag, s.frames, s.frameHeight,
                                    s.bitmap);
    knob->setZoomFactor(s.mouseSensitivity);
    knob->setDefaultValue(s.defaultValue);
    knob->setInsetValue(s.halfFrameHeight);
    return place(knob, tag, parent);
}

CSwitch* CInterfaceComposantGraphique::createSwitch(int style, CPoint where, long tag, Listener* listener,
                                                    Container* parent) {
    const SwitchStyle& s = switchStyle(style);
    auto* control = new CSwitch(rectAt(where, s.width, s.frameHeight), listener, tag, s.frames, s.frameHeight,
                                s.bitmap);
    for (int i = 0; i < 4; ++i) control->setImage(i + 1, s.alternatives[i]);
    control->setInverseBitmap(s.inverted);
    return place(control, tag, parent);
}

CSwitchXPos* CInterfaceComposantGraphique::createSlideSwitch(int style, CPoint where, long tag, Listener* listener,
                                                             Container* parent) {
    const SlideSwitchStyle& s = slideSwitchStyle(style);
    auto* control = new CSwitchXPos(rectAt(where, s.width, s.frameHeight), listener, tag, s.frames,
                                    s.frameHeight, s.bitmap, s.horizontal);
    control->setImage(1, s.alternative);
    return place(control, tag, parent);
}

CLed* CInterfaceComposantGraphique::createLed(int style, CPoint where, long tag, Listener* listener,
                                              Container* parent) {
    const LedStyle& s = ledStyle(style);
    const CCoord width = s.bitmap ? s.bitmap->getWidth() : 0;
    const CCoord frameHeight = s.bitmap ? s.bitmap->getHeight() / s.frames : 0;
    auto* led = new CLed(rectAt(where, width, frameHeight), listener, tag, s.frames, frameHeight, s.bitmap);
    return place(led, tag, parent);
}

CKick* CInterfaceComposantGraphique::createKick(int style, CPoint where, long tag, Listener* listener,
                                                Container* parent) {
    const KickStyle& s = kickStyle(style);
    auto* kick = new CKick(rectAt(where, s.width, s.frameHeight), listener, tag, s.frameHeight, s.bitmap);
    for (int i = 0; i < 3; ++i) kick->setImage(i + 1, s.alternatives[i]);
    kick->setInverseBitmap(s.inverted);
    return place(kick, tag, parent);
}

CAfficheTexte* CInterfaceComposantGraphique::createTextDisplay(int style, CPoint where, long tag,
                                                               Container* parent) {
    const TextStyle& s = textStyle(style);
    auto* display = new CAfficheTexte(rectAt(where, s.width, s.height), tag, s.bitmap);
    applyFont(display, s.font);
    return place(display, tag, parent);
}

CEditTexte* CInterfaceComposantGraphique::createTextField(int style, CPoint where, long tag, Listener* listener,
                                                          Container* parent) {
    const TextStyle& s = textStyle(style);
    auto* field = new CEditTexte(rectAt(where, s.width, s.height), listener, tag, s.bitmap);
    applyFont(field, s.font);
    return place(field, tag, parent);
}

CChoix* CInterfaceComposantGraphique::createChoice(int style, CPoint where, long tag, Listener* listener,
                                                   Container* parent) {
    const ChoiceStyle& s = choiceStyle(style);
    // The skin's menu buttons carry their own captions ("BANK", "PRESET",
    // "OPTIONS"): the current entry's text would be drawn over them.
    const long textStyle = s.bitmap ? long(kNoTextStyle) : 0L;
    auto* menu = new CChoix(rectAt(where, s.width, s.height), listener, tag, s.bitmap, s.pressed,
                            kCheckStyle | textStyle);
    applyFont(menu, s.font);
    return place(menu, tag, parent);
}

CChoix* CInterfaceComposantGraphique::createSubMenu(int style, long tag, Listener* listener) {
    const ChoiceStyle& s = choiceStyle(style);
    // Placed at (30, 10) like every sub-menu; never attached, never drawn.
    auto* menu = new CChoix(rectAt(CPoint(30, 10), s.width, s.height), listener, tag, s.bitmap, s.pressed,
                            kCheckStyle);
    applyFont(menu, s.font);
    menu->bind(bridge_, nullptr);
    receivers_.emplace(tag, menu);
    return menu;
}

std::vector<CReceptionMiseAJourComposant*> CInterfaceComposantGraphique::receivers(long tag) const {
    std::vector<CReceptionMiseAJourComposant*> out;
    auto range = receivers_.equal_range(tag);
    for (auto it = range.first; it != range.second; ++it) out.push_back(it->second);
    return out;
}

void CInterfaceComposantGraphique::removeReceiver(CReceptionMiseAJourComposant* receiver) {
    for (auto it = receivers_.begin(); it != receivers_.end();)
        it = it->second == receiver ? receivers_.erase(it) : std::next(it);
}

void CInterfaceComposantGraphique::updateValue(long tag, float value) {
    for (CReceptionMiseAJourComposant* r : receivers(tag)) r->updateValue(tag, value);
}
void CInterfaceComposantGraphique::selectImage(long tag, int variant) {
    for (CReceptionMiseAJourComposant* r : receivers(tag)) r->selectImage(tag, variant);
}
void CInterfaceComposantGraphique::showComponent(long tag, bool shown) {
    for (CReceptionMiseAJourComposant* r : receivers(tag)) r->setShown(tag, shown);
}
void CInterfaceComposantGraphique::updateAux(long tag, float a, float b) {
    for (CReceptionMiseAJourComposant* r : receivers(tag)) r->updateAux(tag, a, b);
}

}  // namespace solva
