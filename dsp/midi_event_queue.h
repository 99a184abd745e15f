// Queue of MIDI events received through processEvents, delivered to the
// effect's (empty) note handler at the chunk boundaries of the following
// processReplacing. Fixed capacity: nothing allocates on the audio thread.
// Audio thread only.
#pragma once

#include <cstdint>

namespace solva {

struct QueuedMidiEvent {
    int32_t note;      // data1 & 127, or -1 for "all notes off" controllers
    int32_t velocity;  // data2 & 127, 0 for note off
    int32_t deltaFrames;
};

class MidiEventQueue {
public:
    static constexpr int kCapacity = 128;

    // Queues one raw MIDI message; note on/off and controllers 123..127 are
    // kept, everything else is ignored. When the queue is full the count
    // stays at kCapacity - 1, so the newest event replaces the last entry.
    void pushMidi(uint8_t status, uint8_t data1, uint8_t data2, int32_t deltaFrames) {
        const int type = status & 0xF0;
        QueuedMidiEvent e;
        if (type == 0x90 || type == 0x80) {
            e = {data1 & 127, type == 0x80 ? 0 : (data2 & 127), deltaFrames};
        } else if (type == 0xB0 && (data1 & 127) >= 123) {
            e = {-1, 0, deltaFrames};
        } else {
            return;
        }
        events_[count_] = e;
        if (++count_ >= kCapacity) count_ = kCapacity - 1;
    }

    // Delivers, in order, every event whose delta frame is at or before
    // `frame` to handler(note, velocity, deltaFrames) and removes it.
    template <typename Handler>
    void deliverUpTo(int32_t frame, Handler&& handler) {
        int kept = 0;
        for (int i = 0; i < count_; ++i) {
            if (events_[i].deltaFrames <= frame)
                handler(events_[i].note, events_[i].velocity, events_[i].deltaFrames);
            else
                events_[kept++] = events_[i];
        }
        count_ = kept;
    }

    void clear() { count_ = 0; }
    int size() const { return count_; }

private:
    QueuedMidiEvent events_[kCapacity] = {};
    int count_ = 0;
};

}  // namespace solva
