// PNG plots of one measured case of the response grid: the level of the
// measurement over its prototype, and the level error with the target lines.
// Needs libpng (see response.cmake); without it responsePlotsAvailable() is
// false and nothing is written.
#pragma once

#include <string>
#include <vector>

#include "cmd_response_measure.h"
#include "cmd_response_report.h"

namespace solvahost {

bool responsePlotsAvailable();

// Writes DIR/BASE.png (black: prototype, blue: measured) and
// DIR/BASE_error.png (red: level error, grey: +-0.35 and +-0.6 dB). Throws
// HostError when a file cannot be written.
void writeResponsePlots(const std::string& dir, const std::string& base, const std::vector<double>& freqsHz,
                        const CaseMeasurement& m, const CaseError& e);

}  // namespace solvahost
