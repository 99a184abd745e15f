#include "storage_test_support.h"

#include "storage/init_settings.h"
#include "storage/preset_store.h"
#include "storage/record_format.h"
#include "storage/settings_records.h"

namespace solva::test {

void writeUserPreset(const std::string& dir, int number, const char* name, const char* bank, const char* author,
                     const char* project, int bandCount, int factory) {
    PresetStore store(dir, 1);
    PresetInfo info = defaultPresetInfo(number);
    copyToField(info.presetName, 32, name);
    copyToField(info.bankName, 32, bank);
    copyToField(info.author, 32, author);
    copyToField(info.project, 32, project);
    info.bandCount = bandCount;
    info.factory = factory;
    if (std::FILE* f = std::fopen(store.infoPath(number).c_str(), "wb")) {
        writeInfoRecords(f, info);
        std::fclose(f);
    }
    SettingsSlot init;
    resetInitSettings(init);
    SettingsBlock block;
    ResetSettingsBlock(block, init, 1);
    if (std::FILE* f = std::fopen(store.settingsPath(number).c_str(), "wb")) {
        WriteSettingsRecords(f, block.slot[0]);
        std::fclose(f);
    }
}

}  // namespace solva::test
