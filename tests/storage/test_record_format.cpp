// The tagged-record tokenizer, number reading and the name check.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "storage/record_format.h"
#include "storage_test_support.h"

namespace solva {
namespace {

// Tokens of `bytes` until ReadToken reports the end; the last element is
// what the end-of-file read left in the buffer.
std::vector<std::string> tokensOf(const std::string& bytes, std::vector<int>* ends = nullptr) {
    test::TempDirectory dir;
    test::writeFileBytes(dir.file("t"), bytes);
    std::FILE* f = std::fopen(dir.file("t").c_str(), "rb");
    std::vector<std::string> tokens;
    char buffer[kTokenBufferSize];
    for (int guard = 0; guard < 1000; ++guard) {
        const int end = ReadToken(f, buffer);
        tokens.emplace_back(buffer);
        if (ends) ends->push_back(end);
        if (end) break;
    }
    std::fclose(f);
    return tokens;
}

TEST(RecordTokenizer, SplitsRecordsIntoKeyAndValueSkippingMarkers) {
    std::vector<int> ends;
    const auto tokens = tokensOf("!NOM_PRESET#Warm Pad#\n!DEBUT_INFORMATION#\n", &ends);
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[0], "NOM_PRESET");
    EXPECT_EQ(tokens[1], "Warm Pad");
    EXPECT_EQ(tokens[2], "DEBUT_INFORMATION");
    EXPECT_EQ(tokens[3], "");
    EXPECT_EQ(ends, (std::vector<int>{0, 0, 0, 1}));
}

TEST(RecordTokenizer, ExclamationInsideAValueBelongsToTheValue) {
    const auto tokens = tokensOf("!NOM_PRESET#Hey!There#\n");
    EXPECT_EQ(tokens[1], "Hey!There");
}

TEST(RecordTokenizer, CarriageReturnsEndTokensLikeLineFeeds) {
    const auto tokens = tokensOf("!USINE#01#\r\n!LEFT-RIGHT#02#\r\n");
    EXPECT_EQ(tokens[0], "USINE");
    EXPECT_EQ(tokens[1], "01");
    EXPECT_EQ(tokens[2], "LEFT-RIGHT");
    EXPECT_EQ(tokens[3], "02");
}

TEST(RecordTokenizer, FortyCharacterValueSplitsAfterThirtyTwo) {
    const std::string forty(40, 'x');
    const auto tokens = tokensOf("!NOM_PRESET#" + forty + "#\n");
    EXPECT_EQ(tokens[1], std::string(32, 'x'));
    EXPECT_EQ(tokens[2], std::string(8, 'x'));
}

TEST(RecordTokenizer, EmptyValueYieldsNoToken) {
    const auto tokens = tokensOf("!NOM_AUTEUR##\n!NOM_PROJET#p#\n");
    EXPECT_EQ(tokens[1], "NOM_PROJET");
}

TEST(RecordTokenizer, LastTokenWithoutTerminatorIsReportedWithTheEnd) {
    std::vector<int> ends;
    const auto tokens = tokensOf("!USINE#01", &ends);
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1], "01");
    EXPECT_EQ(ends[1], 1);
}

TEST(RecordNumbers, ReadWithPointWhateverFollows) {
    EXPECT_DOUBLE_EQ(parseLeadingNumber("5.000000e-001"), 0.5);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("5.000000e-01"), 0.5);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("-2.5e+000"), -2.5);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("+0.25xyz"), 0.25);
    EXPECT_DOUBLE_EQ(parseLeadingNumber(".75"), 0.75);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("1e"), 1.0);
}

TEST(RecordNumbers, CommaIsNotADecimalSeparator) {
    EXPECT_DOUBLE_EQ(parseLeadingNumber("5,000000e-001"), 5.0);
}

TEST(RecordNumbers, TextThatIsNoNumberReadsAsZero) {
    EXPECT_DOUBLE_EQ(parseLeadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("nan"), 0.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("inf"), 0.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("1e999999"), 0.0);
}

TEST(RecordNumbers, IntegersTakeLeadingDigitsOnly) {
    EXPECT_EQ(parseLeadingInt("0501"), 501);
    EXPECT_EQ(parseLeadingInt("03abc"), 3);
    EXPECT_EQ(parseLeadingInt("-7"), -7);
    EXPECT_EQ(parseLeadingInt("x1"), 0);
    EXPECT_EQ(parseLeadingInt("99999999999999999999"), 2147483647);
}

TEST(RecordNumbers, WrittenWithExponentAndPoint) {
    char text[64];
    formatNumberE(0.5f, text, sizeof text);
    EXPECT_STREQ(text, "5.000000e-01");
    formatNumberE(0.501f, text, sizeof text);
    EXPECT_STREQ(text, "5.010000e-01");
    formatNumberE(0.0f, text, sizeof text);
    EXPECT_STREQ(text, "0.000000e+00");
}

TEST(NameCheck, AcceptsTheNameAlphabetWithinTheBound) {
    EXPECT_TRUE(IsValidName("Warm Pad (2) + A&B/C-D_E.1", 32));
    EXPECT_TRUE(IsValidName(std::string(31, 'a').c_str(), 32));
    EXPECT_FALSE(IsValidName(std::string(32, 'a').c_str(), 32));
    EXPECT_FALSE(IsValidName("", 32));
    EXPECT_TRUE(IsValidNameOrEmpty("", 32));
}

TEST(NameCheck, RefusesOtherBytes) {
    for (const char* bad : {"a#b", "a!b", "a:b", "a\\b", "a\nb", "caf\xc3\xa9", "\xff", "a*b", "a,b"})
        EXPECT_FALSE(IsValidName(bad, 32)) << bad;
}

TEST(NameCheck, FieldCopyCutsToTheField) {
    char field[8];
    copyToField(field, sizeof field, "abcdefghijk");
    EXPECT_STREQ(field, "abcdefg");
}

// Stored names go into chunks and files byte for byte: a shorter name must
// leave nothing of a longer one after its terminator.
TEST(NameCheck, FieldCopyClearsTheRestOfTheField) {
    char field[16];
    copyToField(field, sizeof field, "PresetDefault");
    copyToField(field, sizeof field, "Neutral");
    EXPECT_STREQ(field, "Neutral");
    for (std::size_t i = 7; i < sizeof field; ++i) EXPECT_EQ(field[i], 0) << "byte " << i;
}

}  // namespace
}  // namespace solva
