// The analog-match grid of "solva-host response" against the built plug-in:
// every band family, measured through processReplacing, stays within its
// tolerance of the analog prototypes of its bands; the command's files and
// its errors. By default a sampled subset of the grid runs (a few seconds);
// SOLVA_LONG_TESTS=1 runs the full grid and the high rates as well.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/host_paths.h"
#include "support/sound_files.h"
#include "support/tool_runner.h"

using namespace solvatest;

namespace {

// Accuracy target of the corrected bands at 44.1 and 48 kHz: max |level
// error| <= 0.6 dB over every case, <= 0.35 dB for f0 <= 10 kHz, RMS over
// the 512 points of a case (largest over the cases) <= 0.05 dB, phase error
// <= 10 degrees up to 10 kHz. Each bound below is the target where the
// family meets it, and otherwise the family's measured worst over the full
// grid at 44.1 and 48 kHz plus about 10 %, so that a regression still fails;
// tighten a bound to the target as soon as the correction tables reach it.
// The 12 dB high-pass and the 6 dB low-pass have no correction by design:
// their bounds only guard against a regression.
struct Tolerance {
    const char* family;
    double maxDb;
    double maxDbLow;  // cases with f0 <= 10 kHz (none for Air and the chain)
    double rmsDb;
    double phaseDeg;
};

const Tolerance kTolerances[] = {
    // family       max dB  <=10k dB  RMS dB  phase deg   measured worst (44.1 / 48 kHz)
    {"bell", 0.47, 0.35, 0.11, 21.5},         // 0.42 dB (15 kHz, Q 7, -28.7 dB engine gain), <=10k 0.32, 0.097, 19.4
    {"low-shelf", 0.6, 0.35, 0.16, 25.5},     // 0.32 dB (10 kHz, Q 2 at 48 kHz), <=10k 0.32, 0.131, 23.5
    {"high-shelf", 0.6, 0.35, 0.09, 25.0},    // 0.33 dB (10 kHz, Q 2 at 48 kHz), 0.08, 23.1
    {"high-pass-6", 0.6, 0.35, 0.05, 10.0},   // 0.08 dB (7 kHz), 0.04, 8.5
    {"high-pass-12", 3.7, 3.7, 3.35, 9.5},    // no correction: 3.35 dB, 3.04, 8.7
    {"low-pass-6", 14.5, 14.5, 2.1, 6.0},     // no correction: 13.6 dB at 20 kHz, 1.90, 5.4
    {"low-pass-12", 0.6, 0.35, 0.17, 45.0},   // 0.39 dB (15 kHz, Q 2.5), <=10k 0.33, 0.156, 40.9
    {"air", 3.2, 0.0, 2.2, 21.0},             // 2.87 dB (+15 dB at 48 kHz), 2.00, 18.7
    {"chain", 2.15, 0.0, 0.94, 63.5},         // 1.92 dB, 0.86, 57.7
};

const Tolerance* toleranceOf(const std::string& family) {
    for (const Tolerance& t : kTolerances)
        if (family == t.family) return &t;
    return nullptr;
}

struct GridRow {
    std::string family;
    double rateHz = 0;
    int cases = 0;
    double maxDb = 0, maxDbLow = 0, rmsDb = 0, phaseDeg = 0;
    std::string target, worst;
};

// Parses "grid family=... rate=... cases=... max_db=... ... worst=\"...\"".
GridRow parseRow(const std::string& line) {
    GridRow row;
    std::map<std::string, std::string> fields;
    const size_t worstAt = line.find(" worst=\"");
    std::istringstream words(line.substr(0, worstAt));
    std::string word;
    while (words >> word) {
        const size_t eq = word.find('=');
        if (eq != std::string::npos) fields[word.substr(0, eq)] = word.substr(eq + 1);
    }
    row.family = fields["family"];
    row.rateHz = std::atof(fields["rate"].c_str());
    row.cases = std::atoi(fields["cases"].c_str());
    row.maxDb = std::atof(fields["max_db"].c_str());
    row.maxDbLow = std::atof(fields["max_db_low"].c_str());
    row.rmsDb = std::atof(fields["rms_db"].c_str());
    row.phaseDeg = std::atof(fields["phase_deg"].c_str());
    row.target = fields["target"];
    if (worstAt != std::string::npos) row.worst = line.substr(worstAt + 8, line.size() - worstAt - 9);
    return row;
}

class ResponseGridTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch_.created()); }
    // The plug-in keeps its library in a folder of its own for the run.
    ToolResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"response", kSolvaPlugin});
        return runHost(args, {"SOLVA_INSTALL_DIR=" + scratch_.path("library/")});
    }
    std::vector<GridRow> runGrid(std::vector<std::string> args) {
        args.push_back("--machine");
        args.push_back("--quiet");
        ToolResult result = run(args);
        EXPECT_TRUE(result.exitedWith(0)) << result.stderrText;
        std::vector<GridRow> rows;
        for (const std::string& line : result.linesStartingWith("grid ")) rows.push_back(parseRow(line));
        return rows;
    }
    ScratchDir scratch_;
};

