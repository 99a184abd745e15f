// A momentary button: the value is the maximum while pressed with the
// pointer inside, the minimum otherwise; the listener hears both changes.
// Draws image 0 of its two-image strip when released, 1 when pressed.
#pragma once

#include "gui/ccontrol.h"

namespace VSTGUI {

class CKickButton : public CControl {
public:
    CKickButton(const CRect& size, CControlListener* listener, long tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint());
    ~CKickButton() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const long& buttons) override;

    CCoord getHeightOfOneImage() const { return heightOfOneImage_; }
    void setHeightOfOneImage(CCoord height) { heightOfOneImage_ = height; }

    virtual long getImageIndex() const;
    void drawImage(CDrawContext* context, long index);

protected:
    CCoord heightOfOneImage_;
    float entryValue_ = 0.0f;
};

}  // namespace VSTGUI
