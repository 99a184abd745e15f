// A tiny line-plot renderer writing PNG files: log-frequency x axis,
// decibel y axis, a few coloured curves. Tool code, not used by the plug-in.
#pragma once

#include <string>
#include <vector>

namespace solva {

struct PlotCurve {
    std::vector<double> freqHz;
    std::vector<double> valueDb;
    unsigned rgb;  // 0xRRGGBB
};

// Returns false when the file cannot be written.
bool writeResponsePlot(const std::string& path, const std::string& title, const std::vector<PlotCurve>& curves,
                       double minDb, double maxDb, double minHz = 20.0, double maxHz = 24000.0);

}  // namespace solva
