// A pop-up menu button: a list of entries (text, check flag, optional
// sub-menu) shown as a drawn pop-up window when clicked.
//
// Entry text prefixes: "-" alone is a separator; "-G" shows the entry
// disabled; "-M" marks an entry that opens a sub-menu. addEntry(subMenu,
// title) stores "-M%s", or with kNumberedStyle "-M%1d %s" / "-M%02d %s" /
// "-M%03d %s" (width by entry count); with kNumberedStyle every entry is
// shown as "%1d %s" (same widths). Prefixes are never displayed.
// Separators count as entries. A press opens the pop-up at the pointer.
// Choosing an entry sets the value of the menu
// that owns it (a sub-menu for sub-menu entries) to the entry index, makes
// it current and calls that menu's listener.
#pragma once

#include <string>
#include <vector>

#include "gui/cparamdisplay.h"

namespace VSTGUI {

class COptionMenu : public CParamDisplay {
public:
    COptionMenu(const CRect& size, CControlListener* listener, long tag,
                CBitmap* background = nullptr, CBitmap* backgroundWhenClicked = nullptr,
                long style = 0);
    ~COptionMenu() override;

    // Inserts at `index` (-1 = append); false when the index is invalid.
    virtual bool addEntry(const char* text, long index = -1);
    // Appends an entry opening `subMenu` (remembered by this menu).
    virtual bool addEntry(COptionMenu* subMenu, const char* title);
    virtual bool removeEntry(long index);
    virtual bool removeAllEntry();
    virtual bool setEntry(long index, const char* text);
    // Copies the stored text (with any prefix), at most 255 characters.
    bool getEntry(long index, char* text) const;
    const char* getEntryText(long index) const;
    long getNbEntries() const { return static_cast<long>(entries_.size()); }

    virtual bool checkEntry(long index, bool checked);
    bool checkEntryAlone(long index);
    bool isCheckEntry(long index) const;

    // Current entry index (-1 = none); with `text` copies its shown text.
    long getCurrent(char* text = nullptr, bool countSeparator = true) const;
    bool setCurrent(long index, bool countSeparator = true);
    long getLastResult() const { return lastResult_; }

    COptionMenu* getSubMenu(long index) const;
    // Entry classification for drawing and hit-testing.
    bool isSeparator(long index) const;
    bool isEnabled(long index) const;
    // The text shown for an entry (prefix removed, number added).
    std::string getDisplayEntry(long index) const;

    // Opens the pop-up with its top-left corner at `frameWhere` (a press
    // opens it at the pointer); without a point, below the button.
    virtual bool openPopup(const CPoint& frameWhere);
    bool openPopup();
    // What choosing entry `index` does (the pop-up calls it).
    virtual void selectEntry(long index);

    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    void takeFocus() override;
    void looseFocus() override;
    void setValue(float value) override;
    std::string getDisplayText() const override;
    void draw(CDrawContext* context) override;

    CBitmap* getBackgroundWhenClicked() const { return backgroundWhenClicked_; }
    bool isPopupOpen() const { return popupOpen_; }
    void setPopupOpen(bool open);

private:
    struct Entry {
        std::string text;
        bool checked = false;
        COptionMenu* subMenu = nullptr;  // remembered
    };

    std::vector<Entry> entries_;
    long current_ = -1;
    long lastResult_ = -1;
    CBitmap* backgroundWhenClicked_ = nullptr;
    bool popupOpen_ = false;
};

}  // namespace VSTGUI
