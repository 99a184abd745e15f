// Stored settings reach the engine with the engine-side laws: bell gain
// warp, the pass filters' Q laws, the Air band's fixed settings and the
// kind each switch selects. Read back from the band processors after a
// processed block.
#include <gtest/gtest.h>

#include <vector>

#include "dsp/band_kind.h"
#include "params/value_law.h"
#include "plugin_test_support.h"

namespace solva::test {
namespace {

class EngineTranslation : public ::testing::Test {
protected:
    void SetUp() override {
        fx.set(108, 1.0f);  // show side 0
        fx.set(33, 1.0f);   // general on
    }
    // Runs one block so that every enabled band picks up its settings.
    void process() {
        std::vector<float> l(256, 0.01f), r(256, 0.01f), outL(256), outR(256);
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {outL.data(), outR.data()};
        fx.aeffect->processReplacing(fx.aeffect, in, out, 256);
    }
    const BandProcessor& band(int position, int channel = 0) {
        return fx.effect->engine().band(channel, fx.effect->bandSlot(position));
    }

    HostedEffect fx;
};

TEST_F(EngineTranslation, BellGainIsWarpedByQuality) {
    fx.set(26, 1.0f);                                    // band 3 on
    fx.set(9, lawToNormalised(1.0f, kBellQLaw));         // Q 1
    fx.set(10, lawToNormalised(10.0f, kGainLaw));        // +10 dB nominal
    process();
    EXPECT_EQ(band(3).kind(), kKindBell);
    EXPECT_NEAR(band(3).currentGainDb(), 11.3f, 0.02f);
    EXPECT_NEAR(band(3).currentQ(), 1.0f, 1e-4f);
    EXPECT_NEAR(band(3).currentFreqHz(), 1000.0f, 0.5f);
    fx.set(10, 0.5f);  // 0 dB stays 0 dB at any Q
    process();
    EXPECT_FLOAT_EQ(band(3).currentGainDb(), 0.0f);
}

TEST_F(EngineTranslation, HighPassQualityFollowsItsEngineLaw) {
    fx.set(21, 1.0f);
    fx.set(0, lawToNormalised(1000.0f, kHpFrequencyLaw));
    fx.set(1, 0.5f);
    process();
    EXPECT_EQ(band(0).kind(), kKindHighPass6);
    EXPECT_NEAR(band(0).currentQ(), 0.7f, 1e-4f);
    fx.set(1, 1.0f);
    process();
    EXPECT_NEAR(band(0).currentQ(), 4.0f, 1e-4f);
    fx.set(0, 0.0f);  // 20 Hz
    process();
    EXPECT_NEAR(band(0).currentQ(), 12.0f, 1e-4f);
    fx.set(0, lawToNormalised(10000.0f, kHpFrequencyLaw));
    process();
    EXPECT_NEAR(band(0).currentQ(), 2.0f, 1e-4f);
    fx.set(22, 1.0f);  // 12 dB
    process();
    EXPECT_EQ(band(0).kind(), kKindHighPass12);
}

TEST_F(EngineTranslation, AirBandIsAlwaysFarAboveTheSpectrum) {
    fx.set(32, 1.0f);
    fx.set(19, 1.0f);  // +15 dB
    process();
    EXPECT_EQ(band(7).kind(), kKindBell);
    EXPECT_FLOAT_EQ(band(7).currentFreqHz(), 300000.0f);
    EXPECT_FLOAT_EQ(band(7).currentQ(), 0.0f);
    EXPECT_NEAR(band(7).currentGainDb(), 15.0f, 1e-4f);
    fx.dispatch(vst::effSetSampleRate, 0, 0, nullptr, 96000.0f);
    process();
    EXPECT_FLOAT_EQ(band(7).currentFreqHz(), 300000.0f);
}

TEST_F(EngineTranslation, ShelfTypesUseTheShelfLawAndUnwarpedGain) {
    fx.set(23, 1.0f);
    fx.set(3, 0.5f);
    fx.set(4, lawToNormalised(6.64f, kGainLaw));
    fx.set(24, 1.0f);  // band 1 becomes a low shelf
    process();
    EXPECT_EQ(band(1).kind(), kKindLowShelfB);
    EXPECT_NEAR(band(1).currentQ(), lawToPhysical(0.5f, kShelfQLaw), 1e-4f);
    EXPECT_NEAR(band(1).currentGainDb(), 6.64f, 1e-3f);
    fx.set(28, 1.0f);
    fx.set(29, 1.0f);  // band 5 a high shelf
    process();
    EXPECT_EQ(band(5).kind(), kKindHighShelfA);
}

TEST_F(EngineTranslation, BothSidesReachTheirOwnChannels) {
    for (float& l : fx.effect->settings().slot[0].linkMode) l = 0.0f;
    fx.set(27, 1.0f);
    fx.set(13, lawToNormalised(-6.64f, kGainLaw));
    fx.set(109, 1.0f);  // side 1
    fx.set(13, lawToNormalised(3.32f, kGainLaw));
    process();
    EXPECT_LT(band(4, 0).currentGainDb(), -6.0f);
    EXPECT_GT(band(4, 1).currentGainDb(), 3.0f);
}

}  // namespace
}  // namespace solva::test

namespace solva::test {
namespace {

TEST_F(EngineTranslation, ListenBoostRaisesTheBandAndTheTickEndsIt) {
    fx.set(26, 1.0f);
    fx.set(9, lawToNormalised(1.0f, kBellQLaw));
    fx.set(10, 0.5f);  // 0 dB
    fx.effect->settings().options[kOptAltGainDrop] = 0.0f;
    fx.effect->reportMouseState(1 | 32, 8);  // left button with Alt on band 3's frequency
    fx.effect->setParameterAutomated(8, 0.52f);
    process();
    EXPECT_NEAR(band(3).currentGainDb(), 15.0f, 0.01f);           // +15 dB warped at Q 1
    EXPECT_FLOAT_EQ(fx.effect->settings().slot[0].side[0].band[3].gain, 0.5f);  // stored value kept
    EXPECT_FLOAT_EQ(fx.get(20), 0.5f);                                // option 67 at 0: no drop

    fx.effect->reportMouseState(0, 8);
    fx.effect->setPendingReapply(10);
    fx.effect->tick();
    process();
    EXPECT_FLOAT_EQ(band(3).currentGainDb(), 0.0f);
}

TEST_F(EngineTranslation, ListenBoostDropsTheVolumeWithTheAlternativeOption) {
    fx.set(26, 1.0f);
    fx.set(67, 2.0f);  // -15 dB drop
    fx.effect->reportMouseState(1 | 32, 8);
    fx.effect->setParameterAutomated(8, 0.52f);
    EXPECT_FLOAT_EQ(fx.get(20), 0.0f);
    fx.effect->reportMouseState(0, 8);
    fx.effect->setPendingReapply(10);
    fx.effect->tick();
    EXPECT_FLOAT_EQ(fx.get(20), 0.5f);  // volume restored
}

}  // namespace
}  // namespace solva::test
