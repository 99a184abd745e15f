#include "cmd_response_plot.h"

#include <algorithm>
#include <cmath>

#include "host_error.h"

#if defined(SOLVA_HOST_HAVE_PNG)
#include "tools/solva-response/plot_png.h"
#endif

namespace solvahost {

#if defined(SOLVA_HOST_HAVE_PNG)

namespace {

constexpr unsigned kBlack = 0x000000u, kBlue = 0x1F5FD0u, kRed = 0xD02020u, kGrey = 0xA0A0A0u;

solva::PlotCurve curveOf(const std::vector<double>& freqsHz, const std::vector<double>& valuesDb, unsigned rgb) {
    solva::PlotCurve c{{}, {}, rgb};
    for (size_t i = 0; i < freqsHz.size(); ++i) {
        if (std::isnan(valuesDb[i])) continue;  // a point below the scoring floor
        c.freqHz.push_back(freqsHz[i]);
        c.valueDb.push_back(valuesDb[i]);
    }
    return c;
}

std::vector<double> levelsDb(const std::vector<std::complex<double>>& response) {
    std::vector<double> db;
    for (const auto& v : response) db.push_back(20.0 * std::log10(std::abs(v) + 1e-300));
    return db;
}

void write(const std::string& path, const std::vector<solva::PlotCurve>& curves, double minDb, double maxDb) {
    if (!solva::writeResponsePlot(path, path, curves, minDb, maxDb, 20.0, 20000.0))
        throw HostError("cannot write " + path);
}

}  // namespace

bool responsePlotsAvailable() { return true; }

void writeResponsePlots(const std::string& dir, const std::string& base, const std::vector<double>& freqsHz,
                        const CaseMeasurement& m, const CaseError& e) {
    const std::vector<double> proto = levelsDb(m.prototype), meas = levelsDb(m.measured);
    // Level range: the prototype's, in 6 dB steps, at least -6 .. +6 dB and
    // at most 60 dB below the top.
    double top = 6.0, bottom = -6.0;
    for (double v : proto) {
        top = std::max(top, std::ceil(v / 6.0) * 6.0);
        bottom = std::min(bottom, std::floor(v / 6.0) * 6.0);
    }
    bottom = std::max(bottom, top - 60.0);
    write(dir + "/" + base + ".png", {curveOf(freqsHz, proto, kBlack), curveOf(freqsHz, meas, kBlue)}, bottom, top);

    double worst = 1.0;
    for (double v : e.errorDb)
        if (!std::isnan(v)) worst = std::max(worst, std::fabs(v));
    const double range = std::ceil(worst * 1.1 * 2.0) / 2.0;
    std::vector<solva::PlotCurve> curves;
    for (double limit : {-kTargetMaxDb, -kTargetMaxDbLow, kTargetMaxDbLow, kTargetMaxDb})
        curves.push_back(curveOf({20.0, 20000.0}, {limit, limit}, kGrey));
    curves.push_back(curveOf(freqsHz, e.errorDb, kRed));
    write(dir + "/" + base + "_error.png", curves, -range, range);
}

#else

bool responsePlotsAvailable() { return false; }

void writeResponsePlots(const std::string&, const std::string&, const std::vector<double>&, const CaseMeasurement&,
                        const CaseError&) {
    throw HostError("this solva-host was built without libpng: no plots");
}

#endif

}  // namespace solvahost
