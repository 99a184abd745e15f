#include "editor/ctexte.h"

#include "editor/borvan_interface.h"

namespace solva {

using namespace VSTGUI;

CAfficheTexte::CAfficheTexte(const CRect& size, long tag, CBitmap* background)
    : CParamDisplay(size, background) {
    tag_ = tag;
    setMouseEnabled(false);
}

void CAfficheTexte::fetchText() {
    if (!bridge()) return;
    const char* text = bridge()->getDisplayText(static_cast<int>(tag_));
    text_ = text ? text : "";
}

void CAfficheTexte::draw(CDrawContext* context) {
    fetchText();
    CParamDisplay::draw(context);
}

void CAfficheTexte::updateValue(long, float value) {
    value_ = value;
    setDirty(true);
}

CEditTexte::CEditTexte(const CRect& size, CControlListener* listener, long tag, CBitmap* background)
    : CTextEdit(size, listener, tag, nullptr, background) {}

void CEditTexte::fetchText() {
    if (!bridge() || isEditing()) return;
    const char* text = bridge()->getDisplayText(static_cast<int>(tag_));
    text_ = text ? text : "";
}

void CEditTexte::draw(CDrawContext* context) {
    fetchText();
    CTextEdit::draw(context);
}

void CEditTexte::updateValue(long, float value) {
    value_ = value;
    fetchText();
    setDirty(true);
}

}  // namespace solva
