// Files are written and read with "." whatever the process locale: a host
// that switched the C locale to German must not change a byte.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include "storage/record_format.h"
#include "storage_test_support.h"

namespace solva {
namespace {

// Switches the whole C locale for the test's lifetime; empty when the
// locale is not installed (the tests then skip).
class CommaLocale {
public:
    CommaLocale() {
        const char* current = std::setlocale(LC_ALL, nullptr);
        saved_ = current ? current : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
            if (std::setlocale(LC_ALL, name)) {
                active_ = true;
                break;
            }
        }
    }
    ~CommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    bool active() const { return active_ && std::strcmp(std::localeconv()->decimal_point, ",") == 0; }

private:
    std::string saved_;
    bool active_ = false;
};

TEST(CommaLocale, NumbersAreWrittenWithAPoint) {
    CommaLocale german;
    if (!german.active()) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    char text[64];
    formatNumberE(0.501f, text, sizeof text);
    EXPECT_STREQ(text, "5.010000e-01");
}

TEST(CommaLocale, NumbersAreReadWithAPointAndACommaEndsThem) {
    CommaLocale german;
    if (!german.active()) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_DOUBLE_EQ(parseLeadingNumber("5.000000e-001"), 0.5);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("5,000000e-001"), 5.0);
}

TEST(CommaLocale, PresetAndOptionFilesAreByteIdentical) {
    std::string settingsC, optionsC, settingsDe, optionsDe;
    for (int pass = 0; pass < 2; ++pass) {
        CommaLocale german;
        if (pass == 1 && !german.active()) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
        if (pass == 0) std::setlocale(LC_ALL, "C");
        test::StorageFixture f;
        f.slot().side[0].band[kBand2].gain = 0.625f;
        f.block->options[kOptWheelIncrement] = 1.0f;
        f.storage.NewPreset(false);
        f.storage.SaveOptions();
        (pass ? settingsDe : settingsC) = test::readFileBytes(f.dir.file("preset0501.prt"));
        (pass ? optionsDe : optionsC) = test::readFileBytes(f.dir.file("options"));
        // And they read back under the same locale.
        f.slot().side[0].band[kBand2].gain = 0.0f;
        ASSERT_EQ(f.storage.LoadPreset(501), 0);
        EXPECT_FLOAT_EQ(f.slot().side[0].band[kBand2].gain, 0.625f);
    }
    EXPECT_EQ(settingsDe, settingsC);
    EXPECT_EQ(optionsDe, optionsC);
    EXPECT_NE(settingsC.find("#6.250000e-01#"), std::string::npos);
}

}  // namespace
}  // namespace solva
