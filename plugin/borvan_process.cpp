// Audio thread: host blocks cut into engine chunks, MIDI intake.
#include "plugin/borvan.h"

#include <cstdint>
#include <cstring>

#include "dsp/denormal_flush.h"
#include "dsp/finite_audio.h"

namespace solva {

namespace {

// Whether n samples from a and n samples from b share one.
bool overlap(const float* a, const float* b, int n) {
    const auto x = reinterpret_cast<std::uintptr_t>(a), y = reinterpret_cast<std::uintptr_t>(b);
    const auto bytes = std::uintptr_t(n) * sizeof(float);
    return x < y + bytes && y < x + bytes;
}

}  // namespace

void CBorvan::processReplacing(float** inputs, float** outputs, vst::VstInt32 frames) {
    if (busy_ || !ready_ || !inputs || !outputs || !inputs[0] || !outputs[0] || frames <= 0) return;
    const ScopedDenormalFlush flushDenormals;

    const int channels = (inputs[1] && outputs[1]) ? 2 : 1;
    liveInputs_ = inputs[1] ? 2 : 1;
    liveOutputs_ = outputs[1] ? 2 : 1;

    const float* in0 = inputs[0];
    const float* in1 = channels == 2 ? inputs[1] : nullptr;
    float* out0 = outputs[0];
    float* out1 = channels == 2 ? outputs[1] : nullptr;
    // A host may hand one channel's input back as another channel's output
    // (in place across channels). The engine writes the first channel's
    // output before it reads the second channel's input, so each chunk's
    // input is copied first.
    const bool crossed = in1 && (overlap(out0, in1, frames) || overlap(out1, in0, frames));
    float copy0[EqEngine::kChunkFrames], copy1[EqEngine::kChunkFrames];

    // A NaN or an infinity from the host (or an input near the top of the
    // float range that overflows a boost) would stay in the bands' memories
    // for good: the chunk that carries one out is silenced and the bands
    // start again from rest.
    for (int start = 0; start < frames;) {
        const int count = frames - start < EqEngine::kChunkFrames ? frames - start : EqEngine::kChunkFrames;
        midiQueue_.deliverUpTo(start, [this](const MidiEvent& e) { onMidiNote(e.note, e.velocity, e.deltaFrames); });
        float* played0 = out0 + start;
        float* played1 = out1 ? out1 + start : nullptr;
        const float* chunk0 = in0 + start;
        const float* chunk1 = in1 ? in1 + start : nullptr;
        if (crossed) {
            std::memcpy(copy0, chunk0, sizeof(float) * size_t(count));
            std::memcpy(copy1, chunk1, sizeof(float) * size_t(count));
            chunk0 = copy0;
            chunk1 = copy1;
        }
        engine_.processChunk(count, chunk0, chunk1, played0, played1, channels);
        if (!samplesAreFinite(played0, count) || (played1 && !samplesAreFinite(played1, count))) {
            for (int i = 0; i < count; ++i) {
                played0[i] = 0.0f;
                if (played1) played1[i] = 0.0f;
            }
            engine_.resetBandHistories();
            silencedChunks_ = silencedChunks_ + 1;
        }
        start += count;
    }
    midiQueue_.clear();
}

vst::VstInt32 CBorvan::processEvents(vst::VstEvents* events) {
    if (!events) return 1;
    for (int i = 0; i < events->numEvents; ++i) {
        const vst::VstEvent* e = events->events[i];
        if (!e || e->type != vst::kVstMidiType) continue;
        const auto* midi = reinterpret_cast<const vst::VstMidiEvent*>(e);
        midiQueue_.pushMessage(uint8_t(midi->midiData[0]), uint8_t(midi->midiData[1]), uint8_t(midi->midiData[2]),
                               midi->deltaFrames);
    }
    return 1;
}

}  // namespace solva
