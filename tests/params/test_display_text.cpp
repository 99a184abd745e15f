// Display texts of values, switches, names and the version.
#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "params/display_text.h"
#include "params/param_table.h"
#include "params/value_law.h"
#include "params_test_support.h"

namespace solva {
namespace {

std::string freqText(float freqHz, bool notes = false, bool hp = false) {
    char out[32];
    frequencyText(lawToNormalised(freqHz, hp ? kHpFrequencyLaw : kFrequencyLaw), notes, hp, out);
    return out;
}

class Display : public ::testing::Test {
protected:
    SettingsBlock block = test::makeDefaultBlock();

    std::string text(int index) {
        char out[kDisplayTextCapacity];
        std::memset(out, '#', sizeof out);
        EXPECT_TRUE(formatDisplayText(block, index, out)) << index;
        return out;
    }
    void setPhysical(int index, float physical) {
        test::shownValue(block, index) = lawToNormalised(physical, lawForIndex(index, currentSlot(block)));
    }
};

TEST(FrequencyText, HertzFormatsByRange) {
    EXPECT_EQ(freqText(42.0f), "42.00");
    EXPECT_EQ(freqText(176.0f), "176.0");
    EXPECT_EQ(freqText(999.96f), "1000.0");
    EXPECT_EQ(freqText(1000.0f), "1000");
    EXPECT_EQ(freqText(5800.4f), "5800");
    EXPECT_EQ(freqText(9999.6f), "10000");
    EXPECT_EQ(freqText(10000.0f), "10.00k");
    EXPECT_EQ(freqText(13600.0f), "13.60k");
    EXPECT_EQ(freqText(20000.0f), "20.00k");
    EXPECT_EQ(freqText(20.0f), "20.00");
}

TEST(FrequencyText, DefaultsOfTheBandsAndTheHighPassLaw) {
    char out[32];
    frequencyText(0.1f, false, true, out);
    EXPECT_STREQ(out, "42.00");
    frequencyText(0.5f, false, true, out);
    EXPECT_STREQ(out, "500.0");
    frequencyText(1.0f, false, true, out);
    EXPECT_STREQ(out, "10.00k");
    frequencyText(0.3f, false, false, out);
    EXPECT_STREQ(out, "176.0");
    frequencyText(0.7f, false, false, out);
    EXPECT_STREQ(out, "5800");
    frequencyText(0.9f, false, false, out);
    EXPECT_STREQ(out, "13.60k");
}

TEST(FrequencyText, NotesWithSharpAndNextNoteMarks) {
    EXPECT_EQ(freqText(440.0f, true), "A3  ");
    EXPECT_EQ(freqText(442.0f, true), "A3  ");    // below 1.005 x 440
    EXPECT_EQ(freqText(445.0f, true), "A3  +");   // above 442.2
    EXPECT_EQ(freqText(452.0f, true), "A3  +");   // below 452.76
    EXPECT_EQ(freqText(455.0f, true), "Bb3 -");   // above 452.76
    EXPECT_EQ(freqText(439.995f, true), "A3  ");  // snap tolerance
    EXPECT_EQ(freqText(20.0f, true), "Eb-1+");
    EXPECT_EQ(freqText(1000.0f, true), "B4  +");
    EXPECT_EQ(freqText(8000.0f, true, true), "B7  +");
    EXPECT_EQ(freqText(8200.0f, true, true), "C8  -");
}

TEST(FrequencyText, NoteMarksFollowTheNamePaddingAndStopAtTheLastNote) {
    char out[32];
    noteTextOfFrequency(33.0f, out);  // C0 is 32.70 Hz
    EXPECT_STREQ(out, "C0  +");
    noteTextOfFrequency(31608.53f, out);
    EXPECT_STREQ(out, "B9  ");
    noteTextOfFrequency(31608.53f * 1.02f, out);
    EXPECT_STREQ(out, "B9  +");
    noteTextOfFrequency(31608.53f * 1.04f, out);  // no note above the last one
    EXPECT_STREQ(out, "B9  +");
    noteTextOfFrequency(4186.0f, out);  // within the snap tolerance of 4186.01
    EXPECT_STREQ(out, "C7  ");
    hertzTextOfFrequency(99.999f, out);
    EXPECT_STREQ(out, "100.00");
    hertzTextOfFrequency(12345.0f, out);
    EXPECT_STREQ(out, "12.35k");
}

TEST_F(Display, BandValuesOfTheShownSideOfTheCurrentSlot) {
    EXPECT_EQ(text(0), "42.00");
    EXPECT_EQ(text(2), "88.00");
    EXPECT_EQ(text(5), "176.0");
    EXPECT_EQ(text(8), "1000");
    EXPECT_EQ(text(11), "5800");
    EXPECT_EQ(text(14), "9400");
    EXPECT_EQ(text(17), "13.60k");
    EXPECT_EQ(text(1), "0.71");
    EXPECT_EQ(text(18), "0.71");
    for (int i : {3, 6, 9, 12, 15}) EXPECT_EQ(text(i), "1.00") << i;
    for (int i : {4, 7, 10, 13, 16, 19, 20}) EXPECT_EQ(text(i), "0.0") << i;

    block.slot[0].sideShown = 0.0f;  // side 1 shown
    block.slot[0].side[1].band[kBand2].gain = 0.55f;
    EXPECT_EQ(text(7), "1.5");  // 1.494 dB
    block.slot[0].sideShown = 1.0f;
    EXPECT_EQ(text(7), "0.0");

    block.slotSelector = 1.0f;  // slot B
    block.slot[1].side[0].band[kBandAir].gain = 0.375f;
    EXPECT_EQ(text(19), "-2.0");
}

TEST_F(Display, GainAndAirGainLaws) {
    setPhysical(4, -13.28f);
    EXPECT_EQ(text(4), "-13.3");
    setPhysical(20, 15.0f);
    EXPECT_EQ(text(20), "15.0");
    test::shownValue(block, 19) = 0.75f;
    EXPECT_EQ(text(19), "5.0");
}

TEST_F(Display, QualityAsFactorOrOctavesAndShelfLaw) {
    setPhysical(1, 0.7f);
    EXPECT_EQ(text(1), "0.70");
    block.options[kOptQAsOctaves] = 1.0f;
    EXPECT_EQ(text(1), "0.71");
    setPhysical(6, 2.0f);
    EXPECT_EQ(text(6), "0.25");
    block.options[kOptQAsOctaves] = 0.0f;
    EXPECT_EQ(text(6), "2.00");

    block.slot[0].switches[kBand1].type = 0.5f;
    EXPECT_EQ(text(3), "0.70");  // same stored value through the shelf law
    block.slot[0].switches[kBand5].type = 1.0f;
    EXPECT_EQ(text(15), "0.70");
    block.slot[0].switches[kBand5].type = 0.0f;
    EXPECT_EQ(text(15), "1.00");
}

TEST_F(Display, FrequencyIndicesFollowTheNotesOption) {
    block.options[kOptFreqAsNotes] = 1.0f;
    setPhysical(8, 440.0f);
    EXPECT_EQ(text(8), "A3  ");
    setPhysical(0, 445.0f);
    EXPECT_EQ(text(0), "A3  +");
}

TEST_F(Display, SwitchesAndTypes) {
    SettingsSlot& s = block.slot[0];
    for (int i : {21, 23, 25, 26, 27, 28, 30, 32, 33}) {
        *switchValuePtr(s, i) = 0.49f;
        EXPECT_EQ(text(i), "Off") << i;
        *switchValuePtr(s, i) = 0.5f;
        EXPECT_EQ(text(i), "On") << i;
    }
    const struct { int index; const char* off; const char* on; } types[] = {
        {22, "HighPass 6dB", "HighPass 12dB"},
        {24, "Bell", "LowShelf"},
        {29, "Bell", "HighShelf"},
        {31, "LowPass 6dB", "LowPass 12dB"},
    };
    for (const auto& t : types) {
        *switchValuePtr(s, t.index) = 0.0f;
        EXPECT_EQ(text(t.index), t.off);
        *switchValuePtr(s, t.index) = 0.5f;
        EXPECT_EQ(text(t.index), t.on);
    }
}

TEST_F(Display, BandNamesIncludingAFullUnterminatedField) {
    std::strcpy(block.slot[0].switches[0].name, "Rumble");
    std::strcpy(block.slot[0].switches[7].name, "Air");
    std::memset(block.slot[0].switches[3].name, 'x', 24);
    EXPECT_EQ(text(35), "Rumble");
    EXPECT_EQ(text(42), "Air");
    EXPECT_EQ(text(38), std::string(24, 'x'));
    EXPECT_EQ(text(36), "");
}

TEST_F(Display, VersionTextAndUnhandledIndices) {
    const std::string v = text(kVersionTextIndex);
    // "V1.34 (Mmm dd yyyy / hh:mm:ss) Generic" with the build's own date and time.
    const std::string shape = "V1.34 (Aaa 99 9999 / 99:99:99) Generic";
    ASSERT_EQ(v.size(), shape.size()) << v;
    for (std::size_t c = 0; c < shape.size(); ++c) {
        const char want = shape[c], got = v[c];
        if (want == '9')
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(got)) || (c == 11 && got == ' ')) << v;
        else if (want == 'A' || want == 'a')
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(got))) << v;
        else
            EXPECT_EQ(got, want) << v;
    }
    char direct[kDisplayTextCapacity];
    versionText(direct);
    EXPECT_EQ(v, direct);

    for (int i : {-1, 34, 43, 49, 50, 71, 74, 75, 81, 104, 106, 200}) {
        char out[kDisplayTextCapacity] = "untouched";
        EXPECT_FALSE(formatDisplayText(block, i, out)) << i;
        EXPECT_STREQ(out, "untouched") << i;
    }
}

// Value texts keep "." as the decimal point when the host sets a locale
// that writes a comma.
TEST_F(Display, DecimalPointIgnoresACommaLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no de_DE locale installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const bool comma = std::string(probe) == "1,5";
    const std::string q = text(1), gain = text(4), freq = text(0), k = text(17), version = text(105);
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_TRUE(comma) << "locale does not write a comma: " << probe;
    EXPECT_EQ(q, "0.71");
    EXPECT_EQ(gain, "0.0");
    EXPECT_EQ(freq, "42.00");
    EXPECT_EQ(k, "13.60k");
    EXPECT_EQ(version.rfind("V1.34 ", 0), 0u);
}

}  // namespace
}  // namespace solva
