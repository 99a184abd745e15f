// Value laws: breakpoints, interpolation, inverse and snapping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "params/value_law.h"

namespace solva {
namespace {

struct NamedLaw {
    const char* name;
    const ValueLaw* law;
    std::vector<float> breakpoints;
};

std::vector<NamedLaw> allLaws() {
    return {
        {"frequency", &kFrequencyLaw,
         {20, 30, 45, 60, 80, 100, 140, 200, 300, 500, 700, 1000, 1500, 2000, 3000, 5000, 7000,
          8500, 10000, 12000, 14000, 17000, 20000}},
        {"hp frequency", &kHpFrequencyLaw,
         {20, 30, 45, 60, 80, 100, 140, 200, 300, 500, 700, 1000, 1500, 2000, 3000, 5000, 7000,
          8500, 10000}},
        {"filter q", &kFilterQLaw, {0.05f, 0.1f, 0.7f, 2.35f, 4.0f}},
        {"bell q", &kBellQLaw, {0.1f, 0.2f, 0.5f, 1.0f, 1.7f, 3.5f, 7.0f}},
        {"shelf q", &kShelfQLaw, {0.3f, 0.4f, 0.52f, 0.7f, 1.0f, 1.4f, 2.0f}},
        {"gain", &kGainLaw,
         {-15, -13.28f, -11.62f, -9.96f, -8.3f, -6.64f, -4.98f, -3.32f, -1.66f, 0, 1.66f, 3.32f,
          4.98f, 6.64f, 8.3f, 9.96f, 11.62f, 13.28f, 15}},
        {"air gain", &kAirGainLaw, {-15, -10, -5, -2, 0, 2, 5, 10, 15}},
    };
}

TEST(ValueLaw, TablesHoldExactlyTheBreakpoints) {
    for (const NamedLaw& l : allLaws()) {
        SCOPED_TRACE(l.name);
        ASSERT_EQ(l.law->count, static_cast<int>(l.breakpoints.size()));
        for (int i = 0; i < l.law->count; ++i) EXPECT_EQ(l.law->table[i], l.breakpoints[i]);
    }
}

TEST(ValueLaw, BreakpointsSitAtEquallySpacedPositionsBothWays) {
    for (const NamedLaw& l : allLaws()) {
        SCOPED_TRACE(l.name);
        const int n = l.law->count;
        for (int i = 0; i < n; ++i) {
            const float x = static_cast<float>(i) / static_cast<float>(n - 1);
            const float p = l.breakpoints[i];
            const float tol = 1e-5f * std::max(1.0f, std::fabs(p));
            EXPECT_NEAR(lawToPhysical(x, *l.law), p, tol) << "breakpoint " << i;
            EXPECT_NEAR(lawToNormalised(p, *l.law), x, 1e-6f) << "breakpoint " << i;
        }
    }
}

TEST(ValueLaw, InterpolatesLinearlyBetweenBreakpointsAndRoundTrips) {
    for (const NamedLaw& l : allLaws()) {
        SCOPED_TRACE(l.name);
        const int n = l.law->count;
        for (int i = 0; i + 1 < n; ++i) {
            for (float frac : {0.1f, 0.25f, 0.5f, 0.9f}) {
                const float x = (static_cast<float>(i) + frac) / static_cast<float>(n - 1);
                const float expected = l.breakpoints[i] + frac * (l.breakpoints[i + 1] - l.breakpoints[i]);
                const float p = lawToPhysical(x, *l.law);
                const float tol = 1e-4f * std::max(1.0f, std::fabs(expected));
                EXPECT_NEAR(p, expected, tol) << "segment " << i << " frac " << frac;
                EXPECT_NEAR(lawToNormalised(p, *l.law), x, 2e-6f) << "segment " << i;
            }
        }
    }
}

TEST(ValueLaw, ClampsOutsideTheRange) {
    for (const NamedLaw& l : allLaws()) {
        SCOPED_TRACE(l.name);
        const float first = l.breakpoints.front(), last = l.breakpoints.back();
        EXPECT_EQ(lawToPhysical(-0.5f, *l.law), first);
        EXPECT_EQ(lawToPhysical(0.0f, *l.law), first);
        EXPECT_EQ(lawToPhysical(1.0f, *l.law), last);
        EXPECT_EQ(lawToPhysical(7.0f, *l.law), last);
        EXPECT_EQ(lawToNormalised(first - 1.0f, *l.law), 0.0f);
        EXPECT_EQ(lawToNormalised(first, *l.law), 0.0f);
        EXPECT_EQ(lawToNormalised(last, *l.law), 1.0f);
        EXPECT_EQ(lawToNormalised(last * 10.0f + 100.0f, *l.law), 1.0f);
        EXPECT_EQ(lawToNormalised(std::numeric_limits<float>::infinity(), *l.law), 1.0f);
        EXPECT_EQ(lawToNormalised(std::nanf(""), *l.law), 0.0f);
    }
}

TEST(ValueLaw, MidpointsAndGainWarpValues) {
    EXPECT_FLOAT_EQ(lawToPhysical(0.5f, kFrequencyLaw), 1000.0f);
    EXPECT_FLOAT_EQ(lawToPhysical(0.5f, kHpFrequencyLaw), 500.0f);
    EXPECT_EQ(lawToNormalised(1000.0f, kFrequencyLaw), 0.5f);  // exactly
    EXPECT_EQ(lawToNormalised(2000.0f, kFrequencyLaw), 13.0f / 22.0f);
    EXPECT_EQ(lawToPhysical(0.5f, kGainLaw), 0.0f);
    EXPECT_NEAR(lawToPhysical(0.55f, kGainLaw), 1.494f, 1e-5f);
    EXPECT_EQ(lawToPhysical(0.5f, kAirGainLaw), 0.0f);
}

TEST(ValueLaw, GainLawOuterStepsAreWiderThanInnerOnes) {
    EXPECT_NEAR(kGainLaw.table[1] - kGainLaw.table[0], 1.72f, 1e-5f);
    EXPECT_NEAR(kGainLaw.table[18] - kGainLaw.table[17], 1.72f, 1e-5f);
    for (int i = 1; i < 17; ++i) EXPECT_NEAR(kGainLaw.table[i + 1] - kGainLaw.table[i], 1.66f, 1e-5f);
}

TEST(SnapPhysical, RoundsDownWithATolerance) {
    int index = -1;
    EXPECT_EQ(snapPhysical(141.0f, kFrequencyLaw, &index), 140.0f);
    EXPECT_EQ(index, 6);
    EXPECT_EQ(snapPhysical(139.995f, kFrequencyLaw, &index), 140.0f);
    EXPECT_EQ(index, 6);
    EXPECT_EQ(snapPhysical(139.9f, kFrequencyLaw, &index), 100.0f);
    EXPECT_EQ(index, 5);
    EXPECT_EQ(snapPhysical(10.0f, kFrequencyLaw, &index), 20.0f);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(snapPhysical(19.99f, kFrequencyLaw, &index), 20.0f);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(snapPhysical(19999.99f, kFrequencyLaw, &index), 20000.0f);
    EXPECT_EQ(index, 22);
    EXPECT_EQ(snapPhysical(25000.0f, kFrequencyLaw, &index), 20000.0f);
    EXPECT_EQ(index, 22);
    EXPECT_EQ(snapPhysical(-0.5f, kGainLaw, &index), -1.66f);
    EXPECT_EQ(snapPhysical(0.0f, kGainLaw), 0.0f);
    EXPECT_EQ(snapPhysical(1.0f, kGainLaw), 0.0f);
}

}  // namespace
}  // namespace solva
