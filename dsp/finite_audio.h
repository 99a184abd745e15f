// Non-finite samples on the audio path. One NaN or infinity reaching a
// recursive section stays in its memories for good; the effect checks each
// chunk the engine gives back.
#pragma once

#include <cstdint>
#include <cstring>

namespace solva {

// True when none of the n samples is a NaN or an infinity (an exponent of
// all ones marks both). The loop has no branch and vectorises.
inline bool samplesAreFinite(const float* x, int n) {
    uint32_t any = 0;
    for (int i = 0; i < n; ++i) {
        uint32_t bits;
        std::memcpy(&bits, x + i, sizeof bits);
        any |= (bits & 0x7f800000u) == 0x7f800000u;
    }
    return any == 0;
}

}  // namespace solva
