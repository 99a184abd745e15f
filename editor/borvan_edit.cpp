#include "editor/borvan_edit.h"

#include "editor/bitmap_cache.h"
#include "editor/borvan_interface.h"
#include "editor/borvan_interface_gui.h"
#include "editor/cchoix.h"
#include "editor/ctexte.h"
#include "gui/cbitmap.h"
#include "gui/cframe.h"

namespace solva {

using namespace VSTGUI;

namespace {

constexpr int kValueDisplayIndex = 51;
constexpr int kNameDisplayIndex = 52;
constexpr int kShowClipIndex = 62;
constexpr int kSlotBIndex = 49;
constexpr long kCopyKickTag = 71;
constexpr long kSaveKickTag = 73;
constexpr int kPresetNameTag = 75;
constexpr long kFirstOwnOverlayIndex = 111;
constexpr long kLastOwnOverlayIndex = 115;

}  // namespace

BorvanEdit::BorvanEdit(vst::AudioEffect* effect, CFonctionsBorvan* functions, CBorvan* core)
    : AEffGUIEditor(effect), functions_(functions), core_(core) {
    // The effect registers this editor itself (the factory hands it over).
    BitmapCache::addEditor();
    background_ = BitmapCache::get(layout::kBackgroundBitmap);
    if (background_) background_->remember();
    rect_.top = 0;
    rect_.left = 0;
    rect_.bottom = static_cast<vst::VstInt16>(background_ ? background_->getHeight() : layout::kWindowHeight);
    rect_.right = static_cast<vst::VstInt16>(background_ ? background_->getWidth() : layout::kWindowWidth);
}

BorvanEdit::~BorvanEdit() {
    if (frame_) close();
    delete components_;
    components_ = nullptr;
    delete bridge_;
    bridge_ = nullptr;
    if (background_) background_->forget();
    background_ = nullptr;
    BitmapCache::removeEditor();
}

// ---------------------------------------------------------------------------
// open / close

bool BorvanEdit::open(void* parentWindow) {
    if (frame_) close();  // a host that opens twice gets one window
    editorThread_.store(currentThreadId(), std::memory_order_relaxed);
    deferred_.clear();  // every value is read afresh below
    AEffGUIEditor::open(parentWindow);
    frame_ = new CFrame(CRect(0, 0, rect_.right, rect_.bottom), parentWindow, this);
    if (!bridge_) bridge_ = new CBorvanInterface(functions_, core_);
    if (!components_) {
        components_ = new CBorvanInterfaceGUI(frame_);
        components_->setBridge(bridge_);
    }
    frame_->setBackground(background_);

    for (OverlayId id : {kInfoPanel, kHelpPanel, kChannelPanel, kAboutPanel, kDiscardLRDialog, kDiscardMSDialog,
                         kCreateNewDialog, kBankNameExistsDialog, kBankDialog, kPresetDialog, kDeletePresetDialog,
                         kDeleteBankDialog})
        buildOverlay(id);

    const Placement& options = *layout::topBar().begin();
    optionsMenu_ = components_->createChoice(options.style, CPoint(options.x, options.y), options.tag, this);
    fillOptionsMenu();

    buildMainWindow();
    for (OverlayId id : {kClipIndicator, kFrequencyStrip, kGainStrip, kQStrip, kNameStrip}) buildOverlay(id);
    applyInitialStrips();
    buildTopBar();

    components_->selectImage(kCopyKickTag, bridge_->getValue(kSlotBIndex) >= 0.5f ? 1 : 0);
    if (bridge_->isFactoryPreset()) components_->selectImage(kSaveKickTag, 1);

    pullValues();
    bridge_->refreshEditor();
    rebuildBankMenu_ = rebuildPresetMenu_ = true;

    const int channelMode = bridge_->getChannelMode();
    if (channelMode == 1 || channelMode == 2) showChannelPanel(channelMode);

    refreshOptionMarks();
    lastServiceMs_ = 0;
    isOpen_ = true;
    return true;
}

void BorvanEdit::buildOverlay(OverlayId id) {
    const OverlayLayout& placement = layout::overlay(id);
    CBitmap* bitmap = BitmapCache::get(placement.bitmap);
    const CCoord width = bitmap ? bitmap->getWidth() : 0;
    const CCoord height = bitmap ? bitmap->getHeight() : 0;
    auto* view = new CViewContainer(CRect(placement.x, placement.y, placement.x + width, placement.y + height), nullptr, bitmap);
    overlays_[id].view = view;
    overlays_[id].shown = false;
    buildControls(placement.controls, view);
}

void BorvanEdit::buildControls(const PlacementList& list, CViewContainer* parent) {
    for (const Placement& p : list) {
        const CPoint at(p.x, p.y);
        switch (p.kind) {
        case ControlKind::Knob: components_->createKnob(p.style, at, p.tag, this, parent); break;
        case ControlKind::Switch: components_->createSwitch(p.style, at, p.tag, this, parent); break;
        case ControlKind::SlideSwitch: components_->createSlideSwitch(p.style, at, p.tag, this, parent); break;
        case ControlKind::Led: components_->createLed(p.style, at, p.tag, this, parent); break;
        case ControlKind::Kick: components_->createKick(p.style, at, p.tag, this, parent); break;
        case ControlKind::TextDisplay: components_->createTextDisplay(p.style, at, p.tag, parent); break;
        case ControlKind::TextField: components_->createTextField(p.style, at, p.tag, this, parent); break;
        case ControlKind::Choice: components_->createChoice(p.style, at, p.tag, this, parent); break;
        }
    }
}

void BorvanEdit::buildMainWindow() { buildControls(layout::mainWindow(), nullptr); }

void BorvanEdit::buildTopBar() {
    const PlacementList bar = layout::topBar();
    // The options menu (first row) exists already.
    buildControls({bar.items + 1, bar.count - 1}, nullptr);
    for (CReceptionMiseAJourComposant* r : components_->receivers(69)) bankMenu_ = dynamic_cast<CChoix*>(r);
    for (CReceptionMiseAJourComposant* r : components_->receivers(70)) presetMenu_ = dynamic_cast<CChoix*>(r);
}

// Reads every value the controls show afresh: updates sent while the
// window was closed were dropped.
void BorvanEdit::pullValues() {
    for (int index = 0; index <= 67; ++index) components_->updateValue(index, bridge_->getValue(index));
    for (int index = 106; index <= 109; ++index) components_->updateValue(index, bridge_->getValue(index));
}

void BorvanEdit::applyInitialStrips() {
    const bool values = bridge_->getValue(kValueDisplayIndex) >= 0.5f;
    for (int index : {111, 112, 113}) showValueStrip(index, values);
    showValueStrip(114, bridge_->getValue(kNameDisplayIndex) >= 0.5f);
    showValueStrip(115, bridge_->getValue(kShowClipIndex) >= 0.5f);
}

void BorvanEdit::close() {
    isOpen_ = false;
    destroyWindow();
    AEffGUIEditor::close();
}

void BorvanEdit::destroyWindow() {
    if (frame_) frame_->closeMenu();
    // Shown overlays belong to the frame and go with it; hidden ones are ours.
    for (Overlay& overlay : overlays_) {
        if (overlay.view && !overlay.shown) overlay.view->forget();
        overlay = Overlay();
    }
    delete components_;
    components_ = nullptr;
    delete bridge_;
    bridge_ = nullptr;
    if (frame_) frame_->forget();
    frame_ = nullptr;
    bankMenu_ = presetMenu_ = optionsMenu_ = nullptr;
    menu_ = MenuState();
}

// ---------------------------------------------------------------------------
// idle

void BorvanEdit::idle() {
    if (!isOpen_ || !frame_) return;
    editorThread_.store(currentThreadId(), std::memory_order_relaxed);
    deferred_.drain([this](int index, float value) { showValue(index, value); },
                    [this](int index, int variant) { showImage(index, variant); });
    if (rebuildBankMenu_) {
        rebuildBankMenu_ = false;
        rebuildBankMenu();
    }
    if (rebuildPresetMenu_) {
        rebuildPresetMenu_ = false;
        rebuildPresetMenu();
    }
    const uint64_t now = nowMs();
    if (now - lastServiceMs_ > kServiceIntervalMs) {
        lastServiceMs_ = now;
        ++serviceCalls_;
        if (bridge_) bridge_->serviceEffect();
        if (!isOpen_ || !frame_) return;  // the service may not close us, but be safe
    }
    if (overlays_[kClipIndicator].shown && !overlays_[kHelpPanel].shown) setParameter(kClipIndicatorTag, 0.0f);
    AEffGUIEditor::idle();
}

// ---------------------------------------------------------------------------
// From the effect

void BorvanEdit::setParameter(int index, float value) {
    if (!onEditorThread()) {
        deferred_.postValue(index, value);
        return;
    }
    deferred_.supersedeValue(index);
    showValue(index, value);
}

void BorvanEdit::showValue(int index, float value) {
    if (!frame_ || !components_) return;
    if (index == kClipIndicatorTag && overlays_[kHelpPanel].shown) return;
    components_->updateValue(index, value);
    if (index == kSlotBIndex && bridge_) {
        // The slot selector moved: both slot switches show where it is now
        // (the effect reports only the switch that was written).
        for (int slotSwitch : {106, 107}) components_->updateValue(slotSwitch, bridge_->getValue(slotSwitch));
        components_->selectImage(kCopyKickTag, value >= 0.5f ? 1 : 0);
    }
    if (index == kPresetNameTag && bridge_) {
        // A preset name update follows every preset change: the save kick
        // shows whether the preset can be overwritten.
        components_->selectImage(kSaveKickTag, bridge_->isFactoryPreset() ? 1 : 0);
    }
}

void BorvanEdit::selectImage(int index, int variant) {
    if (!onEditorThread()) {
        deferred_.postImage(index, variant);
        return;
    }
    deferred_.supersedeImage(index);
    showImage(index, variant);
}

void BorvanEdit::showImage(int index, int variant) {
    if (components_) components_->selectImage(index, variant);
}

void BorvanEdit::showComponent(int index, bool shown) {
    if (index >= kFirstOwnOverlayIndex && index <= kLastOwnOverlayIndex) {
        showValueStrip(index, shown);
        return;
    }
    if (components_) components_->showComponent(index, shown);
}

void BorvanEdit::showValueStrip(int index, bool shown) {
    const OverlayId ids[] = {kFrequencyStrip, kGainStrip, kQStrip, kNameStrip, kClipIndicator};
    const OverlayId id = ids[index - kFirstOwnOverlayIndex];
    CViewContainer* view = overlays_[id].view;
    if (!view || !frame_) return;
    if (shown && bridge_) {
        if (id == kFrequencyStrip)
            view->setBackground(BitmapCache::get(bridge_->isFrequencyAsNotes() ? layout::kFrequencyNotesBitmap
                                                                               : layout::kFrequencyHzBitmap));
        else if (id == kQStrip)
            view->setBackground(
                BitmapCache::get(bridge_->isQAsOctaves() ? layout::kQOctavesBitmap : layout::kQFactorBitmap));
    }
    showOverlay(id, shown);
}

void BorvanEdit::showOverlay(OverlayId id, bool shown) {
    Overlay& overlay = overlays_[id];
    if (!overlay.view || !frame_) return;
    if (shown != overlay.shown) {
        if (shown)
            frame_->addView(overlay.view);
        else
            frame_->removeView(overlay.view, false);
        overlay.shown = shown;
    } else if (shown) {
        overlay.view->setDirty(true);
    }
    frame_->setDirty(true);
}

// The library changed: both menus are rebuilt at the next idle and the
// name fields fetch their texts again.
void BorvanEdit::requestRedraw() {
    rebuildBankMenu_ = rebuildPresetMenu_ = true;
    if (frame_) frame_->setDirty(true);
}

void BorvanEdit::redrawFrame() {
    if (frame_) frame_->setDirty(true);
}

void BorvanEdit::setChannelModeDisplay(int mode) {
    if (frame_) showChannelPanel(mode);
}

// ---------------------------------------------------------------------------
// Input

bool BorvanEdit::onWheel(float distance) {
    if (!frame_) return false;
    CPoint where;
    frame_->getCurrentMouseLocation(where);
    return frame_->onWheel(where, distance);
}

void BorvanEdit::beginEdit(long index) {
    if (bridge_) bridge_->beginEdit(static_cast<int>(index));
}

void BorvanEdit::endEdit(long index) {
    if (bridge_) bridge_->endEdit(static_cast<int>(index));
}

void BorvanEdit::valueChanged(CDrawContext*, CControl* control) {
    if (!control || !bridge_) return;
    const long tag = control->getTag();
    if (handleMenuCommand(tag, control)) return;
    if (tag >= 0 && tag <= 20) {
        if (auto* field = dynamic_cast<CTextEdit*>(control)) {
            bridge_->setValueFromText(static_cast<int>(tag), field->getText());
            return;
        }
    }
    bridge_->setValueAutomated(static_cast<int>(tag), control->getValue());
}

}  // namespace solva
