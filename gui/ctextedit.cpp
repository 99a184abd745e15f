#include "gui/ctextedit.h"

#include <algorithm>

#include "gui/cdrawcontext.h"
#include "gui/cframe.h"

namespace VSTGUI {

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, long tag, const char* text,
                     CBitmap* background, long style)
    : CParamDisplay(size, background, style) {
    listener_ = listener;
    tag_ = tag;
    setText(text);
}

CTextEdit::~CTextEdit() = default;

void CTextEdit::setText(const char* text) {
    std::string t = text ? text : "";
    if (t.size() > static_cast<size_t>(kMaxTextLength)) t.resize(kMaxTextLength);
    if (t != text_) {
        text_ = t;
        setDirty(true);
    }
}

void CTextEdit::getText(char* text) const {
    if (!text) return;
    text_.copy(text, kMaxTextLength);
    text[std::min(text_.size(), static_cast<size_t>(kMaxTextLength))] = 0;
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const long& buttons) {
    if (!mouseEnabled_ || !(buttons & kLButton)) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    if (frame_)
        frame_->setFocusView(this);
    else
        takeFocus();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus() {
    if (editing_) return;
    editing_ = true;
    editText_ = text_;
    caret_ = editText_.size();
    setDirty(true);
}

void CTextEdit::looseFocus() { finishEditing(true); }

void CTextEdit::cancelEditing() { finishEditing(false); }

// Ends editing once, whichever of Return, Escape or focus loss comes first.
void CTextEdit::finishEditing(bool apply) {
    if (!editing_ || finishing_) return;
    finishing_ = true;
    editing_ = false;
    if (frame_ && frame_->getFocusView() == this) frame_->setFocusView(nullptr);
    if (apply) text_ = editText_;
    setDirty(true);
    finishing_ = false;
    if (apply) notifyValueChanged();
}

void CTextEdit::insertCharacter(int character) {
    if (editText_.size() >= static_cast<size_t>(kMaxTextLength)) return;
    if (character < 0x20 || character == 0x7F || character > 0xFF) return;
    if (character < 0x80) {
        editText_.insert(caret_, 1, static_cast<char>(character));
        ++caret_;
    } else {
        // Latin-1 stored as UTF-8, the encoding the renderer reads.
        const char utf8[2] = {static_cast<char>(0xC0 | (character >> 6)),
                              static_cast<char>(0x80 | (character & 0x3F))};
        editText_.insert(caret_, utf8, 2);
        caret_ += 2;
    }
}

namespace {

// Steps over a whole UTF-8 sequence.
size_t previousCharStart(const std::string& s, size_t pos) {
    if (pos == 0) return 0;
    --pos;
    while (pos > 0 && (static_cast<unsigned char>(s[pos]) & 0xC0) == 0x80) --pos;
    return pos;
}

size_t nextCharStart(const std::string& s, size_t pos) {
    if (pos >= s.size()) return s.size();
    ++pos;
    while (pos < s.size() && (static_cast<unsigned char>(s[pos]) & 0xC0) == 0x80) ++pos;
    return pos;
}

}  // namespace

long CTextEdit::onKeyDown(CKeyCode& key) {
    if (!editing_) return -1;
    switch (key.virt) {
        case VKEY_RETURN:
        case VKEY_ENTER: finishEditing(true); return 1;
        case VKEY_ESCAPE: finishEditing(false); return 1;
        case VKEY_BACK:
            if (caret_ > 0) {
                const size_t start = previousCharStart(editText_, caret_);
                editText_.erase(start, caret_ - start);
                caret_ = start;
            }
            break;
        case VKEY_DELETE:
            if (caret_ < editText_.size())
                editText_.erase(caret_, nextCharStart(editText_, caret_) - caret_);
            break;
        case VKEY_LEFT: caret_ = previousCharStart(editText_, caret_); break;
        case VKEY_RIGHT: caret_ = nextCharStart(editText_, caret_); break;
        case VKEY_HOME: caret_ = 0; break;
        case VKEY_END: caret_ = editText_.size(); break;
        case VKEY_SPACE: insertCharacter(' '); break;
        case VKEY_NONE:
            if (key.character == 0) return -1;
            insertCharacter(key.character);
            break;
        default: return -1;
    }
    setDirty(true);
    return 1;
}

void CTextEdit::draw(CDrawContext* context) {
    if (!editing_) {
        CParamDisplay::draw(context);
        return;
    }
    // The edit box: a plain field over the control with a caret.
    context->setFillColor(editBack_);
    context->fillRect(size_);
    applyFont(context);
    CRect textRect = size_;
    textRect.inset(textInset_, 0);
    const std::string beforeCaret = editText_.substr(0, caret_);
    const int textWidth = context->getStringWidth(editText_.c_str());
    // Left aligned while editing; scrolled so that the caret stays visible.
    int scroll = 0;
    const int caretX = context->getStringWidth(beforeCaret.c_str());
    if (caretX > textRect.width() - 2) scroll = caretX - (textRect.width() - 2);
    CRect shifted = textRect;
    shifted.left -= scroll;
    shifted.right = shifted.left + textWidth + 1;
    const CRect savedClip = context->getClipRect();
    CRect clip = textRect;
    clip.bound(savedClip);
    context->setClipRect(clip);
    context->setFontColor(editFont_);
    context->drawString(editText_.c_str(), shifted, false, kLeftText);
    context->setFrameColor(editFont_);
    const int x = textRect.left + caretX - scroll;
    const int textHeight = context->getFontFace().ascent() + context->getFontFace().descent();
    const int top = size_.top + (size_.height() - textHeight) / 2;
    context->drawLine(CPoint(x, top), CPoint(x, top + textHeight - 1));
    context->setClipRect(savedClip);
    setDirty(false);
}

}  // namespace VSTGUI
