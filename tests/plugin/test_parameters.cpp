// Parameter reads and writes through the effect: sides, slots, links,
// snapping and the rules for edits made in the editor.
#include <gtest/gtest.h>

#include "params/param_table.h"
#include "params/value_law.h"
#include "plugin_test_support.h"

namespace solva::test {
namespace {

SettingsSlot& slotA(HostedEffect& fx) { return fx.effect->settings().slot[0]; }

TEST(Parameters, DefaultsAreTheBuiltInSettings) {
    HostedEffect fx;
    EXPECT_FLOAT_EQ(fx.get(0), 0.1f);
    EXPECT_FLOAT_EQ(fx.get(1), 0.501f);
    EXPECT_FLOAT_EQ(fx.get(2), 0.2f);
    EXPECT_FLOAT_EQ(fx.get(17), 0.9f);
    EXPECT_FLOAT_EQ(fx.get(20), 0.5f);
    for (int i = 21; i <= 33; ++i) EXPECT_FLOAT_EQ(fx.get(i), 0.0f) << i;
    EXPECT_FLOAT_EQ(fx.get(34), 0.0f);
    EXPECT_FLOAT_EQ(fx.get(-1), 0.0f);
    EXPECT_FLOAT_EQ(fx.get(106), 1.0f);
    EXPECT_FLOAT_EQ(fx.get(107), 0.0f);
    // Loading preset 0 leaves side 1 shown (the slot's sideShown at 0).
    EXPECT_FLOAT_EQ(fx.get(108), 0.0f);
    EXPECT_FLOAT_EQ(fx.get(109), 1.0f);
    EXPECT_EQ(slotA(fx).modified, 1);
}

TEST(Parameters, KindsFollowTheIndexRanges) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    EXPECT_EQ(fx.effect->getParameterKind(20), 2);
    EXPECT_EQ(fx.effect->getParameterKind(33), 1);
    EXPECT_EQ(fx.effect->getParameterKind(34), 0);
    EXPECT_EQ(fx.effect->getParameterKind(43), 0);
}

TEST(Parameters, HostWritesReachTheShownSideOnly) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    for (float& l : slotA(fx).linkMode) l = 0.0f;
    fx.set(109, 1.0f);  // show side 1
    fx.set(4, 0.8f);
    EXPECT_FLOAT_EQ(slotA(fx).side[1].band[1].gain, 0.8f);
    EXPECT_FLOAT_EQ(slotA(fx).side[0].band[1].gain, 0.5f);
    EXPECT_FLOAT_EQ(fx.get(4), 0.8f);
    fx.set(108, 0.0f);  // any value shows side 0
    EXPECT_FLOAT_EQ(fx.get(4), 0.5f);
}

TEST(Parameters, OutOfRangeValuesAreStoredUnchanged) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    fx.set(2, 1.7f);
    EXPECT_FLOAT_EQ(fx.get(2), 1.7f);
    fx.set(200, 0.3f);  // ignored
    EXPECT_FLOAT_EQ(fx.get(200), 0.0f);
}

TEST(Parameters, LinkModesOneAndTwoExcludeEachOther) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    fx.set(44, 1.0f);
    fx.set(45, 1.0f);
    EXPECT_FLOAT_EQ(fx.get(44), 0.0f);
    EXPECT_FLOAT_EQ(fx.get(45), 1.0f);
    fx.set(44, 0.9f);
    EXPECT_FLOAT_EQ(fx.get(45), 0.0f);
}

TEST(Parameters, SlotSelectorsReadAndSelect) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    fx.set(107, 1.0f);
    EXPECT_FLOAT_EQ(fx.get(49), 1.0f);
    EXPECT_FLOAT_EQ(fx.get(106), 0.0f);
    fx.set(106, 0.7f);
    EXPECT_FLOAT_EQ(fx.get(49), 0.0f);
    fx.set(106, 0.2f);
    EXPECT_FLOAT_EQ(fx.get(49), 1.0f);
    fx.set(107, 0.2f);
    EXPECT_FLOAT_EQ(fx.get(49), 0.0f);
}

