#include "audio/synthesis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarnwick {

namespace {

// Peak amplitude, about a third of full scale: loud enough, and never clipping.
constexpr double Amplitude = 10000.0;

// The gain at sample i of n: a raised-cosine ramp over the first and last fade samples.
double envelope(int i, int n, int fade) {
    const int edge = std::min(i, n - 1 - i);
    if (edge >= fade) {
        return 1.0;
    }
    return 0.5 - 0.5 * std::cos(std::numbers::pi * edge / fade);
}

}  // namespace

std::vector<std::int16_t> synthesize(int hz, int ms) {
    const int count = std::max(ms, 0) * SamplesPerMs;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(count), 0);
    if (hz <= 0) {
        return samples;
    }
    // A short tone fades over at most half its length each way.
    const int fade = std::min(FadeMs * SamplesPerMs, count / 2);
    const double step = 2.0 * std::numbers::pi * hz / SampleRate;
    for (int i = 0; i < count; ++i) {
        const double value = Amplitude * envelope(i, count, fade) * std::sin(step * i);
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(value));
    }
    return samples;
}

}  // namespace tarnwick
