// The editor's menus: the options menu and its five sub-menus with their
// entries, marks and commands; the bank and preset menus built from the
// library, lazily at idle, with their marks; the L/R and M/S entries that
// follow the channel count and the panel mode. Entries are chosen through
// the pop-ups with scripted pointer input.
#include "menu_test_support.h"

namespace menutest {
namespace {

using solva::menus::kDisplayMenuTag;
using solva::menus::kLRMenuTag;
using solva::menus::kMiscMenuTag;
using solva::menus::kMSMenuTag;
using solva::menus::kSnapMenuTag;

using Texts = std::vector<std::string>;

class OptionsMenu : public MenuFixture {};

TEST_F(OptionsMenu, EntriesSubMenusAndTextsAreInOrder) {
    EXPECT_EQ(texts(options()), (Texts{"-MMisc", "-MDisplay", "-ML/R Settings", "-MM/S Settings", "-MSnap", "-",
                                       "Options Saved in Host project", "-", "Read Options", "-", "Save Options"}));
    const long tags[] = {kMiscMenuTag, kDisplayMenuTag, kLRMenuTag, kMSMenuTag, kSnapMenuTag};
    for (long i = 0; i < 5; ++i) {
        ASSERT_NE(options()->getSubMenu(i), nullptr);
        EXPECT_EQ(options()->getSubMenu(i)->getTag(), tags[i]);
    }
    EXPECT_EQ(texts(optionsSub(kMiscMenuTag)),
              (Texts{"Class Bands by freq. order", "-", "Reset Band Gains", "Reset Output Gain", "Reset Active Bands",
                     "Reset Inactive Bands", "-", "Init settings from current settings", "-", "Auto On Active",
                     "Out Gain always active", "-", "AutoDspSave", "-", "Solva About"}));
    EXPECT_EQ(texts(optionsSub(kDisplayMenuTag)),
              (Texts{"Value Display", "Name Display", "-", "Frequency as notes", "Q-factor as octaves", "-",
                     "Show Clip Indicator", "Hold Clip Indicator", "-", "Wheel Incr : 0.01", "Wheel Incr : 0.05",
                     "Wheel Incr : 0.1", "-", "Alt feature :  No gain drop", "Alt feature : - 6 dB gain drop",
                     "Alt feature : -15 dB gain drop"}));
    EXPECT_EQ(texts(optionsSub(kSnapMenuTag)),
              (Texts{"Frequency Snap Off", "Frequency Snap Coarse", "Frequency Snap Fine", "Frequency Snap Notes", "-",
                     "Q Snap Off", "Q Snap Coarse", "Q Snap Fine", "-", "Gain Snap Off", "Gain Snap Coarse",
                     "Gain Snap Fine", "-", "All Snap Off", "All Snap Coarse", "All Snap Fine"}));
    // The first refresh at open replaced "Switch ... Channels".
    EXPECT_EQ(texts(optionsSub(kLRMenuTag)),
              (Texts{"Show L/R Settings", "Discard L/R Settings", "-", "Switch L/R Settings"}));
    EXPECT_EQ(texts(optionsSub(kMSMenuTag)),
              (Texts{"Show M/S Settings", "Discard M/S Settings", "-", "Switch M/S Settings", "-",
                     "Disable Input MS Coding", "Disable Output MS Decoding"}));
    // "Alt feature : - 6 dB gain drop" is an entry, not a disabled prefix.
    EXPECT_TRUE(optionsSub(kDisplayMenuTag)->isEnabled(14));
    EXPECT_TRUE(optionsSub(kSnapMenuTag)->isSeparator(4));
}

TEST_F(OptionsMenu, AllSnapFineSetsTheThreeSnapsAndOnlyAMatchingTripleKeepsItsMark) {
    ASSERT_TRUE(chooseOption(kSnapMenuTag, 15));
    for (int index : {57, 58, 59}) EXPECT_FLOAT_EQ(effect->getParameter(index), 2.0f) << index;
    COptionMenu* snap = optionsSub(kSnapMenuTag);
    EXPECT_EQ(marks(snap), "0010000100010001");
    ASSERT_TRUE(chooseOption(kSnapMenuTag, 6));  // Q Snap Coarse
    EXPECT_FLOAT_EQ(effect->getParameter(58), 1.0f);
    EXPECT_FLOAT_EQ(effect->getParameter(57), 2.0f);
    EXPECT_EQ(marks(snap), "0010001000010000");
    ASSERT_TRUE(chooseOption(kSnapMenuTag, 3));  // Frequency Snap Notes
    EXPECT_FLOAT_EQ(effect->getParameter(57), 3.0f);
    ASSERT_TRUE(chooseOption(kSnapMenuTag, 13));
    EXPECT_EQ(marks(snap), "1000010001000100");
}

TEST_F(OptionsMenu, WheelIncrementAndGainDropChoicesWriteWholeNumbersAndMoveTheirMark) {
    COptionMenu* display = optionsSub(kDisplayMenuTag);
    ASSERT_TRUE(chooseOption(kDisplayMenuTag, 11));
    EXPECT_FLOAT_EQ(effect->getParameter(66), 2.0f);
    EXPECT_FLOAT_EQ(bridge()->getWheelIncrement(), 0.1f);
    EXPECT_TRUE(display->isCheckEntry(11));
    EXPECT_FALSE(display->isCheckEntry(9));
    ASSERT_TRUE(chooseOption(kDisplayMenuTag, 10));
    EXPECT_FLOAT_EQ(bridge()->getWheelIncrement(), 0.05f);
    ASSERT_TRUE(chooseOption(kDisplayMenuTag, 14));
    EXPECT_FLOAT_EQ(effect->getParameter(67), 1.0f);
    EXPECT_TRUE(display->isCheckEntry(14));
    EXPECT_FALSE(display->isCheckEntry(13));
    EXPECT_FALSE(display->isCheckEntry(15));
}

TEST_F(OptionsMenu, TogglesFlipTheirOptionAndItsMark) {
    struct Toggle {
        long menu, entry;
        int index;
    } toggles[] = {{kMiscMenuTag, 9, 55}, {kMiscMenuTag, 10, 56}, {kMiscMenuTag, 12, 50}, {kDisplayMenuTag, 3, 60},
                   {kDisplayMenuTag, 4, 61}, {kDisplayMenuTag, 7, 63}};
    for (const Toggle& t : toggles) {
        const float before = effect->getParameter(t.index);
        ASSERT_TRUE(chooseOption(t.menu, t.entry)) << t.index;
        const float after = effect->getParameter(t.index);
        EXPECT_FLOAT_EQ(after, before >= 0.5f ? 0.0f : 1.0f) << t.index;
        EXPECT_EQ(optionsSub(t.menu)->isCheckEntry(t.entry), after >= 0.5f) << t.index;
    }
    const float host = effect->getParameter(54);
    ASSERT_TRUE(choose(options(), {6}));
    EXPECT_FLOAT_EQ(effect->getParameter(54), host >= 0.5f ? 0.0f : 1.0f);
    EXPECT_EQ(options()->isCheckEntry(6), effect->getParameter(54) >= 0.5f);
}

TEST_F(OptionsMenu, ValueNameAndClipDisplaysShowTheirStrips) {
    const bool values = effect->getParameter(51) >= 0.5f;
    ASSERT_TRUE(chooseOption(kDisplayMenuTag, 0));
    for (solva::OverlayId id : {solva::kFrequencyStrip, solva::kGainStrip, solva::kQStrip})
        EXPECT_EQ(editor->isOverlayShown(id), !values);
    EXPECT_EQ(optionsSub(kDisplayMenuTag)->isCheckEntry(0), !values);
    const bool names = effect->getParameter(52) >= 0.5f;
    ASSERT_TRUE(chooseOption(kDisplayMenuTag, 1));
    EXPECT_EQ(editor->isOverlayShown(solva::kNameStrip), !names);
    const bool clip = effect->getParameter(62) >= 0.5f;
    ASSERT_TRUE(chooseOption(kDisplayMenuTag, 6));
    EXPECT_EQ(editor->isOverlayShown(solva::kClipIndicator), !clip);
}

TEST_F(OptionsMenu, ResetsPutGainsAndActiveBandsBackToTheirMiddle) {
    // Band 2 on with a cut, band 3 off with a boost, HP on as 12 dB.
    for (auto [index, value] : std::vector<std::pair<int, float>>{
             {25, 1.0f}, {5, 0.8f}, {6, 0.2f}, {7, 0.1f}, {26, 0.0f}, {10, 0.9f}, {8, 0.3f}, {21, 1.0f}, {0, 0.7f},
             {22, 1.0f}, {20, 0.8f}, {33, 1.0f}, {32, 0.0f}, {19, 0.9f}})
        effect->setParameter(index, value);
    ASSERT_TRUE(chooseOption(kMiscMenuTag, 2));  // Reset Band Gains
    EXPECT_FLOAT_EQ(effect->getParameter(7), 0.5f);
    EXPECT_FLOAT_EQ(effect->getParameter(10), 0.5f);
    EXPECT_FLOAT_EQ(effect->getParameter(19), 0.5f);
    EXPECT_FLOAT_EQ(effect->getParameter(25), 1.0f);  // on values written back as they were
    EXPECT_FLOAT_EQ(effect->getParameter(26), 0.0f);
    EXPECT_FLOAT_EQ(effect->getParameter(32), 0.0f);
    EXPECT_FLOAT_EQ(effect->getParameter(5), 0.8f);  // frequencies untouched
    ASSERT_TRUE(chooseOption(kMiscMenuTag, 3));  // Reset Output Gain
    EXPECT_FLOAT_EQ(effect->getParameter(20), 0.5f);
    EXPECT_FLOAT_EQ(effect->getParameter(33), 1.0f);

    effect->setParameter(10, 0.9f);
    ASSERT_TRUE(chooseOption(kMiscMenuTag, 4));  // Reset Active Bands
    EXPECT_FLOAT_EQ(effect->getParameter(5), 0.5f);
    EXPECT_FLOAT_EQ(effect->getParameter(6), 0.5f);
    EXPECT_FLOAT_EQ(effect->getParameter(0), 0.5f);
    EXPECT_FLOAT_EQ(effect->getParameter(22), 0.0f);  // high-pass type
    EXPECT_FLOAT_EQ(effect->getParameter(8), 0.3f);   // band 3 is off: untouched
    EXPECT_FLOAT_EQ(effect->getParameter(10), 0.9f);
    ASSERT_TRUE(chooseOption(kMiscMenuTag, 5));  // Reset Inactive Bands
    EXPECT_FLOAT_EQ(effect->getParameter(8), 0.5f);
    EXPECT_FLOAT_EQ(effect->getParameter(10), 0.5f);
}

TEST_F(OptionsMenu, SaveAndReadOptionsRoundTripThroughTheOptionsFile) {
    ASSERT_TRUE(chooseOption(kDisplayMenuTag, 11));  // Wheel Incr : 0.1
    ASSERT_TRUE(choose(options(), {10}));            // Save Options
    ASSERT_TRUE(chooseOption(kDisplayMenuTag, 9));   // Wheel Incr : 0.01
    ASSERT_FLOAT_EQ(effect->getParameter(66), 0.0f);
    ASSERT_TRUE(choose(options(), {8}));  // Read Options
    EXPECT_FLOAT_EQ(effect->getParameter(66), 2.0f);
    EXPECT_TRUE(optionsSub(kDisplayMenuTag)->isCheckEntry(11));
    EXPECT_FALSE(optionsSub(kDisplayMenuTag)->isCheckEntry(9));
}

TEST_F(OptionsMenu, InitSettingsFromCurrentSettingsWritesTheInitSettingsFile) {
    const std::string find = "find '" + installDir + "' -name InitSettings | grep -q .";
    const bool before = std::system(find.c_str()) == 0;
    effect->setParameter(7, 0.8f);
    ASSERT_TRUE(chooseOption(kMiscMenuTag, 7));
    EXPECT_TRUE(std::system(find.c_str()) == 0) << "existed before: " << before;
    EXPECT_FLOAT_EQ(bridge()->getInitValue(7), 0.8f);
}

TEST_F(OptionsMenu, ClassBandsByFrequencyOrdersTheBellBands) {
    const float freqs[] = {0.9f, 0.7f, 0.5f, 0.3f, 0.1f};  // bands 1..5, descending
    const int freqIndex[] = {2, 5, 8, 11, 14};
    for (int b = 0; b < 5; ++b) effect->setParameter(freqIndex[b], freqs[b]);
    ASSERT_TRUE(chooseOption(kMiscMenuTag, 0));
    for (int b = 1; b < 5; ++b)
        EXPECT_LE(effect->getParameter(freqIndex[b - 1]), effect->getParameter(freqIndex[b])) << b;
}

TEST_F(OptionsMenu, AboutHidesOtherPanelsAndTheCloseCrossHidesIt) {
    editor->showOverlay(solva::kInfoPanel, true);
    ASSERT_TRUE(chooseOption(kMiscMenuTag, 14));
    EXPECT_TRUE(editor->isOverlayShown(solva::kAboutPanel));
    EXPECT_FALSE(editor->isOverlayShown(solva::kInfoPanel));
    clickButton(solva::kAboutPanel, solva::menus::kClosePanelTag);
    EXPECT_FALSE(editor->isOverlayShown(solva::kAboutPanel));
}

// --- L/R and M/S entries ----------------------------------------------------------

class SideMenus : public MenuFixture {
protected:
    // Runs one audio block with one or two output channels, then the tick.
    void runAudio(int outputs) {
        std::vector<float> a(64, 0.0f), b(64, 0.0f), c(64, 0.0f), d(64, 0.0f);
        float* in[2] = {a.data(), b.data()};
        float* out[2] = {c.data(), outputs == 2 ? d.data() : nullptr};
        effect->dispatcher(vst::effMainsChanged, 0, 1, nullptr, 0.0f);
        effect->processReplacing(in, out, 64);
        idle();
    }
    static bool allDisabled(const COptionMenu* menu, std::initializer_list<long> entries) {
        for (long e : entries)
            if (menu->isEnabled(e)) return false;
        return true;
    }
};

TEST_F(SideMenus, WithOneOutputChannelEveryLRAndMSEntryIsDisabled) {
    runAudio(1);
    ASSERT_EQ(bridge()->getChannelCount(1), 1);
    COptionMenu* lr = optionsSub(kLRMenuTag);
    COptionMenu* ms = optionsSub(kMSMenuTag);
    EXPECT_TRUE(allDisabled(lr, {0, 1, 3}));
    EXPECT_TRUE(allDisabled(ms, {0, 1, 3, 5, 6}));
    EXPECT_STREQ(lr->getEntryText(0), "-GShow L/R Settings");
    EXPECT_STREQ(ms->getEntryText(6), "-GDisable Output MS Decoding");
    EXPECT_EQ(ms->getDisplayEntry(5), "Disable Input MS Coding");
    // Disabled entries cannot be chosen, and the commands refuse anyway.
    EXPECT_FALSE(chooseOption(kLRMenuTag, 0));
    editor->valueChanged(nullptr, lr);  // value 0 = "Show L/R Settings"
    EXPECT_FALSE(editor->isOverlayShown(solva::kChannelPanel));
    runAudio(2);
    EXPECT_TRUE(lr->isEnabled(0));
    EXPECT_TRUE(ms->isEnabled(5));
}

TEST_F(SideMenus, LosingTheSecondChannelHidesThePanelAndClearsTheModes) {
    ASSERT_TRUE(chooseOption(kLRMenuTag, 0));
    ASSERT_TRUE(editor->isOverlayShown(solva::kChannelPanel));
    runAudio(1);
    EXPECT_FALSE(editor->isOverlayShown(solva::kChannelPanel));
    EXPECT_FALSE(editor->menuState().lrMode);
    EXPECT_FALSE(editor->menuState().msMode);
    EXPECT_FALSE(optionsSub(kLRMenuTag)->isEnabled(0));
    // Back to two channels: the slot's own channel mode decides again.
    runAudio(2);
    const int mode = bridge()->getChannelMode();
    EXPECT_EQ(editor->isOverlayShown(solva::kChannelPanel), mode == 1 || mode == 2);
    EXPECT_EQ(editor->menuState().lrMode, mode == 1);
    EXPECT_EQ(optionsSub(kMSMenuTag)->isEnabled(0), mode != 1);
}

TEST_F(SideMenus, ShowLRSettingsOpensThePanelAndDisablesTheMSEntries) {
    ASSERT_TRUE(chooseOption(kLRMenuTag, 0));
    EXPECT_TRUE(editor->isOverlayShown(solva::kChannelPanel));
    EXPECT_TRUE(editor->menuState().lrMode);
    const float expected[] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f};
    for (int i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(effect->getParameter(43 + i), expected[i]) << 43 + i;
    EXPECT_TRUE(allDisabled(optionsSub(kMSMenuTag), {0, 1, 3, 5, 6}));
    EXPECT_TRUE(optionsSub(kLRMenuTag)->isEnabled(1));
    EXPECT_EQ(effect->getMidSideMode(), 0);
}

TEST_F(SideMenus, ShowMSSettingsEntersMidSideModeAndKeepSideLeavesIt) {
    ASSERT_TRUE(chooseOption(kMSMenuTag, 0));
    EXPECT_TRUE(editor->menuState().msMode);
    EXPECT_TRUE(editor->isOverlayShown(solva::kChannelPanel));
    EXPECT_EQ(effect->getMidSideMode(), 1);
    EXPECT_TRUE(allDisabled(optionsSub(kLRMenuTag), {0, 1, 3}));
    // Discard M/S opens its dialog without hiding the panel.
    ASSERT_TRUE(chooseOption(kMSMenuTag, 1));
    EXPECT_TRUE(editor->isOverlayShown(solva::kDiscardMSDialog));
    EXPECT_TRUE(editor->isOverlayShown(solva::kChannelPanel));
    effect->setParameter(43, 0.0f);
    effect->setParameter(4, 0.8f);  // side gain of band 1
    clickButton(solva::kDiscardMSDialog, 97);  // keep side
    EXPECT_FALSE(editor->isOverlayShown(solva::kDiscardMSDialog));
    EXPECT_FALSE(editor->isOverlayShown(solva::kChannelPanel));
    EXPECT_FALSE(editor->menuState().msMode);
    EXPECT_EQ(effect->getMidSideMode(), 0);
    EXPECT_FLOAT_EQ(effect->getParameter(44), 1.0f);
    EXPECT_FLOAT_EQ(effect->getParameter(45), 0.0f);
    EXPECT_FLOAT_EQ(effect->getParameter(46), 0.0f);
    // The kept side was copied onto the other one.
    effect->setParameter(43, 1.0f);
    EXPECT_FLOAT_EQ(effect->getParameter(4), 0.8f);
    EXPECT_TRUE(optionsSub(kLRMenuTag)->isEnabled(0));
}

TEST_F(SideMenus, DiscardNeedsItsModeAndMSCodingTogglesAreCheckedWhenOff) {
    ASSERT_TRUE(chooseOption(kLRMenuTag, 1));  // not in L/R mode: nothing
    EXPECT_FALSE(editor->isOverlayShown(solva::kDiscardLRDialog));
    const float coding = effect->getParameter(64);
    ASSERT_TRUE(chooseOption(kMSMenuTag, 5));
    EXPECT_FLOAT_EQ(effect->getParameter(64), coding >= 0.5f ? 0.0f : 1.0f);
    EXPECT_EQ(optionsSub(kMSMenuTag)->isCheckEntry(5), effect->getParameter(64) < 0.5f);
    ASSERT_TRUE(chooseOption(kMSMenuTag, 6));
    EXPECT_EQ(optionsSub(kMSMenuTag)->isCheckEntry(6), effect->getParameter(65) < 0.5f);
}

TEST_F(SideMenus, SwitchSettingsSwapsTheTwoSides) {
    effect->setParameter(44, 0.0f);  // no link between the sides
    effect->setParameter(45, 0.0f);
    effect->setParameter(43, 1.0f);
    effect->setParameter(7, 0.2f);
    effect->setParameter(43, 0.0f);
    effect->setParameter(7, 0.9f);
    ASSERT_TRUE(chooseOption(kLRMenuTag, 3));
    EXPECT_FLOAT_EQ(effect->getParameter(7), 0.2f);
    effect->setParameter(43, 1.0f);
    EXPECT_FLOAT_EQ(effect->getParameter(7), 0.9f);
}

}  // namespace
}  // namespace menutest