TEST(Parameters, OptionsLiveInTheirWords) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    fx.set(57, 2.0f);
    EXPECT_FLOAT_EQ(fx.effect->settings().options[kOptFreqSnap], 2.0f);
    fx.set(54, 1.0f);
    EXPECT_FLOAT_EQ(fx.effect->settings().options[kOptSaveInProject], 1.0f);
    fx.set(53, 1.0f);  // no option
    EXPECT_FLOAT_EQ(fx.get(53), 0.0f);
}

TEST(Links, AbsoluteLinkWritesBothSides) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    slotA(fx).linkMode[0] = 1.0f;
    slotA(fx).linkMode[2] = 0.0f;
    fx.set(8, 0.62f);
    EXPECT_FLOAT_EQ(slotA(fx).side[0].band[3].freq, 0.62f);
    EXPECT_FLOAT_EQ(slotA(fx).side[1].band[3].freq, 0.62f);
}

TEST(Links, NoLinkLeavesTheOtherSide) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    for (float& l : slotA(fx).linkMode) l = 0.0f;
    fx.set(8, 0.62f);
    EXPECT_FLOAT_EQ(slotA(fx).side[1].band[3].freq, 0.5f);
}

TEST(Links, RelativeLinkFollowsFrequencyByRatio) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    SettingsSlot& s = slotA(fx);
    s.linkMode[0] = 1.0f;
    s.linkMode[2] = 1.0f;
    s.linkMode[3] = 1.0f;  // gesture-start mode
    s.side[1].band[3].freq = lawToNormalised(500.0f, kFrequencyLaw);
    fx.effect->beginEdit(8);  // side 0 at 1000 Hz, side 1 at 500 Hz
    fx.set(8, lawToNormalised(2000.0f, kFrequencyLaw));
    EXPECT_NEAR(lawToPhysical(s.side[1].band[3].freq, kFrequencyLaw), 1000.0f, 0.5f);
    fx.set(8, lawToNormalised(3000.0f, kFrequencyLaw));
    EXPECT_NEAR(lawToPhysical(s.side[1].band[3].freq, kFrequencyLaw), 1500.0f, 0.5f);
    EXPECT_EQ(s.info.channelMode, 1);
}

TEST(Links, RelativeLinkFollowsGainByDifference) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    SettingsSlot& s = slotA(fx);
    s.linkMode[0] = 1.0f;
    s.linkMode[2] = 1.0f;
    s.linkMode[3] = 1.0f;
    s.side[1].band[2].gain = lawToNormalised(-3.32f, kGainLaw);
    fx.effect->beginEdit(7);
    fx.set(7, lawToNormalised(6.64f, kGainLaw));
    EXPECT_NEAR(lawToPhysical(s.side[1].band[2].gain, kGainLaw), 3.32f, 1e-3f);
    // Far beyond the range: clamped by the inverse law.
    fx.set(7, 1.0f);
    EXPECT_NEAR(lawToPhysical(s.side[1].band[2].gain, kGainLaw), 11.68f, 1e-2f);
}

TEST(Links, RelativeStepModeMovesStartValuesWithEachStep) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    SettingsSlot& s = slotA(fx);
    s.linkMode[0] = 1.0f;
    s.linkMode[2] = 1.0f;
    s.linkMode[3] = 0.0f;  // step mode
    fx.effect->beginEdit(7);  // both sides at 0 dB
    fx.set(7, lawToNormalised(3.32f, kGainLaw));
    EXPECT_NEAR(lawToPhysical(s.side[1].band[2].gain, kGainLaw), 3.32f, 1e-3f);
    fx.set(7, lawToNormalised(4.98f, kGainLaw));
    fx.set(7, lawToNormalised(6.64f, kGainLaw));
    // The other side keeps following the shown side's changes.
    const float other = lawToPhysical(s.side[1].band[2].gain, kGainLaw);
    EXPECT_GT(other, 3.3f);
    EXPECT_LE(other, 6.65f);
}

TEST(Links, MirroredGainNegatesTheOtherSide) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    SettingsSlot& s = slotA(fx);
    for (float& l : s.linkMode) l = 0.0f;
    s.linkMode[1] = 1.0f;
    fx.effect->beginEdit(10);
    fx.set(10, lawToNormalised(4.98f, kGainLaw));
    EXPECT_NEAR(lawToPhysical(s.side[1].band[3].gain, kGainLaw), -4.98f, 1e-3f);
    // Non-gain values are stored on both sides.
    fx.set(9, 0.7f);
    EXPECT_FLOAT_EQ(s.side[1].band[3].qual, 0.7f);
}

