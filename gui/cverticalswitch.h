// A switch drawn from a vertical strip of `subPixmaps` images. By default
// image round(value * (positions - 1)) is drawn and a press selects the
// position under the pointer (top = 0); subclasses replace both.
#pragma once

#include "gui/ccontrol.h"

namespace VSTGUI {

class CVerticalSwitch : public CControl {
public:
    CVerticalSwitch(const CRect& size, CControlListener* listener, long tag, long subPixmaps,
                    CCoord heightOfOneImage, long maxPositions, CBitmap* background,
                    const CPoint& offset = CPoint());
    ~CVerticalSwitch() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const long& buttons) override;

    long getNumSubPixmaps() const { return subPixmaps_; }
    CCoord getHeightOfOneImage() const { return heightOfOneImage_; }
    long getMaxPositions() const { return maxPositions_; }
    void setInverseBitmap(bool inverse) { inverseBitmap_ = inverse; }
    bool getInverseBitmap() const { return inverseBitmap_; }

    virtual long getImageIndex() const;
    // Draws image `index` of the strip (colour-keyed when transparency is
    // enabled on the view or the bitmap).
    void drawImage(CDrawContext* context, long index);

protected:
    void selectByPoint(const CPoint& where);

    long subPixmaps_;
    CCoord heightOfOneImage_;
    long maxPositions_;
    bool inverseBitmap_ = false;
};

}  // namespace VSTGUI
