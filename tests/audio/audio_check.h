// Helpers that look at synthesized or recorded samples.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace tarnwick {

// The frequency of a steady sine, from its rising zero crossings (interpolated between
// samples): the number of whole periods between the first and the last crossing, over the
// time between them. Zero when there are fewer than two crossings.
inline double measureHz(std::span<const std::int16_t> samples, int sampleRate) {
    double first = -1.0;
    double last = -1.0;
    int periods = -1;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const int before = samples[i - 1];
        const int after = samples[i];
        if (before < 0 && after >= 0) {
            const double at = static_cast<double>(i - 1) +
                              static_cast<double>(-before) / static_cast<double>(after - before);
            if (first < 0) {
                first = at;
            }
            last = at;
            ++periods;
        }
    }
    if (periods < 1) {
        return 0.0;
    }
    return periods * sampleRate / (last - first);
}

inline int peakOf(std::span<const std::int16_t> samples) {
    int peak = 0;
    for (const std::int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

}  // namespace tarnwick
