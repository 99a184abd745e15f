#include "progress_bar.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define SOLVA_ISATTY(stream) _isatty(_fileno(stream))
#else
#include <unistd.h>
#define SOLVA_ISATTY(stream) isatty(fileno(stream))
#endif

namespace solvahost {

namespace {

constexpr double kMinimumSecondsForBar = 5.0;
constexpr int kBarWidth = 40;

}  // namespace

bool shouldShowProgress(double durationSeconds, bool quiet, bool forced) {
    if (quiet) return false;
    if (forced) return true;
    return SOLVA_ISATTY(stderr) && durationSeconds >= kMinimumSecondsForBar;
}

ProgressBar::ProgressBar(const std::string& label, int64_t total, bool enabled)
    : label_(label), total_(total > 0 ? total : 1), enabled_(enabled) {}

ProgressBar::~ProgressBar() {
    if (enabled_ && !finished_ && lastPercent_ >= 0) std::fputc('\n', stderr);
}

void ProgressBar::update(int64_t done) {
    if (enabled_) draw(done);
}

void ProgressBar::finish() {
    if (!enabled_ || finished_) return;
    draw(total_);
    std::fputc('\n', stderr);
    finished_ = true;
}

void ProgressBar::draw(int64_t done) {
    int percent = int(done * 100 / total_);
    if (percent > 100) percent = 100;
    if (percent == lastPercent_) return;  // redraw only when the number moves
    lastPercent_ = percent;
    int filled = percent * kBarWidth / 100;
    std::fprintf(stderr, "\r%s [", label_.c_str());
    for (int i = 0; i < kBarWidth; ++i) std::fputc(i < filled ? '#' : '.', stderr);
    std::fprintf(stderr, "] %3d%%", percent);
    std::fflush(stderr);
}

}  // namespace solvahost
