#include "gui/coptionmenu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"
#include "gui/cframe.h"

namespace VSTGUI {

namespace {

bool hasPrefix(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// "%1d %s", "%02d %s" or "%03d %s" by the number of entries.
std::string numbered(long number, long count, const std::string& text) {
    char buffer[300];
    const char* format = count < 10 ? "%1ld %s" : (count < 100 ? "%02ld %s" : "%03ld %s");
    std::snprintf(buffer, sizeof buffer, format, number, text.c_str());
    return buffer;
}

}  // namespace

COptionMenu::COptionMenu(const CRect& size, CControlListener* listener, long tag,
                         CBitmap* background, CBitmap* backgroundWhenClicked, long style)
    : CParamDisplay(size, background, style | kPopupStyle) {
    listener_ = listener;
    tag_ = tag;
    if (backgroundWhenClicked) {
        backgroundWhenClicked->remember();
        backgroundWhenClicked_ = backgroundWhenClicked;
    }
    setValue(0.0f);
}

COptionMenu::~COptionMenu() {
    removeAllEntry();
    if (backgroundWhenClicked_) backgroundWhenClicked_->forget();
}

bool COptionMenu::addEntry(const char* text, long index) {
    if (!text) return false;
    Entry entry;
    entry.text = text;
    if (index < 0 || index >= getNbEntries()) {
        if (index > getNbEntries()) return false;
        entries_.push_back(entry);
    } else {
        entries_.insert(entries_.begin() + index, entry);
    }
    max_ = static_cast<float>(std::max(1L, getNbEntries() - 1));
    setDirty(true);
    return true;
}

bool COptionMenu::addEntry(COptionMenu* subMenu, const char* title) {
    if (!subMenu || !title) return false;
    std::string text = std::string("-M") + title;
    if (style_ & kNumberedStyle) text = "-M" + numbered(getNbEntries() + 1, getNbEntries() + 1, title);
    if (!addEntry(text.c_str())) return false;
    subMenu->remember();
    entries_.back().subMenu = subMenu;
    return true;
}

bool COptionMenu::removeEntry(long index) {
    if (index < 0 || index >= getNbEntries()) return false;
    if (entries_[index].subMenu) entries_[index].subMenu->forget();
    entries_.erase(entries_.begin() + index);
    if (current_ >= getNbEntries()) current_ = getNbEntries() - 1;
    setDirty(true);
    return true;
}

bool COptionMenu::removeAllEntry() {
    for (Entry& e : entries_)
        if (e.subMenu) e.subMenu->forget();
    entries_.clear();
    current_ = -1;
    setDirty(true);
    return true;
}

bool COptionMenu::setEntry(long index, const char* text) {
    if (index < 0 || index >= getNbEntries() || !text) return false;
    entries_[index].text = text;
    setDirty(true);
    return true;
}

bool COptionMenu::getEntry(long index, char* text) const {
    if (!text) return false;
    text[0] = 0;
    if (index < 0 || index >= getNbEntries()) return false;
    std::snprintf(text, 256, "%s", entries_[index].text.c_str());
    return true;
}

const char* COptionMenu::getEntryText(long index) const {
    if (index < 0 || index >= getNbEntries()) return nullptr;
    return entries_[index].text.c_str();
}

bool COptionMenu::checkEntry(long index, bool checked) {
    if (index < 0 || index >= getNbEntries()) return false;
    entries_[index].checked = checked;
    return true;
}

bool COptionMenu::checkEntryAlone(long index) {
    for (Entry& e : entries_) e.checked = false;
    return checkEntry(index, true);
}

bool COptionMenu::isCheckEntry(long index) const {
    if (index < 0 || index >= getNbEntries()) return false;
    return entries_[index].checked;
}

long COptionMenu::getCurrent(char* text, bool countSeparator) const {
    if (text) {
        text[0] = 0;
        if (current_ >= 0 && current_ < getNbEntries())
            std::snprintf(text, 256, "%s", getDisplayEntry(current_).c_str());
    }
    if (countSeparator || current_ < 0) return current_;
    long index = 0;
    for (long i = 0; i < current_; ++i)
        if (!isSeparator(i)) ++index;
    return index;
}

bool COptionMenu::setCurrent(long index, bool countSeparator) {
    if (!countSeparator) {
        // Index among non-separator entries.
        for (long i = 0; i < getNbEntries(); ++i) {
            if (isSeparator(i)) continue;
            if (index-- == 0) return setCurrent(i, true);
        }
        return false;
    }
    if (index < 0 || index >= getNbEntries()) return false;
    current_ = index;
    value_ = static_cast<float>(index);
    setDirty(true);
    return true;
}

COptionMenu* COptionMenu::getSubMenu(long index) const {
    if (index < 0 || index >= getNbEntries()) return nullptr;
    return entries_[index].subMenu;
}

bool COptionMenu::isSeparator(long index) const {
    return index >= 0 && index < getNbEntries() && entries_[index].text == "-";
}

bool COptionMenu::isEnabled(long index) const {
    if (index < 0 || index >= getNbEntries() || isSeparator(index)) return false;
    return !hasPrefix(entries_[index].text, "-G");
}

std::string COptionMenu::getDisplayEntry(long index) const {
    if (index < 0 || index >= getNbEntries() || isSeparator(index)) return std::string();
    const std::string& text = entries_[index].text;
    if (hasPrefix(text, "-G")) return text.substr(2);
    if (hasPrefix(text, "-M")) return text.substr(2);  // numbered when it was added
    if (style_ & kNumberedStyle) return numbered(index + 1, getNbEntries(), text);
    return text;
}

bool COptionMenu::openPopup() {
    CPoint where(size_.left, size_.bottom);
    return openPopup(localToFrame(where));
}

bool COptionMenu::openPopup(const CPoint& frameWhere) {
    if (!frame_ || !frame_->openMenu(this, frameWhere)) return false;
    setPopupOpen(true);
    return true;
}

void COptionMenu::setPopupOpen(bool open) {
    if (popupOpen_ == open) return;
    popupOpen_ = open;
    setDirty(true);
}

void COptionMenu::selectEntry(long index) {
    if (index < 0 || index >= getNbEntries()) return;
    lastResult_ = index;
    current_ = index;
    value_ = static_cast<float>(index);
    setDirty(true);
    notifyValueChanged();
}

CMouseEventResult COptionMenu::onMouseDown(CPoint& where, const long& buttons) {
    if (mouseEnabled_ && (buttons & (kAnyMouseButton | kShift))) {
        takeFocus();
        CPoint frameWhere = where;
        openPopup(localToFrame(frameWhere));
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void COptionMenu::takeFocus() {}

void COptionMenu::looseFocus() {}

void COptionMenu::setValue(float value) {
    value_ = value;
    const long index = static_cast<long>(value);
    if (index >= 0 && index < getNbEntries()) current_ = index;
}

std::string COptionMenu::getDisplayText() const { return getDisplayEntry(current_); }

void COptionMenu::draw(CDrawContext* context) {
    if (popupOpen_ && backgroundWhenClicked_) {
        backgroundWhenClicked_->draw(context, size_, backOffset_);
        if (!(style_ & kNoTextStyle)) drawText(context, getDisplayText().c_str());
        setDirty(false);
        return;
    }
    CParamDisplay::draw(context);
}

}  // namespace VSTGUI
