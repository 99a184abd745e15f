// MidiEventQueue: the events processEvents queues for the next
// processReplacing call. 128 entries; when full, the count is held at 127 so
// the newest event overwrites the last entry. Audio thread only.
#pragma once

namespace solva {

struct MidiEvent {
    int note;        // data1 & 127, or -1 for "all notes off" style controllers
    int velocity;    // data2 & 127, 0 for note-off
    int deltaFrames;
};

class MidiEventQueue {
public:
    static constexpr int kCapacity = 128;

    void push(int note, int velocity, int deltaFrames) {
        events_[count_] = {note, velocity, deltaFrames};
        if (++count_ >= kCapacity) count_ = kCapacity - 1;
    }

    // Queues a raw MIDI message by its status nibble; returns true if queued.
    bool pushMessage(int status, int data1, int data2, int deltaFrames) {
        switch (status & 0xF0) {
        case 0x90: push(data1 & 127, data2 & 127, deltaFrames); return true;
        case 0x80: push(data1 & 127, 0, deltaFrames); return true;
        case 0xB0:
            if (data1 >= 123 && data1 <= 127) {
                push(-1, 0, deltaFrames);
                return true;
            }
            return false;
        default: return false;
        }
    }

    int count() const { return count_; }
    const MidiEvent& at(int i) const { return events_[i]; }

    // Removes every event whose delta frame is at or before frame, passing
    // each to deliver(const MidiEvent&) in queue order.
    template <class Deliver>
    void deliverUpTo(int frame, Deliver&& deliver) {
        int kept = 0;
        for (int i = 0; i < count_; ++i) {
            if (events_[i].deltaFrames <= frame) deliver(events_[i]);
            else events_[kept++] = events_[i];
        }
        count_ = kept;
    }

    void clear() { count_ = 0; }

private:
    MidiEvent events_[kCapacity] = {};
    int count_ = 0;
};

}  // namespace solva
