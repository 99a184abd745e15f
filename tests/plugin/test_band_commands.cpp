// Ordering bands by frequency, band names and swapping the two sides.
#include <gtest/gtest.h>

#include <cstring>

#include "plugin_test_support.h"

namespace solva::test {
namespace {

void setFreqs(SettingsSlot& s, int side, std::initializer_list<float> freqs) {
    int band = 1;
    for (float f : freqs) s.side[side].band[band++].freq = f;
}

TEST(SortBands, OrdersBellBandsAndMovesTheirFilters) {
    HostedEffect fx(true);
    fx.set(108, 1.0f);  // show side 0
    SettingsSlot& s = fx.effect->settings().slot[0];
    setFreqs(s, 0, {0.9f, 0.1f, 0.5f, 0.3f, 0.7f});
    for (int b = 1; b <= 5; ++b) s.side[0].band[b].gain = 0.1f * b;
    s.switches[2].on = 1.0f;
    fx.effect->sortBandsByFrequency();
    EXPECT_FLOAT_EQ(s.side[0].band[1].freq, 0.1f);
    EXPECT_FLOAT_EQ(s.side[0].band[2].freq, 0.3f);
    EXPECT_FLOAT_EQ(s.side[0].band[3].freq, 0.5f);
    EXPECT_FLOAT_EQ(s.side[0].band[4].freq, 0.7f);
    EXPECT_FLOAT_EQ(s.side[0].band[5].freq, 0.9f);
    EXPECT_FLOAT_EQ(s.side[0].band[1].gain, 0.2f);  // values travel with the band
    EXPECT_FLOAT_EQ(s.switches[1].on, 1.0f);        // and so does the on switch
    EXPECT_EQ(fx.effect->bandSlot(1), 2);            // and the engine slot
    EXPECT_EQ(fx.effect->bandSlot(5), 1);
    EXPECT_EQ(s.modified, 0);
    EXPECT_STREQ(s.switches[1].name, "Band 2");  // names stay in place
}

TEST(SortBands, ShelvesKeepTheirPlaces) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    SettingsSlot& s = fx.effect->settings().slot[0];
    s.switches[1].type = 1.0f;
    s.switches[5].type = 1.0f;
    setFreqs(s, 0, {0.9f, 0.8f, 0.5f, 0.3f, 0.1f});
    fx.effect->sortBandsByFrequency();
    EXPECT_FLOAT_EQ(s.side[0].band[1].freq, 0.9f);
    EXPECT_FLOAT_EQ(s.side[0].band[2].freq, 0.3f);
    EXPECT_FLOAT_EQ(s.side[0].band[3].freq, 0.5f);
    EXPECT_FLOAT_EQ(s.side[0].band[4].freq, 0.8f);
    EXPECT_FLOAT_EQ(s.side[0].band[5].freq, 0.1f);
}

TEST(SortBands, EqualFrequenciesKeepTheirOrderAndOtherSideStays) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    SettingsSlot& s = fx.effect->settings().slot[0];
    setFreqs(s, 0, {0.5f, 0.5f, 0.2f, 1.0f, 0.5f});
    setFreqs(s, 1, {0.11f, 0.12f, 0.13f, 0.14f, 0.15f});
    for (int b = 1; b <= 5; ++b) s.side[0].band[b].qual = 0.01f * b;
    fx.effect->sortBandsByFrequency();
    EXPECT_FLOAT_EQ(s.side[0].band[1].freq, 0.2f);
    EXPECT_FLOAT_EQ(s.side[0].band[2].qual, 0.01f);
    EXPECT_FLOAT_EQ(s.side[0].band[3].qual, 0.02f);
    EXPECT_FLOAT_EQ(s.side[0].band[4].qual, 0.05f);
    EXPECT_FLOAT_EQ(s.side[0].band[5].freq, 1.0f);
    EXPECT_FLOAT_EQ(s.side[1].band[1].freq, 0.11f);
}

TEST(BandNames, AreStoredAndRefreshTheEditor) {
    HostedEffect fx(true);
    fx.set(108, 1.0f);  // show side 0
    fx.effect->settings().slot[0].modifiedShown = 1;
    fx.effect->setBandName(37, "Snare");
    EXPECT_STREQ(fx.effect->settings().slot[0].switches[2].name, "Snare");
    EXPECT_STREQ(fx.effect->getDisplayText(37), "Snare");
    EXPECT_GE(fx.editor()->updatesOf(37), 1);
    EXPECT_GE(fx.editor()->updatesOf(75), 1);
    EXPECT_EQ(fx.effect->settings().slot[0].modifiedShown, 0);
}

TEST(SwapSides, TwiceRestoresTheSlotAndKeepsTheMark) {
    HostedEffect fx;
    fx.set(108, 1.0f);  // show side 0
    SettingsSlot& s = fx.effect->settings().slot[0];
    s.side[0].band[2].gain = 0.9f;
    s.side[1].band[2].gain = 0.2f;
    s.side[1].generalVolume = 0.7f;
    const SettingsSlot before = s;
    fx.effect->swapSides();
    EXPECT_FLOAT_EQ(s.side[0].band[2].gain, 0.2f);
    EXPECT_FLOAT_EQ(s.side[0].generalVolume, 0.7f);
    fx.effect->swapSides();
    EXPECT_EQ(std::memcmp(&s.side, &before.side, sizeof s.side), 0);
    EXPECT_EQ(s.modified, 1);
    EXPECT_EQ(s.modifiedShown, 1);
}

}  // namespace
}  // namespace solva::test

namespace solva::test {
namespace {

int lastImage(const RecordingEditor& editor, int tag) {
    int variant = -1;
    for (const auto& image : editor.images)
        if (image.first == tag) variant = int(image.second);
    return variant;
}

TEST(EditorImages, FollowSlotFactoryMarkAndSides) {
    HostedEffect fx(true);
    fx.effect->setParameterAutomated(107, 1.0f);  // slot B
    EXPECT_EQ(lastImage(*fx.editor(), 71), 1);
    fx.effect->setParameterAutomated(106, 1.0f);  // slot A
    EXPECT_EQ(lastImage(*fx.editor(), 71), 0);
    SettingsSlot& s = fx.effect->settings().slot[0];
    s.info.channelMode = 2;
    fx.set(108, 1.0f);
    EXPECT_EQ(lastImage(*fx.editor(), 72), 2);
    fx.set(109, 1.0f);
    EXPECT_EQ(lastImage(*fx.editor(), 108), 3);
    s.info.channelMode = 1;
    fx.set(109, 1.0f);
    EXPECT_EQ(lastImage(*fx.editor(), 109), 1);
    s.info.factory = 1;
    fx.effect->reapplyProgram(1);
    EXPECT_EQ(lastImage(*fx.editor(), 73), 1);
}

}  // namespace
}  // namespace solva::test
