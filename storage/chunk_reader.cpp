#include "storage/chunk_reader.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "storage/record_format.h"

namespace solva {

namespace {

constexpr int kSlotWords = 221;
constexpr int kSideWords = 41;
constexpr int kEarlierSideWords = 25;  // side values before the reserved words were added
// Version 1: two 90-word slots at words 1 and 91 (side 0 values, side 1
// values, type and on of the eight bands, general on, 23 unused words),
// then the selector and the first eleven options at words 181..192.
constexpr int kV1SlotWords = 90;
constexpr int kV1SelectorWord = 181;
constexpr int kV1FirstOptionWord = 182;
constexpr int kV1OptionCount = 11;
// Word 0 of a version-2.1 block after narrowing, compared bit for bit.
constexpr float kVersion21 = 2.1f;

class WordReader {
public:
    WordReader(const uint8_t* data, std::size_t size, bool swap) : data_(data), size_(size), swap_(swap) {}

    int result() const { return result_; }

    bool word(int index, uint32_t& out) const {
        if (index < 0 || std::size_t(index + 1) * 4 > size_) return false;
        const uint8_t* p = data_ + std::size_t(index) * 4;
        uint8_t b[4] = {p[0], p[1], p[2], p[3]};
        if (swap_) {
            std::swap(b[0], b[3]);
            std::swap(b[1], b[2]);
        }
        std::memcpy(&out, b, 4);
        return true;
    }

    bool readFloat(int index, float& out) const {
        uint32_t bits;
        if (!word(index, bits)) return false;
        std::memcpy(&out, &bits, 4);
        return true;
    }

    // A float in 0..1; outside values (and NaN) are bounded and counted.
    void unitFloat(int index, float& target) {
        float v;
        if (!readFloat(index, v)) return;
        if (std::isnan(v)) {
            v = 0.0f;
            --result_;
        } else if (v < 0.0f) {
            v = 0.0f;
            --result_;
        } else if (v > 1.0f) {
            v = 1.0f;
            --result_;
        }
        target = v;
    }

    void integer(int index, int32_t& target, int32_t low, int32_t high, bool counted = true) {
        uint32_t bits;
        if (!word(index, bits)) return;
        int32_t v;
        std::memcpy(&v, &bits, 4);
        if (v < low || v > high) {
            v = v < low ? low : high;
            if (counted) --result_;
        }
        target = v;
    }

    void raw(int index, void* target) {
        uint32_t bits;
        if (word(index, bits)) std::memcpy(target, &bits, 4);
    }

