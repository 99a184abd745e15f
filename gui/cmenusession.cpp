#include "gui/cmenusession.h"

#include <algorithm>
#include <chrono>

#include "gui/cframe.h"
#include "gui/coptionmenu.h"

namespace VSTGUI {

namespace {

int gSubMenuDelayMs = 250;  // about the platform's usual menu show delay
long long (*gClockMs)() = nullptr;

}  // namespace

void CMenuSession::setSubMenuDelayMs(int delayMs) { gSubMenuDelayMs = delayMs < 0 ? 0 : delayMs; }

void CMenuSession::setClock(long long (*clockMs)()) { gClockMs = clockMs; }

long long CMenuSession::nowMs() {
    if (gClockMs) return gClockMs();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

CMenuSession::CMenuSession(CFrame* frame, COptionMenu* menu, CPoint screenTopLeft)
    : frame_(frame), delayMs_(gSubMenuDelayMs) {
    pushPopup(menu, screenTopLeft, CRect());
    openerIndex_.push_back(-1);
}

CMenuSession::~CMenuSession() { close(); }

CMenuPopup* CMenuSession::getPopup(int level) const {
    if (level < 0 || level >= getDepth()) return nullptr;
    return popups_[static_cast<size_t>(level)].get();
}

// Keeps a pop-up on screen: sub-menus flip to the parent's left side when
// they would leave the screen on the right; everything moves up when it
// would leave at the bottom.
CPoint CMenuSession::clampToScreen(CPoint topLeft, CPoint size, const CRect& parentEntry) const {
    IPlatformWindow* window = frame_->getPlatformWindow();
    const CPoint screen = window ? window->getScreenSize() : CPoint(1 << 15, 1 << 15);
    if (topLeft.h + size.h > screen.h)
        topLeft.h = parentEntry.isEmpty() ? screen.h - size.h : parentEntry.left - size.h;
    if (topLeft.v + size.v > screen.v) topLeft.v = screen.v - size.v;
    topLeft.h = std::max(0, topLeft.h);
    topLeft.v = std::max(0, topLeft.v);
    return topLeft;
}

void CMenuSession::pushPopup(COptionMenu* menu, CPoint screenTopLeft, const CRect& parentEntry) {
    IPlatformWindow* window = frame_->getPlatformWindow();
    const int screenHeight = window ? window->getScreenSize().v : 0;
    auto popup = std::make_unique<CMenuPopup>(menu, screenTopLeft, screenHeight);
    popup->moveTo(clampToScreen(screenTopLeft, popup->getSize(), parentEntry));
    IPlatformFactory* factory = frame_->getPlatformFactory();
    if (factory) {
        auto popupWindow = factory->createPopupWindow(window, popup->getScreenRect(), this);
        if (popupWindow && popups_.empty()) popupWindow->grabInput();
        popup->setWindow(std::move(popupWindow));
    } else {
        popup->render();
    }
    popups_.push_back(std::move(popup));
}

int CMenuSession::levelAt(const CPoint& screen) const {
    for (int level = getDepth() - 1; level >= 0; --level)
        if (popups_[level]->getScreenRect().pointInside(screen)) return level;
    return -1;
}

void CMenuSession::closeLevelsAbove(int level) {
    while (getDepth() > level + 1) {
        popups_.pop_back();
        openerIndex_.pop_back();
    }
}

void CMenuSession::openSubMenu(int level, long index) {
    COptionMenu* sub = popups_[level]->getMenu()->getSubMenu(index);
    if (!sub || sub->getNbEntries() == 0 || !popups_[level]->isSelectable(index)) return;
    if (getDepth() > level + 1 && popups_[level + 1]->getMenu() == sub) return;
    closeLevelsAbove(level);
    const CRect entry = popups_[level]->entryScreenRect(index);
    const CRect parent = popups_[level]->getScreenRect();
    pushPopup(sub, CPoint(parent.right - 2, entry.top - 1), parent);
    openerIndex_.push_back(index);
}

void CMenuSession::highlight(int level, long index) {
    popups_[level]->setHighlight(index);
    const bool deeperOpen = getDepth() > level + 1;
    COptionMenu* wanted = popups_[level]->isSelectable(index)
                              ? popups_[level]->getMenu()->getSubMenu(index)
                              : nullptr;
    if (deeperOpen && popups_[level + 1]->getMenu() == wanted) {
        pendingLevel_ = -1;  // back on the entry of the open sub-menu
        return;
    }
    if (!deeperOpen || delayMs_ == 0) {
        pendingLevel_ = -1;
        closeLevelsAbove(level);
        if (wanted) openSubMenu(level, index);
        return;
    }
    if (pendingLevel_ != level || pendingIndex_ != index) {
        pendingLevel_ = level;
        pendingIndex_ = index;
        pendingSinceMs_ = nowMs();
    }
}

void CMenuSession::applyPendingSwitch() {
    const int level = pendingLevel_;
    const long index = pendingIndex_;
    pendingLevel_ = -1;
    if (level < 0 || level >= getDepth()) return;
    closeLevelsAbove(level);
    if (popups_[level]->getMenu()->getSubMenu(index)) openSubMenu(level, index);
}

void CMenuSession::idle() {
    if (!open_ || pendingLevel_ < 0) return;
    BusyScope busy(this);
    if (nowMs() - pendingSinceMs_ >= delayMs_) applyPendingSwitch();
}

void CMenuSession::close() {
    if (!open_) return;
    open_ = false;
    pendingLevel_ = -1;
    COptionMenu* root = popups_.empty() ? nullptr : popups_.front()->getMenu();
    if (root) root->remember();
    popups_.clear();
    openerIndex_.clear();
    if (root) {
        root->setPopupOpen(false);
        root->looseFocus();
        root->forget();
    }
}

void CMenuSession::cancel() {
    BusyScope busy(this);
    close();
}

bool CMenuSession::choose(int level, long index) {
    BusyScope busy(this);
    CMenuPopup* popup = getPopup(level);
    if (!open_ || !popup || !popup->isSelectable(index) || popup->getMenu()->getSubMenu(index))
        return false;
    COptionMenu* menu = popup->getMenu();
    menu->remember();
    close();
    menu->selectEntry(index);
    menu->forget();
    return true;
}

void CMenuSession::platformMouseMoved(CPoint where, long) {
    BusyScope busy(this);
    if (!open_) return;
    const int level = levelAt(where);
    if (level < 0) return;
    const long index = popups_[level]->entryAt(where);
    if (index >= 0) pointerEntered_ = true;
    if (pendingLevel_ >= 0 && level > pendingLevel_) {
        // Reached the open sub-menu: keep it and mark the entry that opened it.
        for (int l = pendingLevel_; l < level; ++l) popups_[l]->setHighlight(openerIndex_[l + 1]);
        pendingLevel_ = -1;
    }
    highlight(level, index);
}

void CMenuSession::platformMouseDown(CPoint where, long buttons) {
    BusyScope busy(this);
    if (!open_) return;
    const int level = levelAt(where);
    if (level < 0) {
        cancel();
        return;
    }
    pressInside_ = true;
    platformMouseMoved(where, buttons);
}

// A release chooses after a click inside the menu or a drag onto an entry
// (the release of the press that opened the menu does nothing otherwise).
void CMenuSession::platformMouseUp(CPoint where, long) {
    BusyScope busy(this);
    if (!open_) return;
    const int level = levelAt(where);
    if (level < 0 || !(pressInside_ || pointerEntered_)) return;
    choose(level, popups_[level]->entryAt(where));
}

bool CMenuSession::platformKeyDown(const CKeyCode& key) {
    BusyScope busy(this);
    if (!open_) return false;
    CMenuPopup* top = popups_.back().get();
    const long count = top->getMenu()->getNbEntries();
    switch (key.virt) {
        case VKEY_ESCAPE: cancel(); return true;
        case VKEY_UP:
        case VKEY_DOWN: {
            const long step = key.virt == VKEY_DOWN ? 1 : -1;
            long i = top->getHighlight();
            for (long n = 0; n < count; ++n) {
                i = (i + step + count) % count;
                if (top->isSelectable(i)) break;
            }
            top->setHighlight(i);
            return true;
        }
        case VKEY_RIGHT:
            if (top->getMenu()->getSubMenu(top->getHighlight()))
                openSubMenu(getDepth() - 1, top->getHighlight());
            return true;
        case VKEY_LEFT:
            if (getDepth() > 1) closeLevelsAbove(getDepth() - 2);
            return true;
        case VKEY_RETURN:
        case VKEY_ENTER:
            if (top->getMenu()->getSubMenu(top->getHighlight()))
                openSubMenu(getDepth() - 1, top->getHighlight());
            else
                choose(getDepth() - 1, top->getHighlight());
            return true;
        default: return true;  // the menu holds the keyboard while open
    }
}

void CMenuSession::platformExposed(const CRect&) {
    for (auto& popup : popups_) popup->render();
}

}  // namespace VSTGUI
