// Sound synthesis: a tone or a rest as 16-bit mono samples, ready for the audio device.
#pragma once

#include <cstdint>
#include <vector>

namespace tarnwick {

constexpr int SampleRate = 48000;
constexpr int SamplesPerMs = SampleRate / 1000;
// Length of the fade in and out of each tone: without it a tone starts and stops with a click.
constexpr int FadeMs = 5;

// A sine of hz for ms at SampleRate, faded in and out, SampleRate * ms / 1000 samples long.
// A rest (hz <= 0) is silence of the same length; a length <= 0 gives no samples.
std::vector<std::int16_t> synthesize(int hz, int ms);

}  // namespace tarnwick
