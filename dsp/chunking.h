// Chunking of a host block into engine chunks of at most 44 frames:
// calls chunk(offset, frames) for 44, 44, ..., remainder. Any thread.
#pragma once

#include "dsp/eq_engine.h"

namespace solva {

template <class Chunk>
void forEachChunk(int frames, Chunk&& chunk) {
    for (int offset = 0; offset < frames; offset += EqEngine::kChunkFrames) {
        const int n = frames - offset < EqEngine::kChunkFrames ? frames - offset : EqEngine::kChunkFrames;
        chunk(offset, n);
    }
}

}  // namespace solva