void expectWithinTolerance(const GridRow& row) {
    const Tolerance* t = toleranceOf(row.family);
    ASSERT_NE(t, nullptr) << "no tolerance for family " << row.family;
    const std::string where = row.family + " at " + std::to_string(int(row.rateHz)) + " Hz, worst " + row.worst;
    EXPECT_GT(row.cases, 0) << where;
    EXPECT_LE(row.maxDb, t->maxDb) << where;
    EXPECT_LE(row.maxDbLow, t->maxDbLow) << where;
    EXPECT_LE(row.rmsDb, t->rmsDb) << where;
    EXPECT_LE(row.phaseDeg, t->phaseDeg) << where;
}

const std::vector<std::string> kFamilies = {"bell",        "low-shelf",  "high-shelf", "high-pass-6", "high-pass-12",
                                            "low-pass-6", "low-pass-12", "air",        "chain"};

void expectEveryFamilyAtEveryRate(const std::vector<GridRow>& rows, const std::vector<double>& ratesHz) {
    ASSERT_EQ(rows.size(), kFamilies.size() * ratesHz.size());
    for (size_t r = 0; r < ratesHz.size(); ++r)
        for (size_t f = 0; f < kFamilies.size(); ++f) {
            const GridRow& row = rows[r * kFamilies.size() + f];
            EXPECT_EQ(row.family, kFamilies[f]);
            EXPECT_EQ(row.rateHz, ratesHz[r]);
        }
}

}  // namespace

TEST_F(ResponseGridTest, SampledGridStaysWithinEachFamilysTolerance) {
    const std::vector<GridRow> rows = runGrid({"--sampled"});
    expectEveryFamilyAtEveryRate(rows, {44100, 48000});
    for (const GridRow& row : rows) expectWithinTolerance(row);
}

// Bands at 100 Hz are far from the Nyquist frequency: the bilinear design
// alone follows the prototype there within hundredths of a dB. They match
// only when the prototype is built from what the engine really receives:
// with the nominal instead of the warped gain a bell at Q 7 and -15 dB
// would be 13.7 dB off, with the bell Q law instead of the shelf Q law a
// shelf at Q 2 several dB.
TEST_F(ResponseGridTest, LowBandsMatchPrototypesBuiltFromTheEngineValues) {
    ToolResult result = run({"--sampled", "--rate", "48000", "--family", "bell", "--family", "low-shelf", "--family",
                             "high-shelf", "--cases", "--machine", "--quiet"});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    int checked = 0;
    for (const std::string& line : result.linesStartingWith("case ")) {
        if (line.find("\"f0 100 Hz ") == std::string::npos) continue;
        const size_t at = line.find(" max_db=");
        ASSERT_NE(at, std::string::npos) << line;
        EXPECT_LT(std::atof(line.c_str() + at + 8), 0.1) << line;
        ++checked;
    }
    EXPECT_EQ(checked, 6 + 6 + 6);
}

TEST_F(ResponseGridTest, FullGridStaysWithinEachFamilysTolerance) {
    if (!longTestsEnabled()) GTEST_SKIP() << "full grid only with SOLVA_LONG_TESTS=1";
    const std::vector<GridRow> rows = runGrid({});
    expectEveryFamilyAtEveryRate(rows, {44100, 48000});
    for (const GridRow& row : rows) expectWithinTolerance(row);
}

TEST_F(ResponseGridTest, WritesTheTableToOutAndTheWorstCaseAsTwoPngs) {
    const std::string out = scratch_.path("grid.txt"), png = scratch_.path("plots");
    ToolResult result =
        run({"--family", "air", "--sampled", "--rate", "44100", "--out", out, "--png-dir", png, "--cases", "--quiet"});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    // One line per case as it is measured, then the table, which --out holds.
    EXPECT_EQ(result.linesStartingWith("case family=air rate=44100 ").size(), 4u);
    std::ifstream file(out);
    std::stringstream table;
    table << file.rdbuf();
    EXPECT_EQ(table.str().rfind("Solva response grid (sampled subset)\n", 0), 0u) << table.str();
    EXPECT_NE(table.str().find("\nair            44100     4 "), std::string::npos) << table.str();
    // Solva has no latency: phases are compared without removing any delay.
    EXPECT_NE(table.str().find("latency reported by the\nplug-in: 0 samples."), std::string::npos) << table.str();
    EXPECT_NE(result.stdoutText.find(table.str()), std::string::npos);
    for (const char* name : {"/air_44100.png", "/air_44100_error.png"}) {
        std::ifstream image(png + name, std::ios::binary);
        char signature[8] = {};
        image.read(signature, 8);
        EXPECT_EQ(std::string(signature, 8), "\x89PNG\r\n\x1a\n") << name;
    }
}

