// A view holding an ordered list of child views. Children are drawn in
// insertion order over the container's background (bitmap or colour); the
// last added child is the topmost for mouse and wheel input. Children's
// rectangles are relative to the container's top-left corner.
#pragma once

#include <vector>

#include "gui/ccolor.h"
#include "gui/cview.h"

namespace VSTGUI {

class CViewContainer : public CView {
public:
    CViewContainer(const CRect& size, CFrame* frame = nullptr, CBitmap* background = nullptr);
    ~CViewContainer() override;

    // Appends a child (the container takes over the caller's reference).
    virtual bool addView(CView* view);
    virtual bool addView(CView* view, const CRect& mouseableArea, bool mouseEnabled = true);
    // Detaches a child; with `withForget` its reference is dropped (which
    // normally destroys it), without it the caller keeps the view alive.
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    bool isChild(const CView* view) const;
    long getNbViews() const { return static_cast<long>(children_.size()); }
    CView* getView(long index) const;
    // Topmost visible child whose hit area holds `where` (container
    // coordinates); with `deep` descends into child containers.
    CView* getViewAt(const CPoint& where, bool deep = false) const;

    void setBackgroundColor(const CColor& color) { backgroundColor_ = color; setDirty(true); }
    CColor getBackgroundColor() const { return backgroundColor_; }
    void setBackgroundOffset(const CPoint& offset) { backgroundOffset_ = offset; }
    // Double buffering request (the renderer always draws offscreen).
    void useOffscreen(bool offscreen) { offscreen_ = offscreen; }
    bool isOffscreen() const { return offscreen_; }

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& updateRect);

    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const long& buttons) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    bool onDrop(CDragContainer* drag, const CPoint& where) override;

    void setDirty(bool dirty = true) override;
    bool isDirty() const override;
    bool attached(CViewContainer* parent) override;
    bool removed(CViewContainer* parent) override;

    // Offset from this container's coordinates to its children's.
    virtual CPoint getChildOrigin() const { return size_.getTopLeft(); }
    // Forgets the view that is taking the current gesture (when removed).
    void cancelMouseTracking(const CView* view);

protected:
    void collectDirty(std::vector<CRect>& rects);
    void attachChild(CView* view);
    void clearFrame();  // children below a detached container have no frame

    std::vector<CView*> children_;
    CColor backgroundColor_ = kBlackCColor;
    CPoint backgroundOffset_;
    bool offscreen_ = false;
    CView* mouseDownView_ = nullptr;

    friend class CFrame;
};

}  // namespace VSTGUI
