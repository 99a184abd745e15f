// Menus of the editor: the options menu with its five sub-menus, the bank
// menu (one sub-menu per library group, the bank commands, "Sort By ...")
// and the preset menu, their check marks and texts, and the dispatch of
// every menu, name-field and dialog tag to its command.
//
// Entry texts follow the toolkit's conventions: "-" is a separator, "-G"
// shows an entry disabled. Preset and group names always get one blank in
// front so that a name starting with "-" is neither.
#include <cstdio>
#include <string>

#include "editor/borvan_commands.h"
#include "editor/borvan_edit.h"
#include "editor/borvan_interface.h"
#include "editor/borvan_interface_gui.h"
#include "editor/cchoix.h"
#include "editor/name_check.h"
#include "gui/ctextedit.h"

namespace solva {

using namespace VSTGUI;

namespace {

constexpr const char* kOptionsEntries[] = {"-", "Options Saved in Host project", "-", "Read Options", "-",
                                           "Save Options"};
constexpr const char* kMiscEntries[] = {
    "Class Bands by freq. order", "-", "Reset Band Gains", "Reset Output Gain", "Reset Active Bands",
    "Reset Inactive Bands", "-", "Init settings from current settings", "-", "Auto On Active",
    "Out Gain always active", "-", "AutoDspSave", "-", "Solva About"};
constexpr const char* kDisplayEntries[] = {
    "Value Display", "Name Display", "-", "Frequency as notes", "Q-factor as octaves", "-",
    "Show Clip Indicator", "Hold Clip Indicator", "-", "Wheel Incr : 0.01", "Wheel Incr : 0.05",
    "Wheel Incr : 0.1", "-", "Alt feature :  No gain drop", "Alt feature : - 6 dB gain drop",
    "Alt feature : -15 dB gain drop"};
constexpr const char* kSnapEntries[] = {
    "Frequency Snap Off", "Frequency Snap Coarse", "Frequency Snap Fine", "Frequency Snap Notes", "-",
    "Q Snap Off", "Q Snap Coarse", "Q Snap Fine", "-", "Gain Snap Off", "Gain Snap Coarse", "Gain Snap Fine",
    "-", "All Snap Off", "All Snap Coarse", "All Snap Fine"};
// Before the first refresh of the marks entry 3 reads "Switch ... Channels".
constexpr const char* kLREntries[] = {"Show L/R Settings", "Discard L/R Settings", "-", "Switch L/R Channels"};
constexpr const char* kMSEntries[] = {"Show M/S Settings", "Discard M/S Settings", "-", "Switch M/S Channels",
                                      "-", "Disable Input MS Coding", "Disable Output MS Decoding"};
constexpr const char* kSortEntries[] = {"Bank Name", "Author Name", "Project Name", "Active Bands", "All Presets"};

// The options menu's first five entries, in order, with their sub-menu tags.
struct SubMenuEntry {
    const char* title;
    long tag;
};
constexpr SubMenuEntry kOptionsSubMenus[] = {
    {"Misc", menus::kMiscMenuTag},        {"Display", menus::kDisplayMenuTag}, {"L/R Settings", menus::kLRMenuTag},
    {"M/S Settings", menus::kMSMenuTag}, {"Snap", menus::kSnapMenuTag}};

// Bank-menu item offsets (after the n group entries) by sort mode.
constexpr int kBankOffsetsByBank[6] = {1, 2, 4, 5, 7, 9};
constexpr int kBankOffsetsOther[6] = {0, 0, 0, 1, 3, 5};
enum BankOffset { kNewOffset, kDeleteOffset, kExportOffset, kImportOffset, kSortOffset, kFactoryOffset };

template <std::size_t N>
void addEntries(COptionMenu* menu, const char* const (&texts)[N]) {
    for (const char* text : texts) menu->addEntry(text);
}

bool isOn(float value) { return value >= 0.5f; }

// " " + text, so that a leading "-" is never read as a prefix.
std::string blankFirst(const char* text) { return std::string(" ") + (text ? text : ""); }

void uncheckAll(COptionMenu* menu) {
    for (long i = 0; i < menu->getNbEntries(); ++i) menu->checkEntry(i, false);
}

// "-G" + text when disabled, the plain text otherwise.
void setEnabledText(COptionMenu* menu, long index, const char* text, bool enabled) {
    menu->setEntry(index, (std::string(enabled ? "" : "-G") + text).c_str());
}

// Index 0..2 of a whole-number option: 0 → 0, 1 → 1, anything else → 2.
long threeWay(float value) {
    const int v = static_cast<int>(value);
    return v == 0 ? 0 : (v == 1 ? 1 : 2);
}

void refreshSnapMarks(COptionMenu* snap, CBorvanInterface* bridge) {
    uncheckAll(snap);
    const int freq = static_cast<int>(bridge->getValue(57));
    const int q = static_cast<int>(bridge->getValue(58));
    const int gain = static_cast<int>(bridge->getValue(59));
    if (freq >= 0 && freq <= 3) snap->checkEntry(freq, true);
    if (q >= 0 && q <= 2) snap->checkEntry(5 + q, true);
    if (gain >= 0 && gain <= 2) snap->checkEntry(9 + gain, true);
    if (freq == q && q == gain && freq >= 0 && freq <= 2) snap->checkEntry(13 + freq, true);
}

void refreshDisplayMarks(COptionMenu* display, CBorvanInterface* bridge) {
    uncheckAll(display);
    const struct {
        long entry;
        int index;
    } toggles[] = {{0, 51}, {1, 52}, {3, 60}, {4, 61}, {6, 62}, {7, 63}};
    for (const auto& t : toggles) display->checkEntry(t.entry, isOn(bridge->getValue(t.index)));
    display->checkEntry(9 + threeWay(bridge->getValue(66)), true);
    display->checkEntry(13 + threeWay(bridge->getValue(67)), true);
}

void refreshSideMarks(BorvanEdit& edit, COptionMenu* lr, COptionMenu* ms) {
    CBorvanInterface* bridge = edit.getBridge();
    const bool twoChannels = menus::hasTwoChannels(edit);
    const MenuState& state = edit.menuState();
    const bool lrEnabled = twoChannels && !state.msMode;
    const bool msEnabled = twoChannels && !state.lrMode;
    if (lr) {
        uncheckAll(lr);
        setEnabledText(lr, 0, "Show L/R Settings", lrEnabled);
        setEnabledText(lr, 1, "Discard L/R Settings", lrEnabled);
        setEnabledText(lr, 3, "Switch L/R Settings", lrEnabled);
    }
    if (ms) {
        uncheckAll(ms);
        setEnabledText(ms, 0, "Show M/S Settings", msEnabled);
        setEnabledText(ms, 1, "Discard M/S Settings", msEnabled);
        setEnabledText(ms, 3, "Switch M/S Settings", msEnabled);
        setEnabledText(ms, 5, "Disable Input MS Coding", msEnabled);
        setEnabledText(ms, 6, "Disable Output MS Decoding", msEnabled);
        ms->checkEntry(5, bridge->getValue(64) < 0.5f);
        ms->checkEntry(6, bridge->getValue(65) < 0.5f);
    }
}

// Forgets the component-set registration of every sub-menu of `menu`
// before the menu lets them go.
void releaseSubMenus(BorvanEdit& edit, COptionMenu* menu) {
    for (long i = 0; i < menu->getNbEntries(); ++i)
        if (auto* sub = dynamic_cast<CChoix*>(menu->getSubMenu(i))) edit.getComponents()->removeReceiver(sub);
    menu->removeAllEntry();
}

// A registered sub-menu with the given entries; the caller adds it to a
// menu, which then holds the only reference.
CChoix* makeSubMenu(BorvanEdit& edit, long tag) {
    return edit.getComponents()->createSubMenu(menus::kSubMenuStyle, tag, &edit);
}

void attachSubMenu(COptionMenu* parent, CChoix* sub, const std::string& title) {
    parent->addEntry(sub, title.c_str());
    sub->forget();
}

void addGroupSubMenu(BorvanEdit& edit, COptionMenu* bankMenu, int group) {
    CBorvanInterface* bridge = edit.getBridge();
    CChoix* sub = makeSubMenu(edit, menus::kFirstBankGroupTag + group);
    char label[256] = {};
    char name[256] = {};
    const int size = bridge->getGroupSize(group);
    for (int p = 0; p < size; ++p) {
        label[0] = name[0] = 0;
        bridge->getEntryTexts(group, p, label, name);
        sub->addEntry(blankFirst(name).c_str());
    }
    label[0] = 0;
    bridge->getGroupLabel(group, label);
    attachSubMenu(bankMenu, sub, blankFirst(label));
}

}  // namespace

// ---------------------------------------------------------------------------
// Lookups shared with the commands

namespace menus {

COptionMenu* optionsSubMenu(BorvanEdit& edit, long tag) {
    COptionMenu* options = edit.getOptionsMenu();
    if (!options) return nullptr;
    for (long i = 0; i < options->getNbEntries(); ++i)
        if (COptionMenu* sub = options->getSubMenu(i); sub && sub->getTag() == tag) return sub;
    return nullptr;
}

long bankGroupEntries(const COptionMenu& bankMenu) {
    long n = 0;
    while (n < bankMenu.getNbEntries() && bankMenu.getSubMenu(n) && !bankMenu.isSeparator(n)) ++n;
    return n;
}

long presetEntries(const COptionMenu& presetMenu) {
    long n = 0;
    while (n < presetMenu.getNbEntries() && !presetMenu.isSeparator(n)) ++n;
    return n;
}

void refreshLibraryMarks(BorvanEdit& edit) {
    CBorvanInterface* bridge = edit.getBridge();
    if (!bridge) return;
    const int group = bridge->getCurrentGroup();
    const int position = bridge->getCurrentPosition();
    if (COptionMenu* presets = edit.getPresetMenu()) {
        uncheckAll(presets);
        if (group >= 0 && position >= 0 && position < presetEntries(*presets)) presets->checkEntry(position, true);
    }
    COptionMenu* banks = edit.getBankMenu();
    if (!banks) return;
    uncheckAll(banks);
    const long n = bankGroupEntries(*banks);
    for (long g = 0; g < n; ++g) {
        COptionMenu* sub = banks->getSubMenu(g);
        uncheckAll(sub);
        if (g == group) sub->checkEntry(position, true);
    }
    if (group >= 0 && group < n) banks->checkEntry(group, true);
    const int* offsets = edit.menuState().bankMenuOffsets;
    if (COptionMenu* sort = banks->getSubMenu(n + offsets[kSortOffset])) {
        uncheckAll(sort);
        sort->checkEntry(bridge->getSortMode(), true);
    }
    banks->checkEntry(n + offsets[kFactoryOffset], bridge->areFactoryPresetsShown());
}

}  // namespace menus

// ---------------------------------------------------------------------------
// BorvanEdit hooks

void BorvanEdit::fillOptionsMenu() {
    if (!optionsMenu_ || !components_) return;
    releaseSubMenus(*this, optionsMenu_);
    for (const SubMenuEntry& s : kOptionsSubMenus) {
        CChoix* sub = makeSubMenu(*this, s.tag);
        switch (s.tag) {
        case menus::kMiscMenuTag: addEntries(sub, kMiscEntries); break;
        case menus::kDisplayMenuTag: addEntries(sub, kDisplayEntries); break;
        case menus::kLRMenuTag: addEntries(sub, kLREntries); break;
        case menus::kMSMenuTag: addEntries(sub, kMSEntries); break;
        default: addEntries(sub, kSnapEntries); break;
        }
        attachSubMenu(optionsMenu_, sub, s.title);
    }
    addEntries(optionsMenu_, kOptionsEntries);
}

void BorvanEdit::refreshOptionMarks() {
    if (!optionsMenu_ || !bridge_) return;
    uncheckAll(optionsMenu_);
    optionsMenu_->checkEntry(6, isOn(bridge_->getValue(54)));
    if (COptionMenu* misc = menus::optionsSubMenu(*this, menus::kMiscMenuTag)) {
        uncheckAll(misc);
        misc->checkEntry(9, isOn(bridge_->getValue(55)));
        misc->checkEntry(10, isOn(bridge_->getValue(56)));
        misc->checkEntry(12, isOn(bridge_->getValue(50)));
    }
    if (COptionMenu* display = menus::optionsSubMenu(*this, menus::kDisplayMenuTag))
        refreshDisplayMarks(display, bridge_);
    if (COptionMenu* snap = menus::optionsSubMenu(*this, menus::kSnapMenuTag)) refreshSnapMarks(snap, bridge_);
    rebuildSideMenus();
}

void BorvanEdit::rebuildSideMenus() {
    if (!optionsMenu_ || !bridge_) return;
    refreshSideMarks(*this, menus::optionsSubMenu(*this, menus::kLRMenuTag),
                     menus::optionsSubMenu(*this, menus::kMSMenuTag));
}

void BorvanEdit::rebuildBankMenu() {
    if (!bankMenu_ || !bridge_ || !components_) return;
    // Not under an open pop-up: try again at the next idle.
    if (bankMenu_->isPopupOpen()) {
        markBankMenuForRebuild();
        return;
    }
    releaseSubMenus(*this, bankMenu_);
    const int groups = bridge_->getGroupCount();
    if (groups == 0)
        addGroupSubMenu(*this, bankMenu_, 0);
    for (int g = 0; g < groups; ++g) addGroupSubMenu(*this, bankMenu_, g);
    bankMenu_->addEntry("-");

    const bool byBank = bridge_->getSortMode() == 0;
    const int* offsets = byBank ? kBankOffsetsByBank : kBankOffsetsOther;
    for (int i = 0; i < 6; ++i) menu_.bankMenuOffsets[i] = offsets[i];
    if (byBank) {
        char label[256] = {};
        bridge_->getGroupLabel(bridge_->getCurrentGroup(), label);
        char text[300];
        std::snprintf(text, sizeof text, "Delete Bank : %s", label);
        bankMenu_->addEntry("New Bank");
        bankMenu_->addEntry(text);
        bankMenu_->addEntry("-");
        bankMenu_->addEntry("Export Bank");
    }
    bankMenu_->addEntry("Import Bank");
    bankMenu_->addEntry("-");
    CChoix* sort = makeSubMenu(*this, menus::kSortMenuTag);
    addEntries(sort, kSortEntries);
    attachSubMenu(bankMenu_, sort, "Sort By ...");
    bankMenu_->addEntry("-");
    bankMenu_->addEntry("Use Factory");
    menus::refreshLibraryMarks(*this);
}

void BorvanEdit::rebuildPresetMenu() {
    if (!presetMenu_ || !bridge_) return;
    if (presetMenu_->isPopupOpen()) {
        markPresetMenuForRebuild();
        return;
    }
    presetMenu_->removeAllEntry();
    const int group = bridge_->getCurrentGroup();
    if (group < 0) {
        presetMenu_->addEntry("No Presets available");
        menus::refreshLibraryMarks(*this);
        return;
    }
    char label[256] = {};
    char name[256] = {};
    const int size = bridge_->getGroupSize(group);
    for (int p = 0; p < size; ++p) {
        label[0] = name[0] = 0;
        bridge_->getEntryTexts(group, p, label, name);
        presetMenu_->addEntry(blankFirst(name).c_str());
    }
    presetMenu_->addEntry("-");
    presetMenu_->addEntry("Open Preset Information");
    presetMenu_->addEntry("-");
    presetMenu_->addEntry("New Preset");
    if (!bridge_->isFactoryPreset()) {
        label[0] = name[0] = 0;
        bridge_->getEntryTexts(group, bridge_->getCurrentPosition(), label, name);
        char text[300];
        std::snprintf(text, sizeof text, "Delete Preset : %s", name);
        presetMenu_->addEntry(text);
    }
    menus::refreshLibraryMarks(*this);
}

bool BorvanEdit::handleMenuCommand(long tag, CControl* control) {
    using namespace menus;
    const long entry = static_cast<long>(control->getValue());
    if ((tag >= 35 && tag <= 42) || (tag >= kBankNameTag && tag <= kProjectTag)) {
        auto* field = dynamic_cast<CTextEdit*>(control);
        if (!field) return true;
        // A copy: the commands make the effect refresh the field's text.
        const std::string text = field->getText();
        if (tag <= 42) {
            if (isValidEditorName(text.c_str(), kBandNameLimit)) bridge_->setBandName(static_cast<int>(tag), text.c_str());
        } else {
            runNameField(*this, tag, text.c_str());
        }
        return true;
    }
    switch (tag) {
    case kBankMenuTag: runBankMenuCommand(*this, entry); return true;
    case kPresetMenuTag: runPresetMenuCommand(*this, entry); return true;
    case kOptionsMenuTag:
    case kDisplayMenuTag:
    case kMiscMenuTag:
    case kSnapMenuTag:
    case kLRMenuTag:
    case kMSMenuTag: runOptionsCommand(*this, tag, entry); return true;
    case kSortMenuTag: bridge_->SetSortMode(static_cast<int>(entry)); return true;
    case kHelpSwitchTag:
        if (control->getValue() > 0.5f)
            openExclusive(*this, kHelpPanel);
        else
            closeOverlay(*this, kHelpPanel);
        return true;
    default: break;
    }
    if (tag >= kClosePanelTag && tag <= 103) {
        if (control->getValue() < 0.5f) runDialogButton(*this, tag);
        return true;
    }
    if (tag >= kFirstBankGroupTag) {
        runBankGroupCommand(*this, tag, entry);
        return true;
    }
    return false;
}

void BorvanEdit::hideAllDialogs() {
    menu_.newPresetRequested = menu_.newBankRequested = false;
    menu_.deletePresetRequested = menu_.deleteBankRequested = false;
    menu_.renameRequested = menu_.moveRequested = false;
    menu_.rememberedName.clear();
    for (OverlayId id : {kDeleteBankDialog, kDeletePresetDialog, kBankDialog, kBankNameExistsDialog, kPresetDialog,
                         kCreateNewDialog, kDiscardLRDialog, kDiscardMSDialog, kInfoPanel, kAboutPanel, kHelpPanel})
        if (isOverlayShown(id)) menus::closeOverlay(*this, id);
}

void BorvanEdit::showChannelPanel(int mode) {
    menu_.lrMode = mode == 1;
    menu_.msMode = mode == 2;
    showOverlay(kChannelPanel, mode == 1 || mode == 2);
    rebuildSideMenus();
}

}  // namespace solva
