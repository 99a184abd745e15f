// solva-fit --verify: the built-in tables measured at the accuracy-target
// settings through the engine's own lookup.
#pragma once

namespace solva {

// Prints the deviation report; list also prints every case off target,
// dense adds sweeps of the bells and shelves between the tables'
// breakpoints (summaries only).
int runVerify(bool list, bool dense);

}  // namespace solva
