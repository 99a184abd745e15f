// Fuzz target: the record readers (settings, options, information records
// and the tokenizer) on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "storage/init_settings.h"
#include "storage/options_file.h"
#include "storage/preset_store.h"
#include "storage/record_format.h"
#include "storage/settings_records.h"

namespace {

std::FILE* openBytes(const uint8_t* data, size_t size) {
    std::FILE* file = std::tmpfile();
    if (!file) return nullptr;
    if (size) std::fwrite(data, 1, size, file);
    std::rewind(file);
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace solva;
    std::FILE* file = openBytes(data, size);
    if (!file) return 0;

    SettingsSlot slot;
    resetInitSettings(slot);
    ReadSettingsRecords(file, slot);
    for (const BandSwitches& sw : slot.switches)
        if (std::memchr(sw.name, 0, sizeof sw.name) == nullptr) std::abort();

    std::rewind(file);
    SettingsBlock block;
    ResetSettingsBlock(block, slot, 3);
    readOptionRecords(file, block);

    std::rewind(file);
    PresetInfo info = defaultPresetInfo(501);
    for (int guard = 0; guard < 100000 && ReadInfoRecord(file, info) != kRecordEnd; ++guard) {
    }
    if (!std::memchr(info.presetName, 0, 32) || !std::memchr(info.creationDate, 0, 16)) std::abort();

    std::rewind(file);
    char token[kTokenBufferSize];
    while (ReadToken(file, token) == 0) {
        if (std::strlen(token) > size_t(kTokenChars)) std::abort();
        parseLeadingNumber(token);
        parseLeadingInt(token);
        IsValidName(token, 32);
    }
    std::fclose(file);
    return 0;
}
