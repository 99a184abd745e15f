// Note frequencies and names.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "params/note_table.h"

namespace solva {
namespace {

TEST(NoteTable, EntriesAreEqualTemperedFrequenciesCutToHundredths) {
    for (int n = 0; n < 12; ++n) EXPECT_EQ(noteFrequencyHz(n), 0.1f) << n;
    const double rounded[] = {19, 108, 110, 115, 120};
    for (int n = 12; n < kNumNotes; ++n) {
        const double exact = 440.0 * std::pow(2.0, (n - 69) / 12.0);
        bool isRounded = false;
        for (double r : rounded) isRounded |= (r == n);
        const double hundredths = isRounded ? std::round(exact * 100.0) : std::floor(exact * 100.0);
        EXPECT_EQ(noteFrequencyHz(n), static_cast<float>(hundredths / 100.0)) << "note " << n;
    }
}

TEST(NoteTable, KnownEntries) {
    EXPECT_EQ(noteFrequencyHz(12), 16.35f);
    EXPECT_EQ(noteFrequencyHz(15), 19.44f);
    EXPECT_EQ(noteFrequencyHz(19), 24.5f);
    EXPECT_EQ(noteFrequencyHz(57), 220.0f);
    EXPECT_EQ(noteFrequencyHz(69), 440.0f);
    EXPECT_EQ(noteFrequencyHz(108), 4186.01f);
    EXPECT_EQ(noteFrequencyHz(110), 4698.64f);
    EXPECT_EQ(noteFrequencyHz(115), 6271.93f);
    EXPECT_EQ(noteFrequencyHz(120), 8372.02f);
    EXPECT_EQ(noteFrequencyHz(143), 31608.53f);
    EXPECT_EQ(noteFrequencyHz(-1), 0.0f);
    EXPECT_EQ(noteFrequencyHz(144), 0.0f);
    EXPECT_EQ(noteTable()[69], 440.0f);
}

TEST(NoteTable, TableIsAscending) {
    for (int n = 1; n < kNumNotes; ++n) EXPECT_GE(noteTable()[n], noteTable()[n - 1]) << n;
}

TEST(NoteNames, PitchAndOctaveFromMinusOnePaddedToFourCharacters) {
    const char* pitch[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    for (int n = 0; n < 12; ++n) EXPECT_STREQ(noteName(n), " _  ") << n;
    for (int n = 12; n < kNumNotes; ++n) {
        std::string expected = std::string(pitch[n % 12]) + std::to_string(n / 12 - 2);
        expected.resize(4, ' ');
        EXPECT_EQ(std::string(noteName(n)), expected) << n;
    }
    EXPECT_STREQ(noteName(12), "C-1 ");
    EXPECT_STREQ(noteName(13), "Db-1");
    EXPECT_STREQ(noteName(24), "C0  ");
    EXPECT_STREQ(noteName(69), "A3  ");
    EXPECT_STREQ(noteName(70), "Bb3 ");
    EXPECT_STREQ(noteName(143), "B9  ");
    EXPECT_STREQ(noteName(144), "");
}

}  // namespace
}  // namespace solva
