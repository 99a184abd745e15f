#include "params/display_text.h"

#include <cstring>

#include "params/note_table.h"
#include "params/number_text.h"
#include "params/param_table.h"
#include "params/value_law.h"

namespace solva {

namespace {

constexpr std::size_t kFrequencyCapacity = 32;
// A note shows "+" above 1.005 x its frequency; above 1.029 x it reads as
// the next note with "-".
constexpr double kNoteSharpRatio = 1.005;
constexpr double kNoteNextRatio = 1.029;

void copyText(const char* text, char* out, std::size_t capacity) {
    std::size_t n = std::strlen(text);
    if (n >= capacity) n = capacity - 1;
    std::memcpy(out, text, n);
    out[n] = '\0';
}

void appendText(const char* text, char* out, std::size_t capacity) {
    const std::size_t used = std::strlen(out);
    copyText(text, out + used, capacity - used);
}

}  // namespace

void noteTextOfFrequency(float freqHz, char* out) {
    int note = 0;
    const float noteHz = snapPhysical(freqHz, kNumNotes, noteTable(), &note);
    if (freqHz > kNoteNextRatio * noteHz) {
        const bool last = note == kNumNotes - 1;
        copyText(noteName(last ? note : note + 1), out, kFrequencyCapacity);
        appendText(last ? "+" : "-", out, kFrequencyCapacity);
    } else {
        copyText(noteName(note), out, kFrequencyCapacity);
        if (freqHz > kNoteSharpRatio * noteHz) appendText("+", out, kFrequencyCapacity);
    }
}

void hertzTextOfFrequency(float freqHz, char* out) {
    if (freqHz < 100.0f) {
        formatFixed(freqHz, 2, out, kFrequencyCapacity);
    } else if (freqHz < 1000.0f) {
        formatFixed(freqHz, 1, out, kFrequencyCapacity);
    } else if (freqHz < 10000.0f) {
        formatInt(static_cast<int>(freqHz + 0.5), out, kFrequencyCapacity);
    } else {
        const int n = formatFixed(freqHz * 0.001, 2, out, kFrequencyCapacity - 1);
        out[n] = 'k';
        out[n + 1] = '\0';
    }
}

namespace {

bool optionOn(const SettingsBlock& block, int word) { return block.options[word] >= 0.5f; }

void continuousText(const SettingsBlock& block, int index, char* out) {
    const SettingsSlot& slot = currentSlot(block);
    const float norm = *sideValuePtr(slot, shownSide(slot), index);
    if (isFrequencyIndex(index)) {
        frequencyText(norm, optionOn(block, kOptFreqAsNotes), index == 0, out);
    } else if (isQualityIndex(index)) {
        qualityText(lawToPhysical(norm, lawForIndex(index, slot)), optionOn(block, kOptQAsOctaves),
                    out);
    } else {
        formatFixed(lawToPhysical(norm, lawForIndex(index, slot)), 1, out, kDisplayTextCapacity);
    }
}

void switchText(int index, bool second, char* out) {
    const char* text = second ? "On" : "Off";
    switch (index) {
        case 22: text = second ? "HighPass 12dB" : "HighPass 6dB"; break;
        case 24: text = second ? "LowShelf" : "Bell"; break;
        case 29: text = second ? "HighShelf" : "Bell"; break;
        case 31: text = second ? "LowPass 12dB" : "LowPass 6dB"; break;
        default: break;
    }
    copyText(text, out, kDisplayTextCapacity);
}

}  // namespace

void frequencyText(float norm, bool notes, bool hpLaw, char* out) {
    const float freqHz = lawToPhysical(norm, hpLaw ? kHpFrequencyLaw : kFrequencyLaw);
    if (notes)
        noteTextOfFrequency(freqHz, out);
    else
        hertzTextOfFrequency(freqHz, out);
}

void qualityText(float qFactor, bool octaves, char* out) {
    const float shown = octaves ? 1.0f / (2.0f * qFactor) : qFactor;
    formatFixed(shown, 2, out, kFrequencyCapacity);
}

bool formatDisplayText(const SettingsBlock& block, int index, char* out) {
    if (index == kVersionTextIndex) {
        versionText(out);
        return true;
    }
    const int kind = getParameterKind(index);
    if (kind == kKindContinuous) {
        continuousText(block, index, out);
        return true;
    }
    if (kind == kKindSwitch) {
        switchText(index, *switchValuePtr(currentSlot(block), index) >= 0.5f, out);
        return true;
    }
    if (index >= 35 && index <= 42) {
        const char* name = currentSlot(block).switches[index - 35].name;
        const void* end = std::memchr(name, '\0', sizeof(BandSwitches::name));
        const std::size_t n = end ? static_cast<const char*>(end) - name : sizeof(BandSwitches::name);
        std::memcpy(out, name, n);
        out[n] = '\0';
        return true;
    }
    return false;
}

void versionText(char* out) {
    char number[16];
    formatFixed(kVersionNumber, 2, number, sizeof number);
    copyText("V", out, kDisplayTextCapacity);
    appendText(number, out, kDisplayTextCapacity);
    appendText(" (" __DATE__ " / " __TIME__ ") Generic", out, kDisplayTextCapacity);
}

}  // namespace solva
