// Helpers for chunk tests: blocks as bytes, and the byte order of a
// big-endian host (every numeric word reversed, text bytes as they are).
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "params/settings_block.h"

namespace solva::test {

inline std::vector<uint8_t> blockBytes(const SettingsBlock& block) {
    std::vector<uint8_t> bytes(sizeof block);
    std::memcpy(bytes.data(), &block, sizeof block);
    return bytes;
}

// True when word `w` of a settings block holds text.
inline bool isTextWord(int w) {
    for (int base : {1, 222}) {
        const int k = w - base;
        if (k < 0 || k >= 221) continue;
        if (k >= 82 && k < 146 && (k - 82) % 8 >= 2) return true;  // band names
        if (k >= 163 && k < 203) return true;                        // preset texts
        if (k >= 207 && k < 213) return true;                        // slot name
    }
    return false;
}

inline std::vector<uint8_t> bigEndianBytes(const SettingsBlock& block) {
    std::vector<uint8_t> bytes = blockBytes(block);
    for (int w = 0; w < 476; ++w) {
        if (isTextWord(w)) continue;
        uint8_t* p = &bytes[std::size_t(w) * 4];
        std::swap(p[0], p[3]);
        std::swap(p[1], p[2]);
    }
    return bytes;
}

inline void putFloat(std::vector<uint8_t>& bytes, int word, float value) {
    std::memcpy(&bytes[std::size_t(word) * 4], &value, 4);
}

}  // namespace solva::test
