// Fuzz target: a host chunk of any size and content read over the reset
// settings block. Whatever comes in, every value that stands afterwards is
// in range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "storage/chunk_reader.h"
#include "storage/init_settings.h"
#include "storage/record_format.h"

namespace {
void check(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace solva;
    static SettingsBlock reset = [] {
        SettingsSlot init;
        resetInitSettings(init);
        SettingsBlock block;
        ResetSettingsBlock(block, init, 7);
        return block;
    }();
    SettingsBlock block = reset;
    const ChunkReading reading = readHostChunk(data, size, block, reset);
    if (reading.result >= kChunkRefused) {
        for (const SettingsSlot& slot : block.slot) {
            for (const SideSettings& side : slot.side) check(side.generalVolume >= 0.0f && side.generalVolume <= 1.0f);
            check(IsValidNameOrEmpty(slot.info.presetName, 32));
            check(IsValidNameOrEmpty(slot.name, 24));
            check(slot.info.channelMode >= 0 && slot.info.channelMode <= 2);
            check(slot.info.number >= 0 && slot.info.number <= 10000);
        }
        check(block.slotSelector >= 0.0f && block.slotSelector <= 1.0f);
    }
    return 0;
}
