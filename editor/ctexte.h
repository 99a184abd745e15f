// Text controls that show what the effect says for their tag:
//  - CAfficheTexte: read-only; the text is fetched from the bridge's
//    display text at each draw.
//  - CEditTexte: the same, and a click opens the toolkit's single-line
//    edit box; when editing ends the listener reads the typed text.
#pragma once

#include "editor/component_link.h"
#include "editor/reception.h"
#include "gui/ctextedit.h"

namespace solva {

class CAfficheTexte : public VSTGUI::CParamDisplay, public CReceptionMiseAJourComposant, public ComponentLink {
public:
    CAfficheTexte(const VSTGUI::CRect& size, long tag, VSTGUI::CBitmap* background);

    void draw(VSTGUI::CDrawContext* context) override;
    std::string getDisplayText() const override { return text_; }
    void updateValue(long tag, float value) override;
    void setShown(long, bool shown) override { applyShown(this, shown); }

private:
    void fetchText();
    std::string text_;
};

class CEditTexte : public VSTGUI::CTextEdit, public CReceptionMiseAJourComposant, public ComponentLink {
public:
    CEditTexte(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag,
               VSTGUI::CBitmap* background);

    void draw(VSTGUI::CDrawContext* context) override;
    void updateValue(long tag, float value) override;
    void setShown(long, bool shown) override { applyShown(this, shown); }

private:
    void fetchText();
};

}  // namespace solva
