// GENERATED placeholder: no correction entries.
#include "dsp/correction_table.h"

namespace solva {

const CorrectionEntry kHighPass1Entries[16] = {};
const CorrectionEntry kLowPass1Entries[24] = {};
const CorrectionEntry kLowPass2Entries[24 * 15] = {};
const CorrectionEntry kShelfAEntries[21 * 6 * 31] = {};
const CorrectionEntry kShelfBEntries[21 * 6 * 31] = {};
const CorrectionEntry kBellEntries[21 * 12 * 31] = {};

}  // namespace solva
