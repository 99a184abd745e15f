// Equal-tempered note frequencies and names indexed by MIDI note number
// 0..143, used to snap frequencies to notes and to show frequencies as notes.
// Constant tables: safe on any thread.
#pragma once

namespace solva {

constexpr int kNumNotes = 144;

// Frequency in Hz of a note 0..143: 0.1 for notes 0..11, else
// 440 * 2^((note - 69) / 12) cut to two decimals (notes 19, 108, 110, 115
// and 120 hold the rounded value instead). 0.0 outside the table.
float noteFrequencyHz(int note);
// The 144 frequencies, ascending, for snapPhysical.
const float* noteTable();
// Four-character blank-padded name: " _  " for notes 0..11, then "C-1 ",
// "Db-1", ... "A3  " (440 Hz) ... "B9  ". "" outside the table.
const char* noteName(int note);

}  // namespace solva