TEST_F(ResponseGridTest, BadArgumentsAreUsageErrorsAndOtherPluginsAreRefused) {
    struct BadLine {
        std::vector<std::string> args;
        const char* message;
    };
    const BadLine usage[] = {
        {{"response", kSolvaPlugin, "--family", "shelf"}, "unknown family \"shelf\""},
        {{"response", kSolvaPlugin, "--rate", "fast"}, "rate"},
        {{"response", kSolvaPlugin, "--colour"}, "colour"},
        {{"response"}, "response PLUGIN"},
        {{"response", kSolvaPlugin, "extra"}, "response PLUGIN"},
        {{"response", kSolvaPlugin, "--out="}, "--out needs a file name"},
        {{"response", kSolvaPlugin, "--sampled", "--full"}, "--sampled and --full exclude each other"},
    };
    for (const BadLine& bad : usage) {
        ToolResult result = runHost(bad.args);
        EXPECT_TRUE(result.exitedWith(2)) << bad.message << ": " << result.stderrText;
        EXPECT_NE(result.stderrText.find(bad.message), std::string::npos) << result.stderrText;
        EXPECT_TRUE(result.stdoutText.empty()) << result.stdoutText;
    }
    // A refused plug-in leaves no report behind.
    const std::string out = scratch_.path("grid.txt");
    ToolResult probe = runHost({"response", kProbePlugin, "--sampled", "--out", out});
    EXPECT_TRUE(probe.exitedWith(1)) << probe.stderrText;
    EXPECT_NE(probe.stderrText.find("response needs Solva"), std::string::npos) << probe.stderrText;
    EXPECT_FALSE(std::filesystem::exists(out));
    ToolResult missing = runHost({"response", scratch_.path("no-such-plugin.so"), "--sampled"});
    EXPECT_TRUE(missing.exitedWith(1)) << missing.stderrText;
    ToolResult unwritable = run({"--sampled", "--family", "air", "--out", scratch_.path("no-such-dir/grid.txt")});
    EXPECT_TRUE(unwritable.exitedWith(1)) << unwritable.stderrText;
    EXPECT_NE(unwritable.stderrText.find("cannot write"), std::string::npos) << unwritable.stderrText;
}

TEST_F(ResponseGridTest, HelpNamesEveryOptionAndFamily) {
    ToolResult result = run({"--help"});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    for (const char* word : {"--rate", "--family", "--sampled", "--full", "--png-dir", "--out", "--machine", "--cases"})
        EXPECT_NE(result.stdoutText.find(word), std::string::npos) << word;
    for (const std::string& family : kFamilies) EXPECT_NE(result.stdoutText.find(family), std::string::npos) << family;
}

// At 88.2 and 96 kHz every family is to be no worse than at 48 kHz. Known
// exceptions, with their measured worst plus a margin: the Air band's 24-tap
// kernel is too short for its reference bell at these rates (about 11 dB
// off), which the chain carries too, and the 6 dB high-pass's largest
// error at 88.2 kHz (2.1 dB) is above its 48 kHz figure.
struct HighRateAllowance {
    const char* family;
    double maxDb;
};
const HighRateAllowance kHighRateAllowances[] = {{"air", 12.0}, {"chain", 3.1}, {"high-pass-6", 2.35}};

TEST_F(ResponseGridTest, HighRatesAreNoWorseThanFortyEightKilohertz) {
    if (!longTestsEnabled()) GTEST_SKIP() << "high rates only with SOLVA_LONG_TESTS=1";
    const std::vector<GridRow> rows = runGrid({"--rate", "48000", "--rate", "88200", "--rate", "96000"});
    expectEveryFamilyAtEveryRate(rows, {48000, 88200, 96000});
    const size_t n = kFamilies.size();
    for (size_t f = 0; f < n; ++f) {
        const GridRow& at48 = rows[f];
        double bound = at48.maxDb + 0.02;  // measurement noise between rates
        for (const HighRateAllowance& a : kHighRateAllowances)
            if (at48.family == a.family) bound = a.maxDb;
        for (size_t r = 1; r < 3; ++r) {
            const GridRow& high = rows[r * n + f];
            EXPECT_LE(high.maxDb, bound) << high.family << " at " << high.rateHz << " Hz, worst " << high.worst;
        }
    }
}
