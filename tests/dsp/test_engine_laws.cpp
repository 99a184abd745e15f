// Engine-side Q laws and the bell gain warp.
#include <gtest/gtest.h>

#include "params/engine_laws.h"

using namespace solva;

TEST(BellGainWarp, MatchesTableAtBreakpointsAndInterpolates) {
    EXPECT_NEAR(bellGainWarp(10.0f, 1.0f), 11.3f, 1e-5f);
    EXPECT_NEAR(bellGainWarp(10.0f, 0.05f), 7.0f, 1e-5f);
    EXPECT_NEAR(bellGainWarp(15.0f, 7.0f), 22.64f, 1e-4f);
    EXPECT_NEAR(bellGainWarp(-15.0f, 0.05f), -9.0f, 1e-5f);
    EXPECT_NEAR(bellGainWarp(-5.0f, 5.0f), -16.305f, 1e-4f);
    // Halfway between rows 10 and 15 dB at Q 1: (11.3 + 15) / 2.
    EXPECT_NEAR(bellGainWarp(12.5f, 1.0f), 13.15f, 1e-4f);
    // Halfway between Q 0.5 and 0.7 at +5 dB.
    EXPECT_NEAR(bellGainWarp(5.0f, 0.6f), (6.12f + 6.89f) / 2.0f, 1e-4f);
}

TEST(BellGainWarp, ZeroGainStaysZeroForEveryQ) {
    for (float q : {0.05f, 0.1f, 0.33f, 1.0f, 2.5f, 7.0f, 10.0f}) EXPECT_EQ(bellGainWarp(0.0f, q), 0.0f) << q;
}

TEST(BellGainWarp, AboveTheAxesUsesTheLastRowAndColumn) {
    EXPECT_NEAR(bellGainWarp(20.0f, 1.0f), 15.0f, 1e-5f);
    EXPECT_NEAR(bellGainWarp(15.0f, 9.0f), 22.64f, 1e-4f);
}

TEST(HighPassEngineQ, BlendsTheLawsByFrequency) {
    EXPECT_NEAR(highPassEngineQ(0.5f, 1000.0f), 0.7f, 1e-6f);
    EXPECT_NEAR(highPassEngineQ(1.0f, 20.0f), 12.0f, 1e-5f);
    EXPECT_NEAR(highPassEngineQ(1.0f, 1000.0f), 4.0f, 1e-5f);
    EXPECT_NEAR(highPassEngineQ(1.0f, 10000.0f), 2.0f, 1e-5f);
    EXPECT_NEAR(highPassEngineQ(1.0f, 10.0f), 12.0f, 1e-5f);
    // Halfway between 20 and 1000 Hz.
    EXPECT_NEAR(highPassEngineQ(1.0f, 510.0f), 8.0f, 1e-4f);
    EXPECT_NEAR(highPassEngineQ(0.0f, 10000.0f), 0.5f, 1e-6f);
}

TEST(LowPassEngineQ, BlendsTheSixLaws) {
    EXPECT_NEAR(lowPassEngineQ(1.0f, 20.0f), 12.0f, 1e-5f);
    EXPECT_NEAR(lowPassEngineQ(0.0f, 20.0f), 0.5f, 1e-6f);
    EXPECT_NEAR(lowPassEngineQ(0.0f, 100.0f), 0.1f, 1e-6f);
    EXPECT_NEAR(lowPassEngineQ(1.0f, 10000.0f), 3.0f, 1e-5f);
    EXPECT_NEAR(lowPassEngineQ(1.0f, 20000.0f), 2.0f, 1e-5f);
    EXPECT_NEAR(lowPassEngineQ(0.75f, 15000.0f), (1.85f + 1.35f) / 2.0f, 1e-5f);
    EXPECT_NEAR(lowPassEngineQ(0.5f, 60.0f), (1.0f + 0.7f) / 2.0f, 1e-5f);
}
