// A knob drawn as one frame of a vertical strip bitmap: frame i occupies
// rows [i * frameHeight, (i + 1) * frameHeight). The frame for a value is
// the largest one whose offset does not exceed value * (frames - 1) *
// frameHeight, so 0.0 shows the first frame and 1.0 the last.
#pragma once

#include "gui/cknob.h"

namespace VSTGUI {

class CAnimKnob : public CKnob {
public:
    CAnimKnob(const CRect& size, CControlListener* listener, long tag, long subPixmaps,
              CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint());
    ~CAnimKnob() override;

    void draw(CDrawContext* context) override;

    long getNumSubPixmaps() const { return subPixmaps_; }
    void setNumSubPixmaps(long count) { subPixmaps_ = count; }
    CCoord getHeightOfOneImage() const { return heightOfOneImage_; }
    void setHeightOfOneImage(CCoord height) { heightOfOneImage_ = height; }
    void setInverseBitmap(bool inverse) { inverseBitmap_ = inverse; }
    bool getInverseBitmap() const { return inverseBitmap_; }

    // The frame the current value selects.
    virtual long getFrameIndex() const;
    // Draws frame `index` of the background strip (colour-keyed when the
    // view or the bitmap has transparency enabled).
    void drawFrame(CDrawContext* context, long index);

protected:
    long subPixmaps_;
    CCoord heightOfOneImage_;
    bool inverseBitmap_ = false;
};

}  // namespace VSTGUI
