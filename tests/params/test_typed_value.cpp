// Typed physical values converted to normalised parameter values.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include "params/param_table.h"
#include "params/typed_value.h"
#include "params/value_law.h"
#include "params_test_support.h"

namespace solva {
namespace {

class Typed : public ::testing::Test {
protected:
    SettingsBlock block = test::makeDefaultBlock();

    float typed(int index, const char* text) {
        float norm = -1.0f;
        EXPECT_TRUE(typedValueToNormalised(block, index, text, &norm)) << index << " " << text;
        return norm;
    }
    bool ignored(int index, const char* text) {
        float norm = -1.0f;
        const bool accepted = typedValueToNormalised(block, index, text, &norm);
        return !accepted && norm == -1.0f;
    }
};

TEST_F(Typed, FrequenciesThroughTheirLaws) {
    EXPECT_EQ(typed(8, "2000"), 13.0f / 22.0f);
    EXPECT_EQ(typed(2, "1000"), 0.5f);
    EXPECT_NEAR(typed(0, "500"), 0.5f, 1e-6f);  // high-pass law
    EXPECT_EQ(typed(0, "20000"), 1.0f);
    EXPECT_EQ(typed(17, "10"), 0.0f);
}

TEST_F(Typed, GainsClampToTheLawRange) {
    EXPECT_EQ(typed(4, "20"), 1.0f);
    EXPECT_EQ(typed(7, "-20"), 0.0f);
    EXPECT_EQ(typed(10, "0"), 0.5f);
    EXPECT_NEAR(lawToPhysical(typed(13, "1.494"), kGainLaw), 1.494f, 1e-5f);
    EXPECT_EQ(typed(20, "15"), 1.0f);
    EXPECT_EQ(typed(19, "2"), 0.625f);  // Air gain law
    EXPECT_EQ(typed(16, "abc"), 0.5f);  // not a number reads as 0 dB
}

TEST_F(Typed, QualitiesAsFactorOrOctaves) {
    EXPECT_NEAR(lawToPhysical(typed(1, "0.7"), kFilterQLaw), 0.7f, 1e-6f);
    EXPECT_EQ(typed(6, "1"), 0.5f);
    block.options[kOptQAsOctaves] = 1.0f;
    const float norm = typed(6, "0.71");
    EXPECT_NEAR(lawToPhysical(norm, kBellQLaw), 0.704f, 5e-4f);
    EXPECT_NEAR(lawToPhysical(norm, kBellQLaw), 1.0f / 1.42f, 1e-5f);
    EXPECT_EQ(typed(6, "0"), 1.0f);  // zero octaves: infinite Q, clamped
}

TEST_F(Typed, BandQualityUsesTheShelfLawWhenTheTypeIsShelf) {
    block.slot[0].switches[kBand1].type = 1.0f;
    EXPECT_EQ(typed(3, "0.7"), 0.5f);  // shelf breakpoint 3 of 6
    EXPECT_EQ(typed(15, "1"), 0.5f);   // band 5 still a bell
    block.slotSelector = 1.0f;         // slot B keeps bell types
    EXPECT_NE(typed(3, "0.7"), 0.5f);
}

TEST_F(Typed, FrequenciesAndQualitiesIgnoredWhileNotesAreShown) {
    block.options[kOptFreqAsNotes] = 0.5f;
    for (int i : {0, 2, 5, 8, 11, 14, 17, 1, 3, 6, 9, 12, 15, 18}) EXPECT_TRUE(ignored(i, "100")) << i;
    EXPECT_EQ(typed(4, "20"), 1.0f);
    EXPECT_EQ(typed(20, "0"), 0.5f);
}

TEST_F(Typed, IndicesOutsideTheContinuousRangeAreIgnored) {
    for (int i : {-1, 21, 24, 33, 34, 35, 43, 105}) EXPECT_TRUE(ignored(i, "1")) << i;
}

TEST_F(Typed, NumberSyntaxLikeStrtod) {
    EXPECT_EQ(typed(10, "  +1.66"), lawToNormalised(1.66f, kGainLaw));
    EXPECT_EQ(typed(10, "1.66 dB"), lawToNormalised(1.66f, kGainLaw));
    EXPECT_EQ(typed(10, "-166e-2"), lawToNormalised(-1.66f, kGainLaw));
    EXPECT_EQ(typed(10, "1,66"), lawToNormalised(1.0f, kGainLaw));  // comma ends the number
    EXPECT_EQ(typed(10, ""), 0.5f);
    EXPECT_EQ(typed(10, "nan"), 0.5f);
    EXPECT_EQ(typed(10, "inf"), 1.0f);
    EXPECT_EQ(typed(10, "-1e999"), 0.0f);
    EXPECT_EQ(typed(10, "1e-999"), 0.5f);
    EXPECT_EQ(typed(10, "0x1"), lawToNormalised(1.0f, kGainLaw));
    EXPECT_EQ(typed(8, "0x7d0"), 13.0f / 22.0f);
}

TEST_F(Typed, DecimalPointIgnoresACommaLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no de_DE locale installed";
    float norm = -1.0f;
    const bool accepted = typedValueToNormalised(block, 13, "1.66", &norm);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_TRUE(accepted);
    EXPECT_EQ(norm, lawToNormalised(1.66f, kGainLaw));
}

}  // namespace
}  // namespace solva

#include "params/display_text.h"

namespace solva {
namespace {

// What a display shows, typed back in, gives the same physical value within
// the display's rounding.
TEST_F(Typed, DisplayedTextsParseBackToTheirValue) {
    for (float octaves : {0.0f, 1.0f}) {
        block.options[kOptQAsOctaves] = octaves;
        for (int i = 0; i <= 20; ++i) {
            const ValueLaw& law = lawForIndex(i, currentSlot(block));
            for (int k = 0; k <= 100; ++k) {
                const float norm = k / 100.0f;
                test::shownValue(block, i) = norm;
                char shown[kDisplayTextCapacity];
                ASSERT_TRUE(formatDisplayText(block, i, shown));
                // "13.60k" reads as 13.6 when typed; the user types the Hz.
                std::string text = shown;
                if (text.back() == 'k') {
                    text.pop_back();
                    text = std::to_string(std::strtod(text.c_str(), nullptr) * 1000.0);
                }
                const float back = typed(i, text.c_str());
                const float physical = lawToPhysical(norm, law);
                const float physicalBack = lawToPhysical(back, law);
                // Two decimals at worst, relative for the frequency "k" texts, and
                // twice the step in octaves, which become wider as Q.
                double tol = isFrequencyIndex(i) ? std::max(0.006, physical * 0.0006) : 0.051;
                if (isQualityIndex(i) && octaves >= 0.5f) tol = 0.006 * 2.0 * physical * physical * 2.0;
                if (isQualityIndex(i) && octaves < 0.5f) tol = 0.006;
                EXPECT_NEAR(physicalBack, physical, tol) << "index " << i << " text " << shown;
            }
        }
    }
}

}  // namespace
}  // namespace solva
