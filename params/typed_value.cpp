#include "params/typed_value.h"

#include <cmath>

#include "params/number_text.h"
#include "params/param_table.h"
#include "params/value_law.h"

namespace solva {

bool typedValueToNormalised(const SettingsBlock& block, int index, const char* text, float* normOut) {
    if (getParameterKind(index) != kKindContinuous) return false;
    const bool notes = block.options[kOptFreqAsNotes] >= 0.5f;
    const bool tuned = isFrequencyIndex(index) || isQualityIndex(index);
    if (notes && tuned) return false;

    float value = static_cast<float>(parseDecimal(text));
    if (std::isnan(value)) value = 0.0f;
    if (isQualityIndex(index) && block.options[kOptQAsOctaves] >= 0.5f)
        value = 1.0f / (2.0f * value);

    const SettingsSlot& slot = currentSlot(block);
    *normOut = lawToNormalised(value, lawForIndex(index, slot));
    return true;
}

}  // namespace solva
