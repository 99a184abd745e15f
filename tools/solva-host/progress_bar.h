// A one-line progress bar on stderr, redrawn in place. Shown only when
// enabled (see shouldShowProgress); otherwise every call does nothing.
#pragma once

#include <cstdint>
#include <string>

namespace solvahost {

// The bar is worth showing on an interactive stderr for files longer than
// a few seconds; `forced` shows it anyway, `quiet` never.
bool shouldShowProgress(double durationSeconds, bool quiet, bool forced);

class ProgressBar {
public:
    ProgressBar(const std::string& label, int64_t total, bool enabled);
    ~ProgressBar();

    void update(int64_t done);
    // Draws 100 % and ends the line.
    void finish();

private:
    void draw(int64_t done);

    std::string label_;
    int64_t total_;
    bool enabled_;
    bool finished_ = false;
    int lastPercent_ = -1;
};

}  // namespace solvahost
