#include "gui/cmenupopup.h"

#include <algorithm>

#include "gui/cdrawcontext.h"
#include "gui/coptionmenu.h"

namespace VSTGUI {

namespace {

const CColor kMenuBack(240, 240, 240);
const CColor kMenuBorder(100, 100, 100);
const CColor kMenuText(0, 0, 0);
const CColor kMenuDisabled(150, 150, 150);
const CColor kMenuHighlight(51, 102, 204);
const CColor kMenuHighlightText(255, 255, 255);
const CColor kMenuSeparator(190, 190, 190);
constexpr int kMenuFontSizePx = 12;

CFontFace menuFont() { return selectFont(kNormalFont, kMenuFontSizePx, kNormalFace); }

}  // namespace

CMenuPopup::CMenuPopup(COptionMenu* menu, CPoint screenTopLeft, int maxHeightPx) : menu_(menu) {
    menu_->remember();
    layout(maxHeightPx);
    moveTo(screenTopLeft);
}

CMenuPopup::~CMenuPopup() {
    window_.reset();
    menu_->forget();
}

void CMenuPopup::layout(int maxHeightPx) {
    const CFontFace font = menuFont();
    const int itemHeight = font.lineHeight() + kItemPadding;
    const int limit = maxHeightPx > 0 ? std::max(maxHeightPx - 1, itemHeight + 2) : 1 << 30;
    int textWidth = 0;
    for (long i = 0; i < menu_->getNbEntries(); ++i)
        textWidth = std::max(textWidth, measureText(font, menu_->getDisplayEntry(i).c_str()));
    const int columnWidth = std::max(kMinWidth, textWidth + kCheckColumn + kArrowColumn);
    entryRects_.clear();
    columnCount_ = 1;
    int x = 1, y = 1, tallest = 1;
    for (long i = 0; i < menu_->getNbEntries(); ++i) {
        const int h = menu_->isSeparator(i) ? kSeparatorHeight : itemHeight;
        if (y + h > limit && y > 1) {  // next column
            x += columnWidth;
            y = 1;
            ++columnCount_;
        }
        entryRects_.push_back(CRect(x, y, x + columnWidth, y + h));
        y += h;
        tallest = std::max(tallest, y);
    }
    width_ = columnCount_ * columnWidth + 2;
    height_ = tallest + 1;
    pixels_.resize(width_, height_, kMenuBack);
}

void CMenuPopup::moveTo(CPoint screenTopLeft) {
    screenRect_ = CRect(screenTopLeft.h, screenTopLeft.v, screenTopLeft.h + width_,
                        screenTopLeft.v + height_);
}

long CMenuPopup::entryAt(const CPoint& screen) const {
    if (!screenRect_.pointInside(screen)) return -1;
    const CPoint local(screen.h - screenRect_.left, screen.v - screenRect_.top);
    for (size_t i = 0; i < entryRects_.size(); ++i)
        if (entryRects_[i].pointInside(local)) return static_cast<long>(i);
    return -1;
}

CRect CMenuPopup::entryScreenRect(long index) const {
    if (index < 0 || index >= static_cast<long>(entryRects_.size())) return CRect();
    CRect r = entryRects_[index];
    return r.offset(screenRect_.left, screenRect_.top);
}

bool CMenuPopup::isSelectable(long index) const {
    return index >= 0 && index < static_cast<long>(entryRects_.size()) && menu_->isEnabled(index);
}

void CMenuPopup::setHighlight(long index) {
    if (index == highlight_) return;
    highlight_ = index;
    render();
}

void CMenuPopup::drawEntry(long index) {
    CDrawContext context(nullptr, &pixels_);
    const CRect r = entryRects_[index];
    if (menu_->isSeparator(index)) {
        const int y = r.top + r.height() / 2;
        context.setFillColor(kMenuSeparator);
        context.fillRect(CRect(r.left + 4, y, r.right - 4, y + 1));
        return;
    }
    const bool enabled = menu_->isEnabled(index);
    const bool highlighted = index == highlight_ && enabled;
    if (highlighted) {
        context.setFillColor(kMenuHighlight);
        context.fillRect(r);
    }
    const CColor textColor = !enabled ? kMenuDisabled : (highlighted ? kMenuHighlightText : kMenuText);
    context.setFont(kNormalFont, kMenuFontSizePx);
    context.setFontColor(textColor);
    CRect textRect(r.left + kCheckColumn, r.top, r.right - kArrowColumn, r.bottom);
    context.drawString(menu_->getDisplayEntry(index).c_str(), textRect, false, kLeftText);
    context.setFrameColor(textColor);
    context.setLineWidth(2);
    const int cy = r.top + r.height() / 2;
    const bool checked = menu_->isCheckEntry(index) ||
                         ((menu_->getStyle() & kCheckStyle) && index == menu_->getCurrent());
    if (checked) {  // a tick in the left column
        context.drawLine(CPoint(r.left + 4, cy), CPoint(r.left + 6, cy + 3));
        context.drawLine(CPoint(r.left + 6, cy + 3), CPoint(r.left + 11, cy - 3));
    }
    context.setLineWidth(1);
    if (menu_->getSubMenu(index)) {  // a right-pointing triangle
        const int x = r.right - 10;
        for (int i = 0; i < 4; ++i)
            context.drawLine(CPoint(x + i, cy - 3 + i), CPoint(x + i, cy + 3 - i));
    }
}

void CMenuPopup::render() {
    pixels_.fill(kMenuBack);
    CDrawContext context(nullptr, &pixels_);
    context.setFrameColor(kMenuBorder);
    context.drawRect(pixels_.bounds());
    const long count = std::min<long>(menu_->getNbEntries(), static_cast<long>(entryRects_.size()));
    for (long i = 0; i < count; ++i) drawEntry(i);
    if (window_) window_->present(pixels_, pixels_.bounds());
}

void CMenuPopup::setWindow(std::unique_ptr<IPlatformWindow> window) {
    window_ = std::move(window);
    render();
}

}  // namespace VSTGUI
