// The root of the view tree, bound to one platform window (an X11 or Win32
// child window of the host's parent window, or a headless offscreen
// window). The frame owns a back buffer of its size into which the tree
// draws; idle() redraws dirty views and copies the changed areas to the
// window. Platform input arrives through IPlatformEventSink.
//
// Use from the editor:
//   frame = new CFrame(CRect(0, 0, 640, 267), parentWindow, editor);
//   frame->setBackground(bitmap); frame->addView(...);
//   in idle: frame->idle();          // pumps events, redraws dirty views
//   in close: frame->forget();       // destroys attached views and window
// Headless (tests): pass a null parent; call renderAll() and read
// getBackBuffer(); script input with the platform* calls below.
#pragma once

#include <memory>
#include <vector>

#include "gui/cdrawcontext.h"
#include "gui/cviewcontainer.h"
#include "gui/platform_window.h"
#include "gui/vstguieditorinterface.h"

namespace VSTGUI {

class CDropTarget;
class CMenuSession;
class COptionMenu;

class CFrame : public CViewContainer, public IPlatformEventSink {
public:
    CFrame(const CRect& size, void* systemWindow, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    VSTGUIEditorInterface* getEditor() const { return editor_; }
    void* getSystemWindow() const { return systemWindow_; }
    IPlatformWindow* getPlatformWindow() const { return window_.get(); }
    // The factory that made the window (pop-ups come from the same one).
    IPlatformFactory* getPlatformFactory() const { return factory_; }
    bool isHeadless() const { return headless_; }

    // Processes window-system events, then redraws dirty views.
    virtual void idle();
    void pumpEvents();
    // Redraws dirty views and presents the changed areas now.
    void updateDirtyViews();
    void doIdleStuff();
    // Marks everything for redraw (setDirty) or redraws at once (redraw).
    void setDirty(bool dirty = true) override;
    void redraw() override;
    // Area in frame coordinates to draw again at the next idle.
    void invalidRect(const CRect& rect);
    // Draws the whole tree into the back buffer (no presenting).
    void renderAll();
    CPixelBuffer& getBackBuffer() { return backBuffer_; }
    CDrawContext* getDrawContext() { return context_; }

    long getCurrentMouseButtons();
    // Pointer in frame coordinates; false when unknown.
    bool getCurrentMouseLocation(CPoint& where);
    long getDoubleClickTimeMs();

    // Keyboard focus view (a text edit while editing).
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView_; }
    // Keys forwarded by the host (effEditKeyDown) or the window: to the
    // open menu, else the focus view. 1 = used, -1 = not used.
    long onKeyDown(CKeyCode& key) override;

    // Wheel at a frame point (the editor passes the pointer position).
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    bool onWheel(const CPoint& where, float distance);
    // One-shot click (press and release) at a frame point.
    void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;

    // Pop-up menus: opens `menu` with its top-left at `where` (frame
    // coordinates); the session closes on a choice, Escape or an outside
    // click. Only one session is open at a time.
    bool openMenu(COptionMenu* menu, const CPoint& where);
    CMenuSession* getMenuSession() const { return menuSession_.get(); }
    void closeMenu();
    // Frame point -> screen point.
    CPoint frameToScreen(const CPoint& where);

    CDropTarget* getDropTarget() const { return dropTarget_; }

    // Called by views being detached or destroyed.
    void onViewRemoved(CView* view);

    // IPlatformEventSink (window coordinates). Tests call these directly.
    void platformMouseDown(CPoint where, long buttons) override;
    void platformMouseMoved(CPoint where, long buttons) override;
    void platformMouseUp(CPoint where, long buttons) override;
    void platformWheel(CPoint where, float distance, long buttons) override;
    void platformModifiersChanged(long buttons) override;
    bool platformKeyDown(const CKeyCode& key) override;
    void platformFocusLost() override;
    void platformExposed(const CRect& rect) override;

    CPoint getChildOrigin() const override { return CPoint(0, 0); }

private:
    void drawArea(const CRect& area);
    void presentArea(const CRect& area);
    void endGesture();
    void retireClosedSessions();

    VSTGUIEditorInterface* editor_;
    void* systemWindow_;
    IPlatformFactory* factory_ = nullptr;
    std::unique_ptr<IPlatformWindow> window_;
    bool headless_ = true;
    CPixelBuffer backBuffer_;
    CDrawContext* context_ = nullptr;
    std::vector<CRect> pendingRects_;
    CView* focusView_ = nullptr;
    CDropTarget* dropTarget_ = nullptr;
    std::unique_ptr<CMenuSession> menuSession_;
    // Closed sessions wait here until none of their calls is running.
    std::vector<std::unique_ptr<CMenuSession>> retiredSessions_;
    bool gestureActive_ = false;
    CPoint lastMousePoint_;
    long lastButtons_ = 0;
    bool inIdle_ = false;
};

}  // namespace VSTGUI
