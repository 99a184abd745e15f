// "generate": writes a test signal (sine, logarithmic sweep, white noise,
// impulse or silence) to a sound file, for feeding "process".
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <sndfile.h>

#include "audio_file.h"
#include "cli_args.h"
#include "command.h"
#include "host_error.h"

namespace solvahost {

namespace {

constexpr double kPi = 3.14159265358979323846;

enum class Signal { sine, sweep, noise, impulse, silence };

Signal parseSignal(const std::string& text) {
    if (text == "sine") return Signal::sine;
    if (text == "sweep") return Signal::sweep;
    if (text == "noise") return Signal::noise;
    if (text == "impulse") return Signal::impulse;
    if (text == "silence") return Signal::silence;
    throw UsageError("unknown signal '" + text + "' (sine, sweep, noise, impulse, silence)");
}

// Deterministic white noise in [-1, 1): the same file on every run.
class NoiseSource {
public:
    double next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(state_ >> 11) / double(1ULL << 52) - 1.0;
    }

private:
    uint64_t state_ = 0x5EED5EEDULL;
};

int runGenerate(const ArgList& args) {
    const char* usage = "generate OUT [--signal sine|sweep|noise|impulse|silence] [--seconds S] [--rate R] "
                        "[--channels N] [--freq HZ] [--to HZ] [--level DBFS]";
    ParsedArgs parsed = parseArgs(args, {{"signal", true},
                                         {"seconds", true},
                                         {"rate", true},
                                         {"channels", true},
                                         {"freq", true},
                                         {"to", true},
                                         {"level", true}});
    if (parsed.has("help")) {
        std::printf("usage: solva-host %s\n", usage);
        return kExitOk;
    }
    requirePositional(parsed, 1, usage);
    const Signal signal = parseSignal(parsed.value("signal", "sweep"));
    const double seconds = parseNumber(parsed.value("seconds", "5"), "--seconds", 0.001, 3600.0);
    const double rateHz = parseSampleRate(parsed.value("rate", "48000"));
    const int channels = int(parseInteger(parsed.value("channels", "2"), "--channels", 1, 64));
    const double fromHz = parseNumber(parsed.value("freq", signal == Signal::sweep ? "20" : "1000"), "--freq", 0.01,
                                      rateHz / 2.0);
    // A sweep ends at 20 kHz, or at the Nyquist frequency of lower rates.
    const double toHz = parsed.has("to") ? parseNumber(parsed.value("to"), "--to", 0.01, rateHz / 2.0)
                                         : std::min(20000.0, rateHz / 2.0);
    const double levelDb = parseNumber(parsed.value("level", "-12"), "--level", -200.0, 0.0);
    const double amplitude = std::pow(10.0, levelDb / 20.0);

    const int64_t frames = int64_t(seconds * rateHz + 0.5);
    SoundFileWriter writer(parsed.positional[0], int(rateHz), channels, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    NoiseSource noise;
    const double sweepRate = std::log(toHz / fromHz);
    std::vector<float> block(size_t(4096) * size_t(channels));
    for (int64_t start = 0; start < frames; start += 4096) {
        const int64_t count = frames - start < 4096 ? frames - start : 4096;
        for (int64_t i = 0; i < count; ++i) {
            const double t = double(start + i) / rateHz;
            double v = 0.0;
            switch (signal) {
            case Signal::sine: v = std::sin(2.0 * kPi * fromHz * t); break;
            case Signal::sweep:
                // Exponential sweep: the phase integrates f(t) = from * e^(k t / T).
                v = std::sin(2.0 * kPi * fromHz * seconds / sweepRate * (std::exp(sweepRate * t / seconds) - 1.0));
                break;
            case Signal::noise: v = noise.next(); break;
            case Signal::impulse: v = start + i == 0 ? 1.0 : 0.0; break;
            case Signal::silence: break;
            }
            for (int c = 0; c < channels; ++c) block[size_t(i) * size_t(channels) + size_t(c)] = float(v * amplitude);
        }
        writer.write(block.data(), count);
    }
    writer.close();
    std::printf("wrote %lld frames, %d channels, %g Hz\n", static_cast<long long>(frames), channels, rateHz);
    return kExitOk;
}

}  // namespace

SOLVA_HOST_COMMAND(generate, "write a test signal (sine, sweep, noise, impulse) to a sound file",
                   "generate OUT [--signal sine|sweep|noise|impulse|silence] [--seconds S] [--rate R]\n"
                   "         [--channels N] [--freq HZ] [--to HZ] [--level DBFS]",
                   runGenerate);

}  // namespace solvahost
