// BorvanEdit: the equaliser's editor. The effect creates one for its whole
// life; the window (frame, component set, overlays, bridge) exists only
// between open() and close(). The editor reaches the effect only through
// the bridge CBorvanInterface; the effect reaches the editor through
// EditorSink (values, image choices, overlays) and the host-facing
// AEffEditor calls.
//
// All calls come from the host's UI thread, but for the effect's
// setParameter and selectImage: a host that plays automation calls the
// effect's setParameter on its audio thread, and what reaches the editor
// from there waits in DeferredUpdates until the next idle.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "editor/aeffguieditor.h"
#include "editor/borvan_layout.h"
#include "editor/deferred_updates.h"
#include "editor/vst_gui_corbelite.h"
#include "gui/ccontrollistener.h"
#include "plugin/editor_sink.h"

namespace VSTGUI {
class CBitmap;
class CViewContainer;
}  // namespace VSTGUI

namespace solva {

class CBorvan;
class CBorvanInterface;
class CBorvanInterfaceGUI;
class CChoix;
class CFonctionsBorvan;

// Editor state of the menus, dialogs and L/R–M/S commands (the menu code
// in borvan_menus.cpp owns its meaning).
struct MenuState {
    bool lrMode = false;
    bool msMode = false;
    bool newPresetRequested = false;
    bool newBankRequested = false;
    bool deletePresetRequested = false;
    bool deleteBankRequested = false;
    bool renameRequested = false;
    bool moveRequested = false;
    std::string rememberedName;
    int bankMenuOffsets[6] = {};  // new, delete, export, import, sort, factory
};

class BorvanEdit : public AEffGUIEditor,
                   public VSTGUI::CControlListener,
                   public VstGuiCorbelite,
                   public EditorSink {
public:
    // Minimum interval between two calls of the effect's periodic service.
    static constexpr uint64_t kServiceIntervalMs = 150;
    static constexpr long kClipIndicatorTag = 115;

    // `functions` is the effect's function table, `core` the effect object
    // whose periodic service idle() calls (either may be the same object).
    BorvanEdit(vst::AudioEffect* effect, CFonctionsBorvan* functions, CBorvan* core);
    ~BorvanEdit() override;

    // --- host-facing --------------------------------------------------------
    bool open(void* parentWindow) override;
    void close() override;
    void idle() override;
    bool isOpen() override { return isOpen_; }
    bool onWheel(float distance) override;
    void beginEdit(long index) override;
    void endEdit(long index) override;

    // --- effect-facing (EditorSink) -----------------------------------------
    void setParameter(int index, float value) override;
    void setParameter(long index, float value) override { setParameter(static_cast<int>(index), value); }
    void selectImage(int index, int variant) override;
    void showComponent(int index, bool shown) override;
    void requestRedraw() override;
    void redrawFrame() override;
    void rebuildSideMenus() override;
    void setChannelModeDisplay(int mode) override;
    void redrawRect(const short* rect) override { corbeliteDraw(frame_, rect); }
    int clickAt(int x, int y) override { return corbeliteMouse(frame_, x, y); }

    // --- controls ----------------------------------------------------------------
    void valueChanged(VSTGUI::CDrawContext* context, VSTGUI::CControl* control) override;

    // --- overlays ----------------------------------------------------------------
    // Attaches (shown) or detaches an overlay; skipped when it was never
    // built. Redraws the frame.
    void showOverlay(OverlayId id, bool shown);
    bool isOverlayShown(OverlayId id) const { return overlays_[id].shown; }
    VSTGUI::CViewContainer* getOverlay(OverlayId id) const { return overlays_[id].view; }

    // --- access for the menu code and tests ---------------------------------------
    CBorvanInterface* getBridge() const { return bridge_; }
    CBorvanInterfaceGUI* getComponents() const { return components_; }
    CChoix* getBankMenu() const { return bankMenu_; }
    CChoix* getPresetMenu() const { return presetMenu_; }
    CChoix* getOptionsMenu() const { return optionsMenu_; }
    MenuState& menuState() { return menu_; }
    void markBankMenuForRebuild() { rebuildBankMenu_ = true; }
    void markPresetMenuForRebuild() { rebuildPresetMenu_ = true; }
    bool isBankMenuMarked() const { return rebuildBankMenu_; }
    bool isPresetMenuMarked() const { return rebuildPresetMenu_; }
    int serviceCallCount() const { return serviceCalls_; }

    // --- menus, dialogs and commands (borvan_menus.cpp) ---------------------------
    void rebuildBankMenu();
    void rebuildPresetMenu();
    void fillOptionsMenu();
    void refreshOptionMarks();
    // Runs the command of a menu, dialog button, name field or editor
    // switch; false when `tag` is not one of theirs.
    bool handleMenuCommand(long tag, VSTGUI::CControl* control);
    // Closes every dialog and panel and clears the pending requests.
    void hideAllDialogs();
    // Shows the L/R–M/S panel in L/R (1) or M/S (2) mode, or hides it.
    void showChannelPanel(int mode);

private:
    struct Overlay {
        VSTGUI::CViewContainer* view = nullptr;
        bool shown = false;
    };

    void buildOverlay(OverlayId id);
    void buildControls(const PlacementList& list, VSTGUI::CViewContainer* parent);
    void buildMainWindow();
    void buildTopBar();
    void applyInitialStrips();
    void pullValues();
    void showValueStrip(int index, bool shown);
    void destroyWindow();
    // setParameter and selectImage as run on the editor's thread.
    void showValue(int index, float value);
    void showImage(int index, int variant);
    bool onEditorThread() const { return currentThreadId() == editorThread_.load(std::memory_order_relaxed); }

    CFonctionsBorvan* functions_;
    CBorvan* core_;
    CBorvanInterface* bridge_ = nullptr;
    CBorvanInterfaceGUI* components_ = nullptr;
    VSTGUI::CBitmap* background_ = nullptr;
    bool isOpen_ = false;
    uint64_t lastServiceMs_ = 0;
    bool rebuildBankMenu_ = false;
    bool rebuildPresetMenu_ = false;
    CChoix* bankMenu_ = nullptr;
    CChoix* presetMenu_ = nullptr;
    CChoix* optionsMenu_ = nullptr;
    Overlay overlays_[kOverlayCount];
    MenuState menu_;
    int serviceCalls_ = 0;
    // The thread that opens and idles the editor (until the first open, the
    // one that created it).
    std::atomic<uint64_t> editorThread_{currentThreadId()};
    DeferredUpdates deferred_;
};

}  // namespace solva
