#include "storage/settings_records.h"

#include <cstring>

#include "params/param_table.h"
#include "storage/init_settings.h"
#include "storage/record_format.h"

namespace solva {

namespace {

const char* const kKeys[kNumSettingsRecords] = {
    "BANDE1_FREQ", "BANDE1_QUAL", "BANDE2_FREQ", "BANDE2_QUAL", "BANDE2_GAIN", "BANDE3_FREQ",
    "BANDE3_QUAL", "BANDE3_GAIN", "BANDE4_FREQ", "BANDE4_QUAL", "BANDE4_GAIN", "BANDE5_FREQ",
    "BANDE5_QUAL", "BANDE5_GAIN", "BANDE6_FREQ", "BANDE6_QUAL", "BANDE6_GAIN", "BANDE7_FREQ",
    "BANDE7_QUAL", "AIR_35K_GAIN", "VOLUME_GENERAL", "BANDE1_ON", "BANDE1_TYPE", "BANDE2_ON",
    "BANDE2_TYPE", "BANDE3_ON", "BANDE4_ON", "BANDE5_ON", "BANDE6_ON", "BANDE6_TYPE",
    "BANDE7_ON", "BANDE7_TYPE", "AIR_35K_ON", "ACTIF_GENERAL", nullptr, "BANDE1_NAME",
    "BANDE2_NAME", "BANDE3_NAME", "BANDE4_NAME", "BANDE5_NAME", "BANDE6_NAME", "BANDE7_NAME",
    "AIR_35K_NAME",
};

const char kLeftPrefix[] = "@LEFT@";
const char kRightPrefix[] = "@RIGH@";
constexpr int kPrefixLength = 6;

void writeNumberRecord(std::FILE* file, const char* prefix, const char* key, float value) {
    char number[64];
    formatNumberE(value, number, sizeof number);
    std::fprintf(file, "!%s%s#%s#\n", prefix, key, number);
}

}  // namespace

const char* settingsRecordKey(int index) {
    if (index < 0 || index >= kNumSettingsRecords) return nullptr;
    return kKeys[index];
}

int settingsRecordIndex(const char* key) {
    for (int i = 0; i < kNumSettingsRecords; ++i)
        if (kKeys[i] && std::strcmp(kKeys[i], key) == 0) return i;
    return -1;
}

void WriteSettingsRecords(std::FILE* file, const SettingsSlot& source) {
    for (int index = 0; index < kFirstSharedRecord; ++index) {
        writeNumberRecord(file, kRightPrefix, kKeys[index], *sideValuePtr(source, 1, index));
        writeNumberRecord(file, kLeftPrefix, kKeys[index], *sideValuePtr(source, 0, index));
    }
    for (int index = kFirstSharedRecord; index < kUnusedRecord; ++index)
        writeNumberRecord(file, "", kKeys[index], *switchValuePtr(source, index));
    for (int index = kFirstNameRecord; index < kNumSettingsRecords; ++index)
        std::fprintf(file, "!%s#%s#\n", kKeys[index], source.switches[index - kFirstNameRecord].name);
}

int ApplySettingsRecord(SettingsSlot& target, const char* key, int side, float value) {
    const int index = settingsRecordIndex(key);
    if (index < 0 || index >= kUnusedRecord) return 0;
    if (index < kFirstSharedRecord) {
        if (float* v = sideValuePtr(target, side, index)) *v = value;
    } else {
        *switchValuePtr(target, index) = value;
    }
    return 1;
}

void ReadSettingsRecords(std::FILE* file, SettingsSlot& target) {
    char token[kTokenBufferSize];
    char valueText[kTokenBufferSize];
    for (;;) {
        if (ReadToken(file, token) != 0) return;  // a key without value ends the read
        int side = -1;
        const char* key = token;
        if (std::strncmp(token, kLeftPrefix, kPrefixLength) == 0) {
            side = 0;
            key += kPrefixLength;
        } else if (std::strncmp(token, kRightPrefix, kPrefixLength) == 0) {
            side = 1;
            key += kPrefixLength;
        }
        const int index = settingsRecordIndex(key);
        if (index >= kFirstNameRecord) {
            const int end = ReadToken(file, valueText);
            if (end && valueText[0] == 0) return;
            // A name that does not fit its field is unusable: the band keeps
            // its default name rather than a cut one.
            const int band = index - kFirstNameRecord;
            char* field = target.switches[band].name;
            const bool fits = std::strlen(valueText) < sizeof target.switches[0].name;
            copyToField(field, sizeof target.switches[0].name, fits ? valueText : defaultBandName(band));
            if (end) return;
            continue;
        }
        const int end = ReadToken(file, valueText);
        if (end && valueText[0] == 0) return;  // cut off before the value
        const float value = float(parseLeadingNumber(valueText));
        if (side >= 0) {
            ApplySettingsRecord(target, key, side, value);
        } else {
            ApplySettingsRecord(target, key, 1, value);
            ApplySettingsRecord(target, key, 0, value);
        }
        if (end) return;
    }
}

}  // namespace solva