TEST(Links, MirroredGainByDifferenceWithCompensation) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    SettingsSlot& s = slotA(fx);
    for (float& l : s.linkMode) l = 0.0f;
    s.linkMode[1] = 1.0f;
    s.linkMode[2] = 1.0f;  // by difference from the gesture start
    s.linkMode[4] = 1.0f;  // compensation factor 0.8
    s.side[1].band[3].gain = lawToNormalised(1.66f, kGainLaw);
    fx.effect->beginEdit(10);
    fx.set(10, lawToNormalised(4.98f, kGainLaw));
    EXPECT_NEAR(lawToPhysical(s.side[1].band[3].gain, kGainLaw), 1.66f - 4.98f, 1e-3f);
    EXPECT_NEAR(lawToPhysical(s.side[0].generalVolume, kGainLaw), -4.98f * 0.8f, 1e-2f);
    EXPECT_FLOAT_EQ(s.side[1].generalVolume, 0.5f);
}

TEST(EditorRules, EditsFromTheEditorMarkTheSlotAndSwitchBandsOn) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    SettingsSlot& s = slotA(fx);
    s.modified = 0;
    fx.set(8, 0.6f);  // a host write changes no flag
    EXPECT_EQ(s.modified, 0);
    EXPECT_FLOAT_EQ(fx.get(26), 0.0f);

    fx.effect->setParameterAutomated(8, 0.61f);
    EXPECT_EQ(s.modified, 1);
    EXPECT_FLOAT_EQ(fx.get(26), 1.0f);  // band 3 switched on
    EXPECT_FLOAT_EQ(fx.get(33), 1.0f);  // and the general switch
    EXPECT_EQ(s.info.bandCount, 1);
    EXPECT_EQ(fx.host.count(vst::audioMasterAutomate), 1);
}

TEST(EditorRules, BandSwitchedOffByTheUserStaysOffWithoutAutoOn) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    fx.effect->settings().options[kOptAutoOn] = 0.0f;
    fx.effect->setParameterAutomated(8, 0.61f);
    EXPECT_FLOAT_EQ(fx.get(26), 1.0f);
    fx.effect->setParameterAutomated(26, 0.0f);  // the user turns band 3 off
    fx.effect->setParameterAutomated(8, 0.65f);
    EXPECT_FLOAT_EQ(fx.get(26), 0.0f);
    // With auto on, any edit switches it on again.
    fx.effect->settings().options[kOptAutoOn] = 1.0f;
    fx.effect->setParameterAutomated(8, 0.66f);
    EXPECT_FLOAT_EQ(fx.get(26), 1.0f);
}

TEST(EditorRules, SwitchesAreNotReportedAsAutomation) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    fx.effect->setParameterAutomated(26, 1.0f);
    EXPECT_EQ(fx.host.count(vst::audioMasterAutomate), 0);
}

TEST(EditorRules, SlotSwitchReappliesTheProgram) {
    HostedEffect fx(true);
    fx.set(108, 1.0f);  // show side 0
    fx.effect->settings().slot[1].side[0].band[3].freq = 0.77f;
    fx.effect->settings().slot[1].side[1].band[3].freq = 0.77f;
    fx.editor()->updates.clear();
    fx.effect->setParameterAutomated(107, 1.0f);
    EXPECT_FLOAT_EQ(fx.get(8), 0.77f);
    EXPECT_GE(fx.editor()->updatesOf(8), 1);
    EXPECT_GE(fx.editor()->updatesOf(67), 1);
}

