// Reading a host chunk into the settings block. A chunk is the settings
// block of format version 1 or 2, in either byte order; every value is
// validated and clamped, and a block that needs more than eleven
// corrections in both byte orders is refused. Pure function of its input:
// any thread, though the effect calls it from the UI thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "params/settings_block.h"

namespace solva {

// Below this result a reading is refused (more than eleven corrections, or
// an unknown version).
constexpr int kChunkRefused = -10;
constexpr int kUnknownChunkVersion = -10000;

struct ChunkReading {
    int result = kUnknownChunkVersion;  // 1 minus the corrections, or kUnknownChunkVersion
    bool byteSwapped = false;           // the accepted (or last tried) byte order was reversed
    float version = 0.0f;               // word 0 in that byte order
};

// Reads `size` bytes of `data` over `block`, which must hold the reset
// defaults (`resetBlock` is copied back before the second byte order is
// tried). Words beyond `size` keep their reset values. Options 456..459 are
// handled here too: taken unclamped from a version 2.1 block, else set to
// their version-2.0 defaults (show clip on, hold clip off, both mid/side
// stages on).
ChunkReading readHostChunk(const void* data, std::size_t size, SettingsBlock& block, const SettingsBlock& resetBlock);

}  // namespace solva
