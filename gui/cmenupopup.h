// One open level of a pop-up menu: lays out a COptionMenu's entries,
// draws them into its own pixel buffer and maps screen points to entries.
// Owned by a CMenuSession.
#pragma once

#include <memory>
#include <vector>

#include "gui/cpixelbuffer.h"
#include "gui/platform_window.h"

namespace VSTGUI {

class COptionMenu;

class CMenuPopup {
public:
    static constexpr int kItemPadding = 4;     // above plus below the text
    static constexpr int kSeparatorHeight = 7;
    static constexpr int kCheckColumn = 16;    // left margin for check marks
    static constexpr int kArrowColumn = 16;    // right margin for sub-menu arrows
    static constexpr int kMinWidth = 60;

    // Lays out `menu` (remembered while open) at `screenTopLeft`. Entries
    // that do not fit in `maxHeightPx` (0 = no limit) continue in further
    // columns to the right, so long lists stay on screen.
    CMenuPopup(COptionMenu* menu, CPoint screenTopLeft, int maxHeightPx = 0);
    ~CMenuPopup();
    CMenuPopup(const CMenuPopup&) = delete;
    CMenuPopup& operator=(const CMenuPopup&) = delete;

    // Size the layout needs, pixels.
    CPoint getSize() const { return CPoint(width_, height_); }
    int getColumnCount() const { return columnCount_; }
    // Moves the pop-up (before it is shown).
    void moveTo(CPoint screenTopLeft);
    const CRect& getScreenRect() const { return screenRect_; }
    COptionMenu* getMenu() const { return menu_; }

    // Entry under a screen point, -1 for none (separators included).
    long entryAt(const CPoint& screen) const;
    // Entry rectangle in screen coordinates.
    CRect entryScreenRect(long index) const;
    bool isSelectable(long index) const;  // enabled, not a separator

    void setHighlight(long index);
    long getHighlight() const { return highlight_; }

    // Draws into the pixel buffer and presents it when a window exists.
    void render();
    const CPixelBuffer& getPixels() const { return pixels_; }

    void setWindow(std::unique_ptr<IPlatformWindow> window);
    IPlatformWindow* getWindow() const { return window_.get(); }

private:
    void layout(int maxHeightPx);
    void drawEntry(long index);

    COptionMenu* menu_;
    CRect screenRect_;
    int width_ = 0;
    int height_ = 0;
    std::vector<CRect> entryRects_;  // popup-local
    int columnCount_ = 1;
    long highlight_ = -1;
    CPixelBuffer pixels_;
    std::unique_ptr<IPlatformWindow> window_;
};

}  // namespace VSTGUI
