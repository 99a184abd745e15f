// The host chunk: the settings block handed to the host as it lies in
// memory, and restored from a block of either format version and byte
// order.
#include <cstdint>
#include <cstring>

#include "storage/chunk_reader.h"
#include "storage/init_settings.h"
#include "storage/preset_storage.h"

namespace solva {

namespace {
const float kSideLinkDefaults[3] = {1.0f, 0.0f, 0.0f};
constexpr int kBankNameTag = 74;
constexpr int kPresetNameTag = 75;
}  // namespace

int PresetStorage::getChunk(void** data) {
    if (!block_) {
        *data = nullptr;
        return 0;
    }
    // A slot whose two sides carry the same settings goes to the host with
    // its first three link modes at their defaults.
    if (block_->slot[0].info.channelMode == 0)
        std::memcpy(block_->slot[0].linkMode, kSideLinkDefaults, sizeof kSideLinkDefaults);
    if (block_->slot[1].info.channelMode == 0)
        std::memcpy(block_->slot[1].linkMode, kSideLinkDefaults, sizeof kSideLinkDefaults);
    *data = block_;
    return int(sizeof(SettingsBlock));
}

int PresetStorage::setChunk(const void* data, int32_t byteSize) {
    if (byteSize < 4 || !data) return 1;
    if (!block_) return 1;
    float savedOptions[kNumOptions];
    std::memcpy(savedOptions, block_->options, sizeof savedOptions);

    // A host may hand back the very block getChunk gave it: read from a
    // copy, since the block is reset first.
    const std::size_t size = std::size_t(byteSize) < sizeof(SettingsBlock) ? std::size_t(byteSize) : sizeof(SettingsBlock);
    uint8_t received[sizeof(SettingsBlock)];
    std::memcpy(received, data, size);

    ResetSettingsBlock(*block_, init_, instanceId());
    const SettingsBlock resetBlock = *block_;
    const ChunkReading reading = readHostChunk(received, size, *block_, resetBlock);

    if (reading.result < kChunkRefused) {
        for (float selector : {0.0f, 1.0f}) {
            block_->slotSelector = selector;
            library_.setCurrent(0, 0);
            LoadPreset(0);
        }
    }
    if (block_->options[kOptSaveInProject] < 0.5f) {
        for (int word = 0; word < kNumOptions; ++word)
            if (word != kOptSaveInProject && word != kOptReserved) block_->options[word] = savedOptions[word];
    }
    host_.reapplyCurrentSlot(1);
    if (reading.result != 0) FindOrAddCurrentPreset();
    host_.editorSetParameter(kBankNameTag, 0.0f);
    host_.editorSetParameter(kPresetNameTag, 0.0f);
    host_.editorRequestRedraw();
    const int mode = slot().info.channelMode;
    host_.editorSetChannelMode(mode);
    host_.setMidSideFlag(mode == 2);
    host_.updateHostDisplay();
    return 0;
}

}  // namespace solva
