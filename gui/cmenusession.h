// An open pop-up menu with its open sub-menus, stacked left to right.
// Receives the pop-up windows' input in screen coordinates: hovering an
// entry highlights it and opens its sub-menu; a click on a selectable entry
// (or a press-drag-release onto it) chooses it; Escape or a press outside
// every pop-up cancels. After closing, the chosen entry's owning menu gets
// selectEntry(index). Headless tests drive a session with the same calls.
//
// While a sub-menu is open, hovering another entry of its parent switches
// sub-menus only after the pointer rests there for the sub-menu delay (at
// the frame's idle), so that a diagonal move towards the open sub-menu
// across other entries does not close it.
#pragma once

#include <memory>
#include <vector>

#include "gui/cmenupopup.h"
#include "gui/platform_window.h"

namespace VSTGUI {

class CFrame;
class COptionMenu;

class CMenuSession : public IPlatformEventSink {
public:
    // Opens `menu` at `screenTopLeft` (kept on screen).
    CMenuSession(CFrame* frame, COptionMenu* menu, CPoint screenTopLeft);
    ~CMenuSession() override;

    bool isOpen() const { return open_; }
    // True while one of its calls is running (it must not be deleted then).
    bool isBusy() const { return busy_ > 0; }
    int getDepth() const { return static_cast<int>(popups_.size()); }
    CMenuPopup* getPopup(int level) const;
    // Closes every pop-up without choosing.
    void cancel();
    // Chooses entry `index` of the pop-up at `level` as a click would.
    bool choose(int level, long index);
    // Applies a pending sub-menu switch whose delay has passed.
    void idle();

    // Sub-menu switch delay for new sessions (0 = at once), milliseconds.
    static void setSubMenuDelayMs(int delayMs);
    // The millisecond clock the delay is measured with (null = steady clock).
    static void setClock(long long (*clockMs)());

    void platformMouseDown(CPoint where, long buttons) override;
    void platformMouseMoved(CPoint where, long buttons) override;
    void platformMouseUp(CPoint where, long buttons) override;
    void platformWheel(CPoint, float, long) override {}
    void platformModifiersChanged(long) override {}
    bool platformKeyDown(const CKeyCode& key) override;
    void platformFocusLost() override {}
    void platformExposed(const CRect& rect) override;

private:
    int levelAt(const CPoint& screen) const;
    void openSubMenu(int level, long index);
    void closeLevelsAbove(int level);
    void highlight(int level, long index);
    void applyPendingSwitch();
    static long long nowMs();
    void close();
    void pushPopup(COptionMenu* menu, CPoint screenTopLeft, const CRect& parentEntry);
    CPoint clampToScreen(CPoint topLeft, CPoint size, const CRect& parentEntry) const;

    struct BusyScope {
        explicit BusyScope(CMenuSession* s) : session(s) { ++session->busy_; }
        ~BusyScope() { --session->busy_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;
        CMenuSession* session;
    };

    CFrame* frame_;
    int busy_ = 0;
    std::vector<std::unique_ptr<CMenuPopup>> popups_;
    std::vector<long> openerIndex_;  // per level: the parent entry that opened it
    int pendingLevel_ = -1;          // sub-menu switch waiting for the delay
    long pendingIndex_ = -1;
    long long pendingSinceMs_ = 0;
    int delayMs_;
    bool open_ = true;
    bool pointerEntered_ = false;  // pointer has been over an entry
    bool pressInside_ = false;
};

}  // namespace VSTGUI