    // A text field of `fieldSize` bytes at byte offset `offset`.
    void text(std::size_t offset, char* target, std::size_t fieldSize) {
        if (offset + fieldSize > size_) return;
        char copy[64] = {};
        std::memcpy(copy, data_ + offset, fieldSize);
        if (IsValidNameOrEmpty(copy, int(fieldSize))) {
            std::memcpy(target, copy, fieldSize);
        } else {
            copyToField(target, fieldSize, "error");
            --result_;
        }
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    bool swap_;
    int result_ = 1;
};

void readSide(WordReader& in, int firstWord, int words, SideSettings& side) {
    float* values = &side.band[0].freq;
    for (int k = 0; k < words; ++k) in.unitFloat(firstWord + k, values[k]);
}

void readInfo(WordReader& in, int firstWord, PresetInfo& info) {
    const std::size_t at = std::size_t(firstWord) * 4;
    in.text(at + offsetof(PresetInfo, presetName), info.presetName, 32);
    in.text(at + offsetof(PresetInfo, bankName), info.bankName, 32);
    in.text(at + offsetof(PresetInfo, author), info.author, 32);
    in.text(at + offsetof(PresetInfo, project), info.project, 32);
    in.text(at + offsetof(PresetInfo, creationDate), info.creationDate, 16);
    in.text(at + offsetof(PresetInfo, modificationDate), info.modificationDate, 16);
    in.integer(firstWord + 40, info.bandCount, 0, kNumBands);
    in.integer(firstWord + 41, info.factory, 0, 1);
    in.integer(firstWord + 42, info.channelMode, 0, 2);
    in.integer(firstWord + 43, info.number, 0, 10000, false);
}

void readSlotV2(WordReader& in, int base, bool earlierSides, SettingsSlot& slot) {
    const int sideWords = earlierSides ? kEarlierSideWords : kSideWords;
    for (int s = 0; s < kNumSides; ++s) readSide(in, base + s * kSideWords, sideWords, slot.side[s]);
    for (int band = 0; band < kNumBands; ++band) {
        const int w = base + 82 + band * 8;
        in.unitFloat(w, slot.switches[band].type);
        in.unitFloat(w + 1, slot.switches[band].on);
        in.text(std::size_t(w + 2) * 4, slot.switches[band].name, 24);
    }
    in.unitFloat(base + 146, slot.generalOn);
    for (int k = 0; k < 16; ++k) in.raw(base + 147 + k, slot.unused + 4 * k);
    readInfo(in, base + 163, slot.info);
    in.text(std::size_t(base + 207) * 4, slot.name, 24);
    in.integer(base + 213, slot.modified, 0, 1);
    in.integer(base + 214, slot.modifiedShown, 0, 1);
    in.unitFloat(base + 215, slot.sideShown);
    for (int k = 0; k < 5; ++k) in.unitFloat(base + 216 + k, slot.linkMode[k]);
}

int readVersion2(WordReader& in, SettingsBlock& block) {
    uint32_t reserved = 1;
    // A zero word 460 marks the earlier version-2 layout whose sides ended
    // after the general volume.
    const bool earlierSides = in.word(444 + kOptReserved, reserved) && reserved == 0;
    for (int s = 0; s < 2; ++s) readSlotV2(in, 1 + s * kSlotWords, earlierSides, block.slot[s]);
    in.unitFloat(443, block.slotSelector);
    for (int k = 0; k <= kOptWheelIncrement; ++k) in.unitFloat(444 + k, block.options[k]);
    in.unitFloat(444 + kOptAltGainDrop, block.options[kOptAltGainDrop]);
    for (int k = 0; k < 14; ++k) in.raw(462 + k, &block.reserved[k]);
    return in.result();
}

int readVersion1(WordReader& in, SettingsBlock& block) {
    for (int s = 0; s < 2; ++s) {
        const int base = 1 + s * kV1SlotWords;
        SettingsSlot& slot = block.slot[s];
        for (int side = 0; side < kNumSides; ++side)
            readSide(in, base + side * kEarlierSideWords, kEarlierSideWords, slot.side[side]);
        for (int band = 0; band < kNumBands; ++band) {
            in.unitFloat(base + 50 + band * 2, slot.switches[band].type);
            in.unitFloat(base + 51 + band * 2, slot.switches[band].on);
        }
        in.unitFloat(base + 66, slot.generalOn);
    }
    in.unitFloat(kV1SelectorWord, block.slotSelector);
    for (int k = 0; k < kV1OptionCount; ++k) in.unitFloat(kV1FirstOptionWord + k, block.options[k]);
    return in.result();
}

// Reads in one byte order; the version comes from word 0.
int readInOrder(const uint8_t* data, std::size_t size, bool swap, SettingsBlock& block, float& version) {
    WordReader in(data, size, swap);
    if (!in.readFloat(0, version)) return kUnknownChunkVersion;
    if (!(version > -1e6f && version < 1e6f)) return kUnknownChunkVersion;
    const int major = int(version);
    if (major == 1) return readVersion1(in, block);
    if (major == 2) return readVersion2(in, block);
    return kUnknownChunkVersion;
}

void readClipAndMidSideOptions(const uint8_t* data, std::size_t size, const ChunkReading& reading,
                               SettingsBlock& block) {
    if (reading.version == kVersion21) {
        WordReader in(data, size, reading.byteSwapped);
        for (int k = kOptShowClip; k <= kOptInputMsCoding; ++k) {
            float v;
            if (in.readFloat(444 + k, v)) block.options[k] = v;
        }
        return;
    }
    block.options[kOptShowClip] = 1.0f;
    block.options[kOptHoldClip] = 0.0f;
    block.options[kOptOutputMsDecoding] = 1.0f;
    block.options[kOptInputMsCoding] = 1.0f;
}

}  // namespace

ChunkReading readHostChunk(const void* data, std::size_t size, SettingsBlock& block, const SettingsBlock& resetBlock) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    ChunkReading reading;
    reading.result = readInOrder(bytes, size, false, block, reading.version);
    if (reading.result < kChunkRefused) {
        block = resetBlock;
        reading.byteSwapped = true;
        reading.result = readInOrder(bytes, size, true, block, reading.version);
    }
    // A refused block leaves nothing of itself behind but its version.
    if (reading.result < kChunkRefused) block = resetBlock;
    readClipAndMidSideOptions(bytes, size, reading, block);
    return reading;
}

}  // namespace solva
