// An editable single-line text field. A click (or takeFocus) starts
// editing: the field becomes an edit box drawn by the toolkit (white box,
// black text, caret) that takes the keyboard focus, with the whole text
// selected so that typing replaces it; a click inside places the caret,
// arrows, Home and End move it. Return/Enter or losing
// the focus ("LooseFocus": a click elsewhere, the window losing focus) ends
// editing: the typed text becomes the text, the control is marked changed
// and the listener is called. Escape ends editing and restores the text
// without calling the listener. The text holds at most 255 characters.
#pragma once

#include <string>

#include "gui/cparamdisplay.h"

namespace VSTGUI {

class CTextEdit : public CParamDisplay {
public:
    static constexpr int kMaxTextLength = 255;

    CTextEdit(const CRect& size, CControlListener* listener, long tag, const char* text = nullptr,
              CBitmap* background = nullptr, long style = 0);
    ~CTextEdit() override;

    virtual void setText(const char* text);
    // Copies the text (at most 255 characters plus terminator) to `text`.
    virtual void getText(char* text) const;
    const char* getText() const { return text_.c_str(); }

    bool isEditing() const { return editing_; }
    // While editing: the whole text is selected (typing replaces it).
    bool isAllSelected() const { return allSelected_; }
    size_t getCaret() const { return caret_; }
    // The text being typed while editing.
    const std::string& getEditText() const { return editText_; }
    void setEditColors(const CColor& back, const CColor& text) { editBack_ = back; editFont_ = text; }

    void takeFocus() override;   // starts editing
    void looseFocus() override;  // ends editing, applying the text
    // Ends editing without applying (Escape).
    void cancelEditing();

    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    long onKeyDown(CKeyCode& key) override;
    void draw(CDrawContext* context) override;
    std::string getDisplayText() const override { return text_; }

protected:
    // Inserts one typed character (Latin-1) at the caret.
    void insertCharacter(int character);
    // Caret position (byte offset) nearest to x in the field's coordinates.
    size_t caretFromX(CCoord x) const;
    // Applies a key to the edit buffer; false for keys it does not use.
    bool editKey(const CKeyCode& key);
    void finishEditing(bool apply);

    std::string text_;
    std::string editText_;
    size_t caret_ = 0;
    CCoord scrollPx_ = 0;  // horizontal scroll of the text while editing
    bool editing_ = false;
    bool allSelected_ = false;
    bool finishing_ = false;
    CColor editBack_ = kWhiteCColor;
    CColor editFont_ = kBlackCColor;
};

}  // namespace VSTGUI