TEST(EditorRules, CopyCommandsRunOnceUntilReleased) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    SettingsBlock& b = fx.effect->settings();
    b.slot[0].side[0].band[3].freq = 0.33f;
    fx.effect->setParameterAutomated(71, 1.0f);
    EXPECT_FLOAT_EQ(b.slot[1].side[0].band[3].freq, 0.33f);
    b.slot[0].side[0].band[3].freq = 0.44f;
    fx.effect->setParameterAutomated(71, 1.0f);  // latched: no second copy
    EXPECT_FLOAT_EQ(b.slot[1].side[0].band[3].freq, 0.33f);
    fx.effect->setParameterAutomated(71, 0.0f);
    fx.effect->setParameterAutomated(71, 1.0f);
    EXPECT_FLOAT_EQ(b.slot[1].side[0].band[3].freq, 0.44f);
    fx.effect->setParameterAutomated(71, 0.0f);

    b.slot[0].side[0].band[4].gain = 0.9f;
    b.slot[0].info.channelMode = 1;
    fx.effect->setParameterAutomated(72, 1.0f);
    EXPECT_FLOAT_EQ(b.slot[0].side[1].band[4].gain, 0.9f);
    EXPECT_EQ(b.slot[0].info.channelMode, 0);
}

TEST(Snapping, AppliesOnlyWhileTheBridgeEnablesIt) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    fx.effect->settings().options[kOptFreqSnap] = 1.0f;  // coarse
    const float at141 = lawToNormalised(141.0f, kFrequencyLaw);
    fx.set(5, at141);
    EXPECT_FLOAT_EQ(fx.get(5), at141);
    fx.effect->setSnapFlags(true, false);
    fx.set(5, at141);
    EXPECT_NEAR(lawToPhysical(fx.get(5), kFrequencyLaw), 140.0f, 1e-3f);
    fx.effect->setSnapFlags(true, true);  // suspended
    fx.set(5, at141);
    EXPECT_FLOAT_EQ(fx.get(5), at141);
}

TEST(Programs, ReapplicationSendsAll68Indices) {
    HostedEffect fx(true);
    fx.set(108, 1.0f);  // show side 0
    fx.editor()->updates.clear();
    fx.effect->setProgram(0);  // already program 0: nothing
    EXPECT_TRUE(fx.editor()->updates.empty());
    fx.effect->reapplyProgram(1);
    EXPECT_EQ(fx.editor()->updates.size(), 68u);
    EXPECT_EQ(fx.editor()->updates.front().first, 0);
    EXPECT_EQ(fx.editor()->updates.back().first, 67);
}

TEST(SampleRate, BelowOneHertzIsOneHertz) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    fx.dispatch(vst::effSetSampleRate, 0, 0, nullptr, 0.5f);
    EXPECT_FLOAT_EQ(fx.effect->dspSampleRate(), 1.0f);
    EXPECT_FLOAT_EQ(fx.effect->dspSampleRateInverse(), 1.0f);
    fx.dispatch(vst::effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_FLOAT_EQ(fx.effect->dspSampleRate(), 48000.0f);
}

TEST(EditGestures, AreForwardedToTheHost) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    EXPECT_TRUE(fx.effect->beginEdit(4));
    EXPECT_TRUE(fx.effect->endEdit(4));
    EXPECT_TRUE(fx.effect->sizeWindow(640, 267));
    EXPECT_EQ(fx.host.count(vst::audioMasterBeginEdit), 1);
    EXPECT_EQ(fx.host.count(vst::audioMasterEndEdit), 1);
    EXPECT_EQ(fx.host.count(vst::audioMasterSizeWindow), 1);
    EXPECT_GE(fx.host.count(vst::audioMasterUpdateDisplay), 1);  // end of construction
}

TEST(Tick, NoticesAChangeOfOutputCount) {
    HostedEffect fx(true);
    fx.set(108, 1.0f);  // show side 0
    float in[8] = {}, out[8] = {};
    float* inputs[2] = {in, nullptr};
    float* outputs[2] = {out, nullptr};
    fx.aeffect->processReplacing(fx.aeffect, inputs, outputs, 8);
    fx.effect->tick();
    EXPECT_EQ(fx.editor()->sideMenuRebuilds, 1);
    EXPECT_EQ(fx.editor()->channelMode, 0);
    fx.effect->tick();
    EXPECT_EQ(fx.editor()->sideMenuRebuilds, 1);
}

TEST(Tick, RedrawRequestIsServedOnce) {
    HostedEffect fx(true);
    fx.set(108, 1.0f);  // show side 0
    fx.effect->requestRedraw();
    fx.effect->tick();
    fx.effect->tick();
    EXPECT_EQ(fx.editor()->frameRedraws, 1);
}

}  // namespace
}  // namespace solva::test
