// Menus, dialogs and commands of the editor: the options, bank and preset
// menus, the name fields, the library dialogs and the L/R–M/S commands.
//
// This file holds the entry points BorvanEdit calls. The panel and dialog
// basics (help switch, close and cancel kicks, band names, the L/R–M/S
// panel) are here; the menu contents and library commands are filled in
// by the menu code.
#include "editor/borvan_edit.h"
#include "editor/borvan_interface.h"
#include "editor/borvan_interface_gui.h"
#include "editor/cchoix.h"
#include "editor/name_check.h"
#include "gui/ctextedit.h"

namespace solva {

using namespace VSTGUI;

namespace {

constexpr long kHelpSwitchTag = 110;
constexpr long kClosePanelTag = 92;
constexpr long kCancelTag = 95;
constexpr long kFirstBankSubMenuTag = 116;

bool isMenuCommandTag(long tag) {
    return tag == 69 || tag == 70 || (tag >= 74 && tag <= 79) || (tag >= 82 && tag <= 103) ||
           tag == kHelpSwitchTag || tag == 115 || tag >= kFirstBankSubMenuTag;
}

}  // namespace

void BorvanEdit::rebuildBankMenu() {}

void BorvanEdit::rebuildPresetMenu() {}

void BorvanEdit::fillOptionsMenu() {}

void BorvanEdit::refreshOptionMarks() {}

void BorvanEdit::rebuildSideMenus() {}

bool BorvanEdit::handleMenuCommand(long tag, CControl* control) {
    if (tag >= 35 && tag <= 42) {
        auto* field = dynamic_cast<CTextEdit*>(control);
        if (field && isValidEditorName(field->getText(), kBandNameLimit))
            bridge_->setBandName(static_cast<int>(tag), field->getText());
        return true;
    }
    if (!isMenuCommandTag(tag)) return false;
    const float value = control->getValue();
    switch (tag) {
    case kHelpSwitchTag:
        if (value > 0.5f) {
            hideAllDialogs();
            showOverlay(kHelpPanel, true);
        } else if (value < 0.5f) {
            showOverlay(kHelpPanel, false);
        }
        break;
    case kClosePanelTag:
        if (value < 0.5f) {
            showOverlay(kInfoPanel, false);
            showOverlay(kAboutPanel, false);
        }
        break;
    case kCancelTag:
        if (value < 0.5f) hideAllDialogs();
        break;
    default: break;
    }
    return true;
}

void BorvanEdit::hideAllDialogs() {
    menu_.newPresetRequested = menu_.newBankRequested = false;
    menu_.deletePresetRequested = menu_.deleteBankRequested = false;
    menu_.renameRequested = menu_.moveRequested = false;
    for (OverlayId id : {kDeleteBankDialog, kDeletePresetDialog, kBankDialog, kBankNameExistsDialog, kPresetDialog,
                         kCreateNewDialog, kDiscardLRDialog, kDiscardMSDialog, kInfoPanel, kAboutPanel})
        if (isOverlayShown(id)) showOverlay(id, false);
    if (isOverlayShown(kHelpPanel)) {
        showOverlay(kHelpPanel, false);
        if (components_) components_->updateValue(kHelpSwitchTag, 0.0f);
    }
}

void BorvanEdit::showChannelPanel(int mode) {
    menu_.lrMode = mode == 1;
    menu_.msMode = mode == 2;
    showOverlay(kChannelPanel, mode == 1 || mode == 2);
}

}  // namespace solva
