// Synthesis: pitch, length, fades and silence of the samples that go to the audio device.
#include "audio/synthesis.h"

#include <gtest/gtest.h>

#include "audio_check.h"

namespace tarnwick {
namespace {

TEST(Synthesis, PitchWithinOnePercent) {
    for (const int hz : {262, 1760, 1976}) {
        const auto samples = synthesize(hz, 200);
        EXPECT_NEAR(measureHz(samples, SampleRate), hz, hz * 0.01) << hz << " Hz";
    }
}

TEST(Synthesis, SampleCountIs48PerMillisecond) {
    EXPECT_EQ(synthesize(1760, 200).size(), 9600u);
    EXPECT_EQ(synthesize(659, 1600).size(), 76800u);
    EXPECT_EQ(synthesize(880, 20).size(), 960u);
    EXPECT_EQ(synthesize(0, 128).size(), 6144u);
    EXPECT_TRUE(synthesize(880, 0).empty());
    EXPECT_TRUE(synthesize(880, -5).empty());
}

// A tone starts and ends near silence (no click) and is loud in between, without clipping.
TEST(Synthesis, FadesInAndOut) {
    const auto samples = synthesize(1976, 200);
    const std::span<const std::int16_t> all(samples);
    const std::size_t edge = 24;  // the first and last half millisecond
    EXPECT_LT(peakOf(all.first(edge)), 500);
    EXPECT_LT(peakOf(all.last(edge)), 500);
    EXPECT_GT(peakOf(all.subspan(all.size() / 2 - 240, 480)), 8000);
    EXPECT_LT(peakOf(all), 32767);
    // The fade is over after about 5 ms.
    EXPECT_GT(peakOf(all.subspan(6 * SamplesPerMs, 240)), 9500);
}

TEST(Synthesis, RestIsSilence) {
    const auto samples = synthesize(0, 64);
    EXPECT_EQ(samples.size(), 3072u);
    EXPECT_EQ(peakOf(samples), 0);
}

}  // namespace
}  // namespace tarnwick
