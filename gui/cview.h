// The base of the view tree: a rectangle in its parent's coordinates that
// draws itself and may take mouse, wheel and key input.
//
// Input is event driven: the frame calls onMouseDown on the topmost view
// under the pointer; a view that answers kMouseEventHandled receives the
// gesture's onMouseMoved and onMouseUp calls (with the buttons of each
// event, so buttons and modifiers may change during a gesture) even when
// the pointer leaves it. Points are in the parent's coordinates, the same
// system as getViewSize().
#pragma once

#include "gui/cbuttons.h"
#include "gui/cgeometry.h"
#include "gui/ckeycode.h"
#include "gui/creferencecounter.h"

namespace VSTGUI {

class CBitmap;
class CDragContainer;
class CDrawContext;
class CFrame;
class CViewContainer;

class CView : public CReferenceCounter {
public:
    explicit CView(const CRect& size);
    ~CView() override;

    // Drawing. drawRect is what containers call; the default draws all.
    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);

    // Mouse. The defaults turn a press into one call of `mouse` (a one-shot
    // click handler: buttons = -1 means read them from the frame) and take
    // no further events of the gesture.
    virtual void mouse(CDrawContext* context, CPoint& where, long buttons = -1);
    virtual CMouseEventResult onMouseDown(CPoint& where, const long& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const long& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const long& buttons);
    // Wheel: distance +1 per notch away from the user. True when used.
    virtual bool onWheel(CDrawContext* context, const CPoint& where, float distance);
    // Keys while the view has the focus; -1 = not used.
    virtual long onKeyDown(CKeyCode& key);
    virtual long onKeyUp(CKeyCode& key);
    // File drops: no view accepts them unless it overrides this.
    virtual bool onDrop(CDragContainer* drag, const CPoint& where);

    // Focus: the frame calls these when the view gains or loses it.
    virtual void takeFocus() {}
    virtual void looseFocus() {}

    // Dirty flag: set when the view must be drawn again at the next idle.
    virtual void setDirty(bool dirty = true);
    virtual bool isDirty() const { return dirty_; }
    // Marks dirty (the frame redraws at its next idle).
    void invalid() { setDirty(true); }
    // Asks the frame to draw this view's area at its next idle.
    virtual void redraw();

    void setTransparency(bool transparent) { transparent_ = transparent; }
    bool getTransparency() const { return transparent_; }
    bool isTransparent() const { return transparent_; }
    void setMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
    bool getMouseEnabled() const { return mouseEnabled_; }
    virtual void setVisible(bool visible);
    bool isVisible() const { return visible_; }

    virtual void setViewSize(const CRect& size, bool invalidate = true);
    CRect& getViewSize(CRect& size) const { size = size_; return size; }
    const CRect& getViewSize() const { return size_; }
    CCoord getWidth() const { return size_.width(); }
    CCoord getHeight() const { return size_.height(); }
    void setMouseableArea(const CRect& area) { mouseableArea_ = area; }
    CRect& getMouseableArea(CRect& area) const { area = mouseableArea_; return area; }
    const CRect& getMouseableArea() const { return mouseableArea_; }
    // Whether a press at `where` (parent coordinates) belongs to this view.
    virtual bool hitTest(const CPoint& where, long buttons = -1) const;

    // Background bitmap (remembered while set); null for none.
    virtual void setBackground(CBitmap* background);
    CBitmap* getBackground() const { return background_; }

    CFrame* getFrame() const { return frame_; }
    CViewContainer* getParentView() const { return parent_; }
    bool isAttached() const { return parent_ != nullptr; }
    // Called by the container on attach/detach.
    virtual bool attached(CViewContainer* parent);
    virtual bool removed(CViewContainer* parent);

    // Converts a frame (window) point into this view's parent coordinates
    // and back.
    CPoint& frameToLocal(CPoint& point) const;
    CPoint& localToFrame(CPoint& point) const;
    // This view's rectangle in frame coordinates.
    CRect getFrameRect() const;
    // Pointer position in the parent's coordinates (the context is unused
    // and may be null).
    void getMouseLocation(CDrawContext* context, CPoint& where) const;

protected:
    CRect size_;
    CRect mouseableArea_;
    CFrame* frame_ = nullptr;
    CViewContainer* parent_ = nullptr;
    CBitmap* background_ = nullptr;
    bool dirty_ = false;
    bool transparent_ = false;
    bool mouseEnabled_ = true;
    bool visible_ = true;

    friend class CFrame;
    friend class CViewContainer;
};

}  // namespace VSTGUI
