// "levels": peak and RMS level of every channel of a sound file, and with a
// second file the level of their difference (how far processing moved it).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "audio_file.h"
#include "cli_args.h"
#include "command.h"
#include "host_error.h"

namespace solvahost {

namespace {

double toDb(double linear) { return linear > 0.0 ? 20.0 * std::log10(linear) : -INFINITY; }

struct ChannelStats {
    double peak = 0.0;
    double sumSquares = 0.0;
};

int runLevels(const ArgList& args) {
    const char* usage = "levels FILE [REFERENCE]";
    ParsedArgs parsed = parseArgs(args, {});
    if (parsed.has("help")) {
        std::printf("usage: solva-host %s\n", usage);
        return kExitOk;
    }
    if (parsed.positional.empty() || parsed.positional.size() > 2)
        throw UsageError(std::string("expected ") + usage);
    SoundFileReader file(parsed.positional[0]);
    std::unique_ptr<SoundFileReader> reference;
    if (parsed.positional.size() == 2) {
        reference = std::make_unique<SoundFileReader>(parsed.positional[1]);
        if (reference->channels() != file.channels())
            throw HostError("the two files have different channel counts");
    }
    const int channels = file.channels();
    std::vector<ChannelStats> level(static_cast<size_t>(channels));
    std::vector<ChannelStats> difference(static_cast<size_t>(channels));
    std::vector<float> a(size_t(4096) * size_t(channels)), b(a.size());
    int64_t frames = 0;
    for (;;) {
        const int64_t n = file.read(a.data(), 4096);
        if (n <= 0) break;
        const int64_t m = reference ? reference->read(b.data(), n) : 0;
        for (int64_t i = 0; i < n; ++i) {
            for (int c = 0; c < channels; ++c) {
                const double v = a[size_t(i) * size_t(channels) + size_t(c)];
                level[size_t(c)].peak = std::max(level[size_t(c)].peak, std::fabs(v));
                level[size_t(c)].sumSquares += v * v;
                if (reference) {
                    const double r = i < m ? b[size_t(i) * size_t(channels) + size_t(c)] : 0.0;
                    difference[size_t(c)].peak = std::max(difference[size_t(c)].peak, std::fabs(v - r));
                    difference[size_t(c)].sumSquares += (v - r) * (v - r);
                }
            }
        }
        frames += n;
    }
    const double count = frames > 0 ? double(frames) : 1.0;
    for (int c = 0; c < channels; ++c) {
        std::printf("channel %d: peak %.2f dBFS, rms %.2f dBFS", c + 1, toDb(level[size_t(c)].peak),
                    toDb(std::sqrt(level[size_t(c)].sumSquares / count)));
        if (reference)
            std::printf(", difference peak %.2f dBFS rms %.2f dBFS", toDb(difference[size_t(c)].peak),
                        toDb(std::sqrt(difference[size_t(c)].sumSquares / count)));
        std::printf("\n");
    }
    return kExitOk;
}

}  // namespace

SOLVA_HOST_COMMAND(levels, "peak and RMS levels of a sound file, or of its difference to a reference",
                   "levels FILE [REFERENCE]", runLevels);

}  // namespace solvahost
