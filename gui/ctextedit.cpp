#include "gui/ctextedit.h"

#include <algorithm>
#include <cstdlib>

#include "gui/cdrawcontext.h"
#include "gui/cframe.h"

namespace VSTGUI {

namespace {
const CColor kSelectionColor(51, 102, 204);
}  // namespace

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

CMouseEventResult CTextEdit::onMouseDown(CPoint& where, const long& buttons) {
    if (!mouseEnabled_ || !(buttons & kLButton)) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    if (editing_) {
        allSelected_ = false;
        caret_ = caretFromX(where.h);
        setDirty(true);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
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
    scrollPx_ = 0;
    allSelected_ = !editText_.empty();
    setDirty(true);
}

void CTextEdit::looseFocus() { finishEditing(true); }

void CTextEdit::cancelEditing() { finishEditing(false); }

// Ends editing once, whichever of Return, Escape or focus loss comes first.
void CTextEdit::finishEditing(bool apply) {
    if (!editing_ || finishing_) return;
    finishing_ = true;
    editing_ = false;
    allSelected_ = false;
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
    if (key.virt == VKEY_RETURN || key.virt == VKEY_ENTER) {
        finishEditing(true);
        return 1;
    }
    if (key.virt == VKEY_ESCAPE) {
        finishEditing(false);
        return 1;
    }
    if (!editKey(key)) return -1;
    setDirty(true);
    return 1;
}

bool CTextEdit::editKey(const CKeyCode& key) {
    if (key.modifier & MODIFIER_CONTROL) {
        // Control shortcuts never type; Control+A selects everything.
        if (key.character != 'a' && key.character != 'A') return false;
        allSelected_ = !editText_.empty();
        caret_ = editText_.size();
        return true;
    }
    const bool typing = key.virt == VKEY_SPACE || (key.virt == VKEY_NONE && key.character != 0);
    const bool erasing = key.virt == VKEY_BACK || key.virt == VKEY_DELETE;
    if (allSelected_) {
        allSelected_ = false;
        if (typing || erasing) {
            editText_.clear();
            caret_ = 0;
            if (erasing) return true;
        } else if (key.virt == VKEY_LEFT) {
            caret_ = 0;  // to the start of the selection
            return true;
        } else if (key.virt == VKEY_RIGHT) {
            return true;  // the caret already sits at its end
        }
    }
    switch (key.virt) {
        case VKEY_BACK:
            if (caret_ > 0) {
                const size_t start = previousCharStart(editText_, caret_);
                editText_.erase(start, caret_ - start);
                caret_ = start;
            }
            return true;
        case VKEY_DELETE:
            if (caret_ < editText_.size())
                editText_.erase(caret_, nextCharStart(editText_, caret_) - caret_);
            return true;
        case VKEY_LEFT: caret_ = previousCharStart(editText_, caret_); return true;
        case VKEY_RIGHT: caret_ = nextCharStart(editText_, caret_); return true;
        case VKEY_HOME: caret_ = 0; return true;
        case VKEY_END: caret_ = editText_.size(); return true;
        case VKEY_SPACE: insertCharacter(' '); return true;
        case VKEY_NONE:
            if (key.character == 0) return false;
            insertCharacter(key.character);
            return true;
        default: return false;
    }
}

size_t CTextEdit::caretFromX(CCoord x) const {
    const CFontFace face = selectFont(font_, fontSize_, textFace_);
    const CCoord textX = x - (size_.left + textInset_) + scrollPx_;
    size_t best = 0;
    int bestDistance = 1 << 30;
    for (size_t pos = 0;; pos = nextCharStart(editText_, pos)) {
        const int width = measureText(face, editText_.substr(0, pos).c_str());
        const int distance = std::abs(width - textX);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = pos;
        }
        if (pos >= editText_.size()) break;
    }
    return best;
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
    scrollPx_ = scroll;
    CRect shifted = textRect;
    shifted.left -= scroll;
    shifted.right = shifted.left + textWidth + 1;
    const CRect savedClip = context->getClipRect();
    CRect clip = textRect;
    clip.bound(savedClip);
    context->setClipRect(clip);
    CColor textColor = editFont_;
    if (allSelected_) {  // the selection: highlighted behind the text
        const int textHeight = context->getFontFace().ascent() + context->getFontFace().descent();
        const int top = size_.top + (size_.height() - textHeight) / 2;
        context->setFillColor(kSelectionColor);
        context->fillRect(CRect(shifted.left, top, shifted.left + textWidth, top + textHeight));
        textColor = kWhiteCColor;
    }
    context->setFontColor(textColor);
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
