// The About tune's figures: step counts, the histograms of tone and pause lengths, the
// pitches, the silences around it, the repeated theme and the total length.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "console/test_console.h"
#include "game/about_tune.h"

namespace tarnwick {
namespace {

class AboutTune : public ::testing::Test {
  protected:
    void SetUp() override {
        playAboutTune(console);
        steps = console.sounds();
        for (const SoundStep& step : steps) {
            if (step.hz == 0) {
                ++pauseLengths[step.ms];
                pauseMs += step.ms;
            } else {
                ++toneLengths[step.ms];
                toneMs += step.ms;
                pitches.insert(step.hz);
            }
        }
    }

    static int count(const std::map<int, int>& histogram) {
        int total = 0;
        for (const auto& [ms, n] : histogram) {
            total += n;
        }
        return total;
    }

    TestConsole console;
    std::vector<SoundStep> steps;
    std::map<int, int> toneLengths;   // ms -> number of tones
    std::map<int, int> pauseLengths;  // ms -> number of pauses
    std::set<int> pitches;
    int toneMs = 0;
    int pauseMs = 0;
};

TEST_F(AboutTune, HasItsStepsTonesAndPauses) {
    EXPECT_EQ(steps.size(), 312u);
    EXPECT_EQ(count(toneLengths), 170);
    EXPECT_EQ(count(pauseLengths), 142);
}

TEST_F(AboutTune, ToneLengths) {
    const std::map<int, int> expected{{200, 79}, {400, 51}, {600, 16},
                                      {800, 18}, {1200, 4}, {1600, 2}};
    EXPECT_EQ(toneLengths, expected);
}

TEST_F(AboutTune, PauseLengths) {
    const std::map<int, int> expected{{128, 91}, {64, 15}, {20, 14}, {200, 2}, {400, 6},
                                      {328, 4},  {528, 7}, {928, 1}, {1000, 2}};
    EXPECT_EQ(pauseLengths, expected);
}

TEST_F(AboutTune, UsesExactlyItsPitches) {
    const std::set<int> expected{659,  698,  740,  784,  831,  880, 988,
                                 1046, 1175, 1318, 1480, 1568, 1760};
    EXPECT_EQ(pitches, expected);
}

TEST_F(AboutTune, OneSecondOfSilenceBeforeTheFirstToneAndAfterTheLast) {
    ASSERT_EQ(steps.size(), 312u);
    EXPECT_EQ(steps.front(), (SoundStep{0, 1000}));
    EXPECT_NE(steps[1].hz, 0);
    EXPECT_NE(steps[310].hz, 0);
    EXPECT_EQ(steps.back(), (SoundStep{0, 1000}));
}

TEST_F(AboutTune, PlaysSteps5To98AgainAs217To310) {
    ASSERT_EQ(steps.size(), 312u);
    const std::vector<SoundStep> first(steps.begin() + 4, steps.begin() + 98);
    const std::vector<SoundStep> again(steps.begin() + 216, steps.begin() + 310);
    EXPECT_EQ(first, again);
}

TEST_F(AboutTune, LastsOneAndAHalfMinutes) {
    EXPECT_EQ(toneMs, 68200);
    EXPECT_EQ(pauseMs, 23624);
    EXPECT_EQ(console.nowMs(), 91824);
}

}  // namespace
}  // namespace tarnwick
