#include "params/note_table.h"

#include <array>

namespace solva {

namespace {

// 440 * 2^((n - 69) / 12) truncated to hundredths; entries 19, 108, 110,
// 115 and 120 lie just below a hundredth and are rounded up instead.
constexpr float kNoteHz[kNumNotes] = {
    0.1f,     0.1f,     0.1f,     0.1f,     0.1f,     0.1f,     0.1f,     0.1f,
    0.1f,     0.1f,     0.1f,     0.1f,     16.35f,   17.32f,   18.35f,   19.44f,
    20.60f,   21.82f,   23.12f,   24.5f,    25.95f,   27.50f,   29.13f,   30.86f,
    32.70f,   34.64f,   36.70f,   38.89f,   41.20f,   43.65f,   46.24f,   48.99f,
    51.91f,   55.00f,   58.27f,   61.73f,   65.40f,   69.29f,   73.41f,   77.78f,
    82.40f,   87.30f,   92.49f,   97.99f,   103.82f,  110.00f,  116.54f,  123.47f,
    130.81f,  138.59f,  146.83f,  155.56f,  164.81f,  174.61f,  184.99f,  195.99f,
    207.65f,  220.00f,  233.08f,  246.94f,  261.62f,  277.18f,  293.66f,  311.12f,
    329.62f,  349.22f,  369.99f,  391.99f,  415.30f,  440.00f,  466.16f,  493.88f,
    523.25f,  554.36f,  587.32f,  622.25f,  659.25f,  698.45f,  739.98f,  783.99f,
    830.60f,  880.00f,  932.32f,  987.76f,  1046.50f, 1108.73f, 1174.65f, 1244.50f,
    1318.51f, 1396.91f, 1479.97f, 1567.98f, 1661.21f, 1760.00f, 1864.65f, 1975.53f,
    2093.00f, 2217.46f, 2349.31f, 2489.01f, 2637.02f, 2793.82f, 2959.95f, 3135.96f,
    3322.43f, 3520.00f, 3729.31f, 3951.06f, 4186.01f, 4434.92f, 4698.64f, 4978.03f,
    5274.04f, 5587.65f, 5919.91f, 6271.93f, 6644.87f, 7040.00f, 7458.62f, 7902.13f,
    8372.02f, 8869.84f, 9397.27f, 9956.06f, 10548.08f, 11175.30f, 11839.82f, 12543.85f,
    13289.75f, 14080.00f, 14917.24f, 15804.26f, 16744.03f, 17739.68f, 18794.54f, 19912.12f,
    21096.16f, 22350.60f, 23679.64f, 25087.70f, 26579.50f, 28160.00f, 29834.48f, 31608.53f,
};

using NoteNames = std::array<std::array<char, 5>, kNumNotes>;

constexpr NoteNames makeNoteNames() {
    constexpr const char* kPitch[12] = {"C", "Db", "D", "Eb", "E", "F",
                                        "Gb", "G", "Ab", "A", "Bb", "B"};
    NoteNames names{};
    for (int n = 0; n < kNumNotes; ++n) {
        std::array<char, 5>& out = names[n];
        for (int k = 0; k < 4; ++k) out[k] = ' ';
        out[4] = '\0';
        if (n < 12) {
            out[1] = '_';
            continue;
        }
        int pos = 0;
        for (const char* p = kPitch[n % 12]; *p; ++p) out[pos++] = *p;
        const int octave = n / 12 - 2;  // note 12 is C-1
        if (octave < 0) {
            out[pos++] = '-';
            out[pos++] = static_cast<char>('0' - octave);
        } else {
            out[pos++] = static_cast<char>('0' + octave);
        }
    }
    return names;
}

constexpr NoteNames kNoteNames = makeNoteNames();

}  // namespace

float noteFrequencyHz(int note) {
    if (note < 0 || note >= kNumNotes) return 0.0f;
    return kNoteHz[note];
}

const float* noteTable() { return kNoteHz; }

const char* noteName(int note) {
    if (note < 0 || note >= kNumNotes) return "";
    return kNoteNames[note].data();
}

}  // namespace solva
