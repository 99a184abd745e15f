// Library commands of the editor: the bank and preset menus' choices, the
// name fields, the confirmation dialogs with their pending requests, the
// information, about and help panels, and bank export and import through
// the file-dialog companion.
#include <cstring>
#include <string>

#include "editor/borvan_commands.h"
#include "editor/borvan_edit.h"
#include "editor/borvan_interface.h"
#include "editor/borvan_interface_gui.h"
#include "editor/cchoix.h"
#include "editor/file_dialog_companion.h"
#include "editor/name_check.h"
#include "gui/cframe.h"
#include "gui/coptionmenu.h"

namespace solva {
namespace menus {

using VSTGUI::COptionMenu;

namespace {

constexpr OverlayId kLibraryDialogs[] = {kDeleteBankDialog,     kDeletePresetDialog, kBankDialog,
                                         kBankNameExistsDialog, kPresetDialog,       kCreateNewDialog};

bool isLibraryDialog(OverlayId id) {
    for (OverlayId d : kLibraryDialogs)
        if (d == id) return true;
    return false;
}

void clearRequests(MenuState& state) {
    state.newPresetRequested = state.newBankRequested = false;
    state.deletePresetRequested = state.deleteBankRequested = false;
    state.renameRequested = state.moveRequested = false;
    state.rememberedName.clear();
}

// Closes the library dialog(s) shown after a confirmation.
void closeLibraryDialogs(BorvanEdit& edit) {
    clearRequests(edit.menuState());
    for (OverlayId id : kLibraryDialogs) closeOverlay(edit, id);
}

// Save (export) or open (import) through the companion; nothing happens
// when it is missing or the user cancels.
void transferBank(BorvanEdit& edit, int mode) {
    edit.hideAllDialogs();
    std::string path;
    if (runBankFileDialog(mode, path) != 1) return;
    CBorvanInterface* bridge = edit.getBridge();
    if (!bridge) return;
    if (mode == kFileDialogSave)
        bridge->ExportBank(path.c_str());
    else
        bridge->ImportBank(path.c_str());
    edit.redrawFrame();
}

void requestAndOpen(BorvanEdit& edit, bool MenuState::*request, OverlayId dialog) {
    edit.hideAllDialogs();
    edit.menuState().*request = true;
    edit.showOverlay(dialog, true);
}

// The text the field shows now (what the effect says for its tag).
bool isUnchanged(CBorvanInterface* bridge, long tag, const char* text) {
    const char* shown = bridge->getDisplayText(static_cast<int>(tag));
    return shown && std::strcmp(shown, text) == 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Dialogs and panels

void closeOverlay(BorvanEdit& edit, OverlayId id) {
    if (!edit.isOverlayShown(id)) return;
    edit.showOverlay(id, false);
    if (isLibraryDialog(id) || id == kInfoPanel) {
        refreshLibraryMarks(edit);
    } else if (id == kAboutPanel) {
        edit.refreshOptionMarks();
    } else if (id == kHelpPanel) {
        if (CBorvanInterfaceGUI* components = edit.getComponents()) components->updateValue(kHelpSwitchTag, 0.0f);
    }
}

void openExclusive(BorvanEdit& edit, OverlayId id) {
    edit.hideAllDialogs();
    edit.showOverlay(id, true);
    if (id == kInfoPanel) refreshLibraryMarks(edit);
}

void runDialogButton(BorvanEdit& edit, long tag) {
    CBorvanInterface* bridge = edit.getBridge();
    MenuState& state = edit.menuState();
    const std::string name = state.rememberedName;
    switch (tag) {
    case kClosePanelTag:
        closeOverlay(edit, kInfoPanel);
        closeOverlay(edit, kAboutPanel);
        return;
    case 93:
    case 94: {
        const bool fromInit = tag == 93;
        if (state.newPresetRequested) bridge->NewPreset(fromInit);
        if (state.newBankRequested && bridge->getSortMode() == 0) bridge->NewBank(fromInit);
        break;
    }
    case kCancelTag:
        edit.hideAllDialogs();
        refreshLibraryMarks(edit);
        edit.refreshOptionMarks();
        return;
    case 96:
    case 97: keepOneSide(edit, tag == 96); return;
    case 98:  // rename the bank, or merge it into the existing one
        if (!name.empty()) bridge->RenameBank(name.c_str());
        break;
    case 99:  // current preset to the (new or existing) bank
        if (!name.empty()) bridge->SetPresetBank(name.c_str());
        break;
    case 100:
        if (!name.empty()) bridge->CopyBank(name.c_str());
        break;
    case 101:
        if (!name.empty()) bridge->RenamePreset(name.c_str());
        break;
    case 102:
        if (!name.empty()) {
            bridge->NewPreset(false);
            bridge->RenamePreset(name.c_str());
        }
        break;
    case 103:
        if (state.deletePresetRequested) bridge->DeletePreset(bridge->getCurrentGroup(), bridge->getCurrentPosition());
        if (state.deleteBankRequested) bridge->DeleteBank(bridge->getCurrentGroup());
        break;
    default: return;
    }
    if (edit.getBridge()) closeLibraryDialogs(edit);
}

// ---------------------------------------------------------------------------
// Name fields

void runNameField(BorvanEdit& edit, long tag, const char* text) {
    CBorvanInterface* bridge = edit.getBridge();
    if (!bridge || !isValidEditorName(text, kNameLimit)) return;
    // Leaving a field without changing it is no request.
    if (isUnchanged(bridge, tag, text)) return;
    MenuState& state = edit.menuState();
    switch (tag) {
    case kBankNameTag: {
        if (bridge->getSortMode() != 0) return;
        edit.hideAllDialogs();
        const bool exists = bridge->BankNameExists(text);
        state.rememberedName = text;
        (exists ? state.moveRequested : state.renameRequested) = true;
        edit.showOverlay(exists ? kBankNameExistsDialog : kBankDialog, true);
        break;
    }
    case kPresetNameTag:
        if (bridge->isFactoryPreset()) {
            bridge->NewPreset(false);
            bridge->RenamePreset(text);
            return;
        }
        edit.hideAllDialogs();
        state.rememberedName = text;
        state.renameRequested = true;
        edit.showOverlay(kPresetDialog, true);
        break;
    case kPresetBankTag:
        if (!bridge->isFactoryPreset()) bridge->SetPresetBank(text);
        break;
    case kAuthorTag:
        if (!bridge->isFactoryPreset()) bridge->SetPresetAuthor(text);
        break;
    case kProjectTag:
        if (!bridge->isFactoryPreset()) bridge->SetPresetProject(text);
        break;
    default: break;
    }
}

// ---------------------------------------------------------------------------
// Bank and preset menus

void runBankMenuCommand(BorvanEdit& edit, long entry) {
    CBorvanInterface* bridge = edit.getBridge();
    COptionMenu* menu = edit.getBankMenu();
    if (!bridge || !menu) return;
    const long n = bankGroupEntries(*menu);
    const int* offsets = edit.menuState().bankMenuOffsets;  // new, delete, export, import, sort, factory
    const bool byBank = bridge->getSortMode() == 0;
    if (entry == n + offsets[5]) {
        bridge->ToggleFactoryPresets();
    } else if (byBank && entry == n + offsets[0]) {
        requestAndOpen(edit, &MenuState::newBankRequested, kCreateNewDialog);
    } else if (byBank && entry == n + offsets[1]) {
        requestAndOpen(edit, &MenuState::deleteBankRequested, kDeleteBankDialog);
    } else if (byBank && entry == n + offsets[2]) {
        transferBank(edit, kFileDialogSave);
    } else if (entry == n + offsets[3]) {
        transferBank(edit, kFileDialogOpen);
    }
}

void runBankGroupCommand(BorvanEdit& edit, long tag, long entry) {
    CBorvanInterface* bridge = edit.getBridge();
    COptionMenu* menu = edit.getBankMenu();
    if (!bridge || !menu) return;
    const long group = tag - kFirstBankGroupTag;
    // In the flat view (no groups) the one sub-menu stands for group 0.
    const int groups = bridge->getGroupCount();
    const long accepted = groups == 0 ? 1 : groups;
    if (group < accepted && entry >= 0) bridge->LoadPresetAt(static_cast<int>(group), static_cast<int>(entry));
}

void runPresetMenuCommand(BorvanEdit& edit, long entry) {
    CBorvanInterface* bridge = edit.getBridge();
    COptionMenu* menu = edit.getPresetMenu();
    if (!bridge || !menu || bridge->getCurrentGroup() < 0) return;
    const long n = presetEntries(*menu);
    if (entry >= 0 && entry < n) {
        bridge->LoadPresetAtPosition(static_cast<int>(entry));
    } else if (entry == n + 1) {
        openExclusive(edit, kInfoPanel);
    } else if (entry == n + 3) {
        requestAndOpen(edit, &MenuState::newPresetRequested, kCreateNewDialog);
    } else if (entry == n + 4 && !bridge->isFactoryPreset()) {
        requestAndOpen(edit, &MenuState::deletePresetRequested, kDeletePresetDialog);
    }
}

}  // namespace menus
}  // namespace solva
