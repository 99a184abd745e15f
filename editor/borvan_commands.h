// The commands behind the editor's menus, name fields and dialog buttons,
// shared by the menu builders (borvan_menus.cpp), the options and L/R–M/S
// commands (borvan_commands.cpp) and the library commands and dialogs
// (borvan_dialogs.cpp). Each takes the open editor; all run on the UI
// thread from BorvanEdit::valueChanged and do nothing once the window is
// gone.
#pragma once

#include "editor/borvan_layout.h"

namespace VSTGUI {
class COptionMenu;
}

namespace solva {

class BorvanEdit;

namespace menus {

// Tags of the menus, their sub-menus and the dialog controls.
constexpr long kBankMenuTag = 69;
constexpr long kPresetMenuTag = 70;
constexpr long kBankNameTag = 74;
constexpr long kPresetNameTag = 75;
constexpr long kPresetBankTag = 76;
constexpr long kAuthorTag = 77;
constexpr long kProjectTag = 79;
constexpr long kOptionsMenuTag = 82;
constexpr long kDisplayMenuTag = 83;
constexpr long kMiscMenuTag = 84;
constexpr long kSnapMenuTag = 85;
constexpr long kLRMenuTag = 86;
constexpr long kMSMenuTag = 87;
constexpr long kSortMenuTag = 91;
constexpr long kClosePanelTag = 92;
constexpr long kCancelTag = 95;
constexpr long kHelpSwitchTag = 110;
constexpr long kFirstBankGroupTag = 116;
// Sub-menus have no button of their own.
constexpr int kSubMenuStyle = 3;

// --- menus (borvan_menus.cpp) --------------------------------------------------
// The options sub-menu with `tag` (83..87), null when not built.
VSTGUI::COptionMenu* optionsSubMenu(BorvanEdit& edit, long tag);
// Number of leading group sub-menus of the bank menu (its n).
long bankGroupEntries(const VSTGUI::COptionMenu& bankMenu);
// Number of preset entries of the preset menu (before its first "-").
long presetEntries(const VSTGUI::COptionMenu& presetMenu);
// Check marks of the bank and preset menus from the library.
void refreshLibraryMarks(BorvanEdit& edit);

// --- options and sides (borvan_commands.cpp) ----------------------------------
// Entry `entry` chosen in the options menu (82) or one of its sub-menus.
void runOptionsCommand(BorvanEdit& edit, long tag, long entry);
// Keep left/mid (96, keepFirst) or right/side (97) of the discard dialogs.
void keepOneSide(BorvanEdit& edit, bool keepFirst);
// Whether the effect has the two output channels the side commands need.
bool hasTwoChannels(BorvanEdit& edit);

// --- library commands and dialogs (borvan_dialogs.cpp) -------------------------
void runBankMenuCommand(BorvanEdit& edit, long entry);
void runBankGroupCommand(BorvanEdit& edit, long tag, long entry);
void runPresetMenuCommand(BorvanEdit& edit, long entry);
// Text confirmed in name field `tag` (74..79).
void runNameField(BorvanEdit& edit, long tag, const char* text);
// Released dialog button `tag` (92..103).
void runDialogButton(BorvanEdit& edit, long tag);
// Hides one dialog or panel with the refreshes its closing implies.
void closeOverlay(BorvanEdit& edit, OverlayId id);
// Hides every other dialog, then shows `id`.
void openExclusive(BorvanEdit& edit, OverlayId id);

}  // namespace menus

}  // namespace solva
