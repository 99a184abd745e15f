// The editor's library commands: the bank and preset menus built from the
// library (lazily, at idle), the bank commands by sort mode, the name
// fields with their check, the confirmation dialogs and their pending
// requests, the information, about and help panels, and bank export and
// import through the stand-in file-dialog companion.
#include <fstream>
#include <set>
#include <sstream>

#include "menu_test_support.h"

namespace menutest {
namespace {

using solva::menus::kFirstBankGroupTag;
using Texts = std::vector<std::string>;

class LibraryMenus : public MenuFixture {
protected:
    long groupEntries() { return solva::menus::bankGroupEntries(*banks()); }
    long presetCount() { return solva::menus::presetEntries(*presets()); }
    // Three user banks Alpha, Beta, Gamma of one preset each, factory
    // presets hidden; Gamma's preset is current.
    void makeThreeUserBanks() {
        for (const char* bank : {"Alpha", "Beta", "Gamma"}) {
            bridge()->NewPreset(false);
            bridge()->SetPresetBank(bank);
        }
        if (bridge()->areFactoryPresetsShown()) bridge()->ToggleFactoryPresets();
        idle();
        ASSERT_EQ(bridge()->getGroupCount(), 3);
        ASSERT_EQ(currentBank(), "Gamma");
        ASSERT_FALSE(bridge()->isFactoryPreset());
    }
    std::set<std::string> groupLabels() {
        std::set<std::string> out;
        char text[256];
        for (int g = 0; g < bridge()->getGroupCount(); ++g) {
            text[0] = 0;
            bridge()->getGroupLabel(g, text);
            out.insert(text);
        }
        return out;
    }
};

TEST_F(LibraryMenus, BankMenuHoldsOneSubMenuPerGroupThenTheBankCommands) {
    const int groups = bridge()->getGroupCount();
    ASSERT_GT(groups, 0);
    ASSERT_EQ(groupEntries(), groups);
    char label[256], name[256];
    for (int g = 0; g < groups; ++g) {
        COptionMenu* sub = banks()->getSubMenu(g);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->getTag(), kFirstBankGroupTag + g);
        bridge()->getGroupLabel(g, label);
        EXPECT_EQ(std::string(banks()->getEntryText(g)), std::string("-M ") + label);
        ASSERT_EQ(sub->getNbEntries(), bridge()->getGroupSize(g));
        for (int p = 0; p < sub->getNbEntries(); ++p) {
            bridge()->getEntryTexts(g, p, label, name);
            EXPECT_EQ(std::string(sub->getEntryText(p)), std::string(" ") + name);
        }
    }
    bridge()->getGroupLabel(bridge()->getCurrentGroup(), label);
    const Texts all = texts(banks());
    const Texts tail(all.begin() + groups, all.end());
    EXPECT_EQ(tail, (Texts{"-", "New Bank", std::string("Delete Bank : ") + label, "-", "Export Bank", "Import Bank",
                           "-", "-MSort By ...", "-", "Use Factory"}));
    COptionMenu* sort = banks()->getSubMenu(groups + 7);
    ASSERT_NE(sort, nullptr);
    EXPECT_EQ(sort->getTag(), solva::menus::kSortMenuTag);
    EXPECT_EQ(texts(sort), (Texts{"Bank Name", "Author Name", "Project Name", "Active Bands", "All Presets"}));
    // Marks: the current group, its current entry, sort mode 0, factory shown.
    EXPECT_EQ(marks(sort), "10000");
    EXPECT_TRUE(banks()->isCheckEntry(bridge()->getCurrentGroup()));
    EXPECT_TRUE(banks()->isCheckEntry(groups + 9));
    EXPECT_TRUE(banks()->getSubMenu(bridge()->getCurrentGroup())->isCheckEntry(bridge()->getCurrentPosition()));
}

TEST_F(LibraryMenus, InSortModeOneTheBankCommandsGoAndUseFactoryIsEntryNPlusFive) {
    ASSERT_TRUE(choose(banks(), {groupEntries() + 7, 1}));  // Sort By ... > Author Name
    EXPECT_EQ(bridge()->getSortMode(), 1);
    const long n = groupEntries();
    EXPECT_EQ(n, bridge()->getGroupCount());
    const Texts all = texts(banks());
    const Texts tail(all.begin() + n, all.end());
    EXPECT_EQ(tail, (Texts{"-", "Import Bank", "-", "-MSort By ...", "-", "Use Factory"}));
    EXPECT_EQ(marks(banks()->getSubMenu(n + 3)), "01000");
    EXPECT_TRUE(banks()->isCheckEntry(n + 5));
    ASSERT_TRUE(choose(banks(), {n + 5}));
    EXPECT_FALSE(bridge()->areFactoryPresetsShown());
    EXPECT_FALSE(banks()->isCheckEntry(groupEntries() + 5));
}

TEST_F(LibraryMenus, FlatViewHasOneSubMenuWhoseEntriesLoad) {
    ASSERT_TRUE(choose(banks(), {groupEntries() + 7, 4}));  // All Presets
    EXPECT_EQ(bridge()->getGroupCount(), 0);
    ASSERT_EQ(groupEntries(), 1);
    EXPECT_STREQ(banks()->getEntryText(0), "-M All");
    EXPECT_EQ(banks()->getSubMenu(0)->getTag(), kFirstBankGroupTag);
    ASSERT_GE(banks()->getSubMenu(0)->getNbEntries(), 3);
    ASSERT_TRUE(choose(banks(), {0, 2}));
    EXPECT_EQ(bridge()->getCurrentPosition(), 2);
}

TEST_F(LibraryMenus, MenusAreRebuiltOnlyAtTheNextIdleAfterALibraryChange) {
    const long before = banks()->getNbEntries();
    const long presetsBefore = presets()->getNbEntries();
    bridge()->NewBank(false);
    EXPECT_TRUE(editor->isBankMenuMarked());
    EXPECT_TRUE(editor->isPresetMenuMarked());
    EXPECT_EQ(banks()->getNbEntries(), before);
    EXPECT_EQ(presets()->getNbEntries(), presetsBefore);
    idle();
    EXPECT_FALSE(editor->isBankMenuMarked());
    EXPECT_EQ(banks()->getNbEntries(), before + 1);
}

TEST_F(LibraryMenus, AnOpenMenuIsRebuiltOnlyAfterItCloses) {
    const long before = banks()->getNbEntries();
    CMenuSession* session = openByClick(banks());
    ASSERT_NE(session, nullptr);
    bridge()->NewBank(false);
    idle();
    EXPECT_TRUE(session->isOpen());
    EXPECT_EQ(banks()->getNbEntries(), before);
    EXPECT_TRUE(editor->isBankMenuMarked());
    session->cancel();
    idle();
    EXPECT_EQ(banks()->getNbEntries(), before + 1);
    EXPECT_FALSE(editor->isBankMenuMarked());
}

TEST_F(LibraryMenus, ChoosingAPresetInAGroupSubMenuLoadsIt) {
    const int group = groupNamed("Mixing");
    ASSERT_GE(group, 0);
    ASSERT_TRUE(choose(banks(), {group, 1}));
    EXPECT_EQ(bridge()->getCurrentGroup(), group);
    EXPECT_EQ(bridge()->getCurrentPosition(), 1);
    EXPECT_EQ(currentBank(), "Mixing");
    // The preset menu now lists that bank, with the loaded entry checked.
    EXPECT_EQ(presetCount(), bridge()->getGroupSize(group));
    EXPECT_TRUE(presets()->isCheckEntry(1));
    ASSERT_TRUE(choose(presets(), {2}));
    EXPECT_EQ(bridge()->getCurrentPosition(), 2);
    EXPECT_TRUE(presets()->isCheckEntry(2));
    EXPECT_FALSE(presets()->isCheckEntry(1));
}

TEST_F(LibraryMenus, PresetMenuListsTheGroupThenItsCommands) {
    makeThreeUserBanks();
    const long n = presetCount();
    EXPECT_EQ(n, 1);
    const Texts all = texts(presets());
    EXPECT_EQ(Texts(all.begin() + n, all.end()),
              (Texts{"-", "Open Preset Information", "-", "New Preset", "Delete Preset : " + currentPresetName()}));
    // A factory preset offers no deletion.
    bridge()->ToggleFactoryPresets();
    bridge()->LoadPresetAt(groupNamed("Drums"), 0);
    idle();
    ASSERT_TRUE(bridge()->isFactoryPreset());
    EXPECT_STREQ(presets()->getEntryText(presets()->getNbEntries() - 1), "New Preset");
}

TEST_F(LibraryMenus, WithoutPresetsThePresetMenuSaysSo) {
    bridge()->ToggleFactoryPresets();  // only factory presets exist: the view empties
    idle();
    ASSERT_LT(bridge()->getCurrentGroup(), 0);
    EXPECT_EQ(texts(presets()), (Texts{"No Presets available"}));
    EXPECT_TRUE(choose(presets(), {0}));  // chosen, and nothing happens
}

TEST_F(LibraryMenus, NewBankWithThreeBanksIsNamedBank03) {
    makeThreeUserBanks();
    ASSERT_TRUE(choose(banks(), {groupEntries() + 1}));  // New Bank
    EXPECT_TRUE(editor->isOverlayShown(solva::kCreateNewDialog));
    EXPECT_TRUE(editor->menuState().newBankRequested);
    clickButton(solva::kCreateNewDialog, 94);  // from current settings
    EXPECT_FALSE(editor->isOverlayShown(solva::kCreateNewDialog));
    EXPECT_FALSE(editor->menuState().newBankRequested);
    EXPECT_EQ(bridge()->getGroupCount(), 4);
    EXPECT_GE(groupNamed("Bank03"), 0);
    EXPECT_EQ(currentBank(), "Bank03");
    EXPECT_EQ(groupEntries(), 4);
}

TEST_F(LibraryMenus, NewPresetFromTheMenuAndCancelClearsTheRequest) {
    makeThreeUserBanks();
    const int size = bridge()->getGroupSize(bridge()->getCurrentGroup());
    ASSERT_TRUE(choose(presets(), {presetCount() + 3}));  // New Preset
    EXPECT_TRUE(editor->menuState().newPresetRequested);
    clickButton(solva::kCreateNewDialog, solva::menus::kCancelTag);
    EXPECT_FALSE(editor->isOverlayShown(solva::kCreateNewDialog));
    EXPECT_FALSE(editor->menuState().newPresetRequested);
    EXPECT_EQ(bridge()->getGroupSize(bridge()->getCurrentGroup()), size);
    ASSERT_TRUE(choose(presets(), {presetCount() + 3}));
    clickButton(solva::kCreateNewDialog, 93);  // from init settings
    EXPECT_EQ(bridge()->getGroupSize(bridge()->getCurrentGroup()), size + 1);
    EXPECT_EQ(presetCount(), size + 1);
}

TEST_F(LibraryMenus, DeletePresetAndDeleteBankAskFirst) {
    makeThreeUserBanks();
    bridge()->NewPreset(false);  // Gamma holds two presets
    idle();
    ASSERT_EQ(presetCount(), 2);
    ASSERT_TRUE(choose(presets(), {presetCount() + 4}));  // Delete Preset : ...
    EXPECT_TRUE(editor->isOverlayShown(solva::kDeletePresetDialog));
    clickButton(solva::kDeletePresetDialog, 103);
    EXPECT_FALSE(editor->isOverlayShown(solva::kDeletePresetDialog));
    EXPECT_EQ(presetCount(), 1);
    EXPECT_EQ(bridge()->getGroupCount(), 3);
    ASSERT_TRUE(choose(banks(), {groupEntries() + 2}));  // Delete Bank : Alpha (group 0 is current now)
    EXPECT_TRUE(editor->isOverlayShown(solva::kDeleteBankDialog));
    const std::string doomed = currentBank();
    clickButton(solva::kDeleteBankDialog, 103);
    EXPECT_EQ(bridge()->getGroupCount(), 2);
    EXPECT_LT(groupNamed(doomed), 0);
}

// --- name fields -------------------------------------------------------------------

TEST_F(LibraryMenus, RenamingABankToAnExistingNameOffersMergeOrMove) {
    makeThreeUserBanks();
    typeInto(visibleField(solva::menus::kBankNameTag), "Alpha");
    EXPECT_TRUE(editor->isOverlayShown(solva::kBankNameExistsDialog));
    EXPECT_FALSE(editor->isOverlayShown(solva::kBankDialog));
    EXPECT_EQ(editor->menuState().rememberedName, "Alpha");
    clickButton(solva::kBankNameExistsDialog, 99);  // move the current preset
    EXPECT_EQ(currentBank(), "Alpha");
    EXPECT_LT(groupNamed("Gamma"), 0);
    EXPECT_EQ(bridge()->getGroupSize(groupNamed("Alpha")), 2);
    EXPECT_FALSE(editor->isOverlayShown(solva::kBankNameExistsDialog));
    EXPECT_TRUE(editor->menuState().rememberedName.empty());
}

TEST_F(LibraryMenus, RenamingABankToANewNameOpensTheBankDialog) {
    makeThreeUserBanks();
    typeInto(visibleField(solva::menus::kBankNameTag), "Delta 2");
    ASSERT_TRUE(editor->isOverlayShown(solva::kBankDialog));
    clickButton(solva::kBankDialog, 98);  // rename
    EXPECT_EQ(currentBank(), "Delta 2");
    EXPECT_LT(groupNamed("Gamma"), 0);
    typeInto(visibleField(solva::menus::kBankNameTag), "Copy");
    clickButton(solva::kBankDialog, 100);  // duplicate
    EXPECT_GE(groupNamed("Copy"), 0);
    EXPECT_GE(groupNamed("Delta 2"), 0);
    // Invalid names and other sort modes are ignored.
    typeInto(visibleField(solva::menus::kBankNameTag), "Bad*Name");
    EXPECT_FALSE(editor->isOverlayShown(solva::kBankDialog));
    bridge()->SetSortMode(1);
    idle();
    typeInto(visibleField(solva::menus::kBankNameTag), "Other");
    EXPECT_FALSE(editor->isOverlayShown(solva::kBankDialog));
    EXPECT_FALSE(editor->isOverlayShown(solva::kBankNameExistsDialog));
}

TEST_F(LibraryMenus, PresetNamesOfThirtyTwoCharactersAreRefusedAndThirtyOneAccepted) {
    makeThreeUserBanks();
    const std::string tooLong(32, 'a');
    const std::string longest = std::string(30, 'b') + "c";
    typeInto(visibleField(solva::menus::kPresetNameTag), tooLong);
    EXPECT_FALSE(editor->isOverlayShown(solva::kPresetDialog));
    typeInto(visibleField(solva::menus::kPresetNameTag), longest);
    ASSERT_TRUE(editor->isOverlayShown(solva::kPresetDialog));
    clickButton(solva::kPresetDialog, 101);  // rename
    EXPECT_EQ(currentPresetName(), longest);
    typeInto(visibleField(solva::menus::kPresetNameTag), "Twin");
    clickButton(solva::kPresetDialog, 102);  // duplicate under the new name
    EXPECT_EQ(currentPresetName(), "Twin");
    EXPECT_EQ(presetCount(), 2);
}

TEST_F(LibraryMenus, APresetNamedWithALeadingMinusShowsWithABlankAndIsNoSeparator) {
    makeThreeUserBanks();
    typeInto(visibleField(solva::menus::kPresetNameTag), "-Loud");
    clickButton(solva::kPresetDialog, 101);
    ASSERT_EQ(currentPresetName(), "-Loud");
    EXPECT_STREQ(presets()->getEntryText(0), " -Loud");
    EXPECT_FALSE(presets()->isSeparator(0));
    EXPECT_TRUE(presets()->isEnabled(0));
    EXPECT_EQ(presets()->getDisplayEntry(0), " -Loud");
    COptionMenu* group = banks()->getSubMenu(bridge()->getCurrentGroup());
    EXPECT_STREQ(group->getEntryText(0), " -Loud");
    EXPECT_TRUE(group->isEnabled(0));
    EXPECT_EQ(presets()->getNbEntries(), 6);
}

TEST_F(LibraryMenus, TypingANameOverAFactoryPresetSavesAUserCopy) {
    ASSERT_TRUE(bridge()->isFactoryPreset());
    typeInto(visibleField(solva::menus::kPresetNameTag), "Mine");
    EXPECT_FALSE(editor->isOverlayShown(solva::kPresetDialog));
    EXPECT_FALSE(bridge()->isFactoryPreset());
    EXPECT_STREQ(bridge()->getDisplayText(solva::menus::kPresetNameTag), "Mine");
    EXPECT_EQ(currentPresetName(), "Mine") << bridge()->getCurrentGroup() << "/" << bridge()->getCurrentPosition();
}

TEST_F(LibraryMenus, InformationPanelFieldsSetBankAuthorAndProject) {
    makeThreeUserBanks();
    ASSERT_TRUE(choose(presets(), {presetCount() + 1}));  // Open Preset Information
    ASSERT_TRUE(editor->isOverlayShown(solva::kInfoPanel));
    typeInto(visibleField(solva::menus::kAuthorTag), "Ann Smith");
    EXPECT_STREQ(bridge()->getDisplayText(solva::menus::kAuthorTag), "Ann Smith");
    typeInto(visibleField(solva::menus::kProjectTag), "Song (Mix 2)");
    EXPECT_STREQ(bridge()->getDisplayText(solva::menus::kProjectTag), "Song (Mix 2)");
    typeInto(visibleField(solva::menus::kPresetBankTag), "Beta");
    EXPECT_EQ(currentBank(), "Beta");
    typeInto(visibleField(solva::menus::kAuthorTag), "No:colon");
    EXPECT_STREQ(bridge()->getDisplayText(solva::menus::kAuthorTag), "Ann Smith");
    clickButton(solva::kInfoPanel, solva::menus::kClosePanelTag);
    EXPECT_FALSE(editor->isOverlayShown(solva::kInfoPanel));
}

TEST_F(LibraryMenus, BandNamesAcceptTwentyThreeCharacters) {
    ASSERT_TRUE(choose(options(), {1, 1}));  // Display > Name Display
    ASSERT_TRUE(editor->isOverlayShown(solva::kNameStrip));
    typeInto(visibleField(36), std::string(24, 'x'));
    EXPECT_STRNE(bridge()->getDisplayText(36), std::string(24, 'x').c_str());
    typeInto(visibleField(36), std::string(23, 'y'));
    EXPECT_EQ(std::string(bridge()->getDisplayText(36)), std::string(23, 'y'));
}

// --- panels and dialogs ------------------------------------------------------------

TEST_F(LibraryMenus, LibraryDialogsAndPanelsHideEachOtherButDiscardDialogsDoNot) {
    makeThreeUserBanks();
    ASSERT_TRUE(choose(presets(), {presetCount() + 3}));
    ASSERT_TRUE(editor->isOverlayShown(solva::kCreateNewDialog));
    ASSERT_TRUE(choose(presets(), {presetCount() + 1}));  // information panel
    EXPECT_FALSE(editor->isOverlayShown(solva::kCreateNewDialog));
    EXPECT_FALSE(editor->menuState().newPresetRequested);
    EXPECT_TRUE(editor->isOverlayShown(solva::kInfoPanel));
    // The help switch hides everything; About hides the help and turns its switch off.
    auto* help = control<CControl>(solva::menus::kHelpSwitchTag);
    ASSERT_NE(help, nullptr);
    const CPoint at = centreOf(help->getFrameRect());
    frame()->platformMouseDown(at, kLButton);
    frame()->platformMouseUp(at, 0);
    idle();
    EXPECT_TRUE(editor->isOverlayShown(solva::kHelpPanel));
    EXPECT_FALSE(editor->isOverlayShown(solva::kInfoPanel));
    ASSERT_TRUE(choose(options(), {0, 14}));
    EXPECT_FALSE(editor->isOverlayShown(solva::kHelpPanel));
    EXPECT_LT(help->getValue(), 0.5f);
    EXPECT_TRUE(editor->isOverlayShown(solva::kAboutPanel));
    // A discard dialog opens over what is shown.
    ASSERT_TRUE(choose(options(), {2, 0}));  // Show L/R Settings
    ASSERT_TRUE(choose(options(), {2, 1}));  // Discard L/R Settings
    EXPECT_TRUE(editor->isOverlayShown(solva::kDiscardLRDialog));
    EXPECT_TRUE(editor->isOverlayShown(solva::kAboutPanel));
    clickButton(solva::kDiscardLRDialog, solva::menus::kCancelTag);
    EXPECT_FALSE(editor->isOverlayShown(solva::kDiscardLRDialog));
    EXPECT_FALSE(editor->isOverlayShown(solva::kAboutPanel));
    EXPECT_TRUE(editor->isOverlayShown(solva::kChannelPanel));  // not a dialog
}

// --- export and import -------------------------------------------------------------

class BankTransfer : public LibraryMenus {
protected:
    std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(BankTransfer, ExportThenImportThroughTheCompanionCreatesAUniquelyNamedBank) {
#ifndef SOLVA_KELVADRIN_STANDIN
    GTEST_SKIP() << "no stand-in companion on this platform";
#else
    makeThreeUserBanks();
    bridge()->NewPreset(false);
    idle();
    const std::string file = installDir + "/gamma.solva";
    const std::string logFile = installDir + "/companion.log";
    setenv("SOLVA_KELVADRIN_PATH", SOLVA_KELVADRIN_STANDIN, 1);
    setenv("KELVADRIN_STANDIN_ANSWER", file.c_str(), 1);
    setenv("KELVADRIN_STANDIN_LOG", logFile.c_str(), 1);
    ASSERT_TRUE(choose(banks(), {groupEntries() + 4}));  // Export Bank
    const std::string exported = readFile(file);
    EXPECT_EQ(exported.rfind("!TYPE_EXPORT#Solva#\n", 0), 0u);
    EXPECT_NE(exported.find("!NOM_BANQUE#Gamma#"), std::string::npos);

    const std::set<std::string> before = groupLabels();
    ASSERT_TRUE(choose(banks(), {groupEntries() + 5}));  // Import Bank
    const std::set<std::string> after = groupLabels();
    ASSERT_EQ(after.size(), before.size() + 1);
    std::string added;
    for (const std::string& label : after)
        if (!before.count(label)) added = label;
    EXPECT_FALSE(added.empty());
    EXPECT_NE(added, "Gamma");
    EXPECT_EQ(bridge()->getGroupSize(groupNamed(added)), 2);
    EXPECT_EQ(groupEntries(), static_cast<long>(after.size()));

    EXPECT_EQ(readFile(logFile), "0|solva|*.solva|Solva Files (*.solva)|*.solva|All Files (*.*)|*.*||\n"
                                 "1|solva|*.solva|Solva Files (*.solva)|*.solva|All Files (*.*)|*.*||\n");
#endif
}

TEST_F(BankTransfer, CompanionBesideTheModuleIsFoundWithoutOverride) {
#ifndef SOLVA_KELVADRIN_STANDIN
    GTEST_SKIP() << "no stand-in companion on this platform";
#else
    makeThreeUserBanks();
    const std::string file = installDir + "/found.solva";
    setenv("KELVADRIN_STANDIN_ANSWER", file.c_str(), 1);
    ASSERT_TRUE(choose(banks(), {groupEntries() + 4}));
    EXPECT_FALSE(readFile(file).empty());
#endif
}

TEST_F(BankTransfer, MissingCompanionOrCancelledDialogDoesNothing) {
    makeThreeUserBanks();
    const std::string file = installDir + "/never.solva";
    setenv("KELVADRIN_STANDIN_ANSWER", file.c_str(), 1);
    setenv("SOLVA_KELVADRIN_PATH", (installDir + "/NoSuchKelvadrin.so").c_str(), 1);
    ASSERT_TRUE(choose(banks(), {groupEntries() + 4}));
    ASSERT_TRUE(choose(banks(), {groupEntries() + 5}));
    EXPECT_TRUE(readFile(file).empty());
    EXPECT_EQ(bridge()->getGroupCount(), 3);
#ifdef SOLVA_KELVADRIN_STANDIN
    setenv("SOLVA_KELVADRIN_PATH", SOLVA_KELVADRIN_STANDIN, 1);
    setenv("KELVADRIN_STANDIN_ANSWER", "", 1);  // the user cancels
    ASSERT_TRUE(choose(banks(), {groupEntries() + 5}));
    EXPECT_EQ(bridge()->getGroupCount(), 3);
    // A library without the entry point counts as missing.
    setenv("SOLVA_KELVADRIN_PATH", "libm.so.6", 1);
    setenv("KELVADRIN_STANDIN_ANSWER", file.c_str(), 1);
    ASSERT_TRUE(choose(banks(), {groupEntries() + 4}));
    EXPECT_TRUE(readFile(file).empty());
#endif
}

}  // namespace
}  // namespace menutest
