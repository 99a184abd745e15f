// Figures of the response grid: the error of one measured case against its
// prototype, the summary of a family at one rate, and the report as a table
// or as machine-readable lines.
//
// Definitions (the same everywhere in the report):
// - level error at a point: 20 log10 |measured| - 20 log10 |prototype| (dB);
//   points where the prototype lies below kScoreFloorDb are not scored (the
//   float resolution of a recorded response ends around there);
// - max dB: the largest |level error| over every scored point of every case;
// - max dB f0 <= 10 kHz: the same over the cases whose highest band
//   frequency is at most 10 kHz;
// - RMS dB: root mean square of the level error over the scored points of
//   one case, the largest over the cases;
// - phase: |arg(measured / prototype)| in degrees at scored points up to
//   10 kHz, the largest over the cases.
#pragma once

#include <string>
#include <vector>

#include "dsp/response_analysis.h"
#include "cmd_response_grid.h"
#include "cmd_response_measure.h"

namespace solvahost {

constexpr double kScoreFloorDb = -80.0;
constexpr double kPhaseLimitHz = 10000.0;
constexpr double kLowBandLimitHz = 10000.0;

// The accuracy target of the corrected families.
using solva::kTargetMaxDb;
using solva::kTargetMaxDbLow;
using solva::kTargetRmsDb;
using solva::kTargetPhaseDeg;

struct CaseError {
    std::vector<double> errorDb;  // per analysis point; NaN where not scored
    double maxDb = 0.0;
    double rmsDb = 0.0;
    double maxPhaseDeg = 0.0;
    double maxDbAtHz = 0.0;     // where the largest level error is
    double maxPhaseAtHz = 0.0;  // where the largest phase error is
    double phaseFloorDeg = 0.0; // what no zero-latency filter with the prototype's level avoids
};

CaseError caseError(const std::vector<double>& freqsHz, const CaseMeasurement& m);

struct FamilySummary {
    GridFamily family = GridFamily::Bell;
    float rateHz = 0.0f;
    int cases = 0;
    int lowCases = 0;  // cases with f0 <= 10 kHz
    double maxDb = 0.0;
    double maxDbLow = 0.0;
    double rmsDb = 0.0;
    double phaseDeg = 0.0;
    double phaseFloorDeg = 0.0;  // the largest over the cases
    int worstCase = -1;  // index in the family's grid
    std::string worst;   // its label and engine values

    // Takes one case in; returns true when it is the new worst one.
    bool add(int index, const GridCase& gridCase, const CaseMeasurement& m, const CaseError& e);
    bool meetsTarget() const;
};

// One line for one case: its label, figures and where the largest errors are.
std::string formatCaseLine(GridFamily family, float rateHz, const GridCase& gridCase, const CaseError& e);

// The table, with a header that states the definitions, the target and the
// latency the plug-in reported (the phase is compared without any delay).
std::string formatReportTable(const std::vector<FamilySummary>& rows, bool sampled, int latencyFrames);
// One line per row: "grid family=bell rate=44100 cases=210 max_db=0.4170
// max_db_low=0.1780 rms_db=0.0210 phase_deg=1.2300 target=met worst=...".
std::string formatReportMachine(const std::vector<FamilySummary>& rows);

}  // namespace solvahost
