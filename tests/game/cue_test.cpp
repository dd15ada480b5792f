// The cues and the victory tune, step by step, as the test console records them.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "console/test_console.h"
#include "game/cues.h"

namespace tarnwick {
namespace {

using Steps = std::vector<SoundStep>;

Steps played(void (*sound)(Console&)) {
    TestConsole console;
    sound(console);
    return console.sounds();
}

int lengthOf(const Steps& steps) {
    return std::accumulate(steps.begin(), steps.end(), 0,
                           [](int sum, const SoundStep& step) { return sum + step.ms; });
}

TEST(Cues, EachPlaysItsNotesWithNoPause) {
    EXPECT_EQ(played(coinCue), (Steps{{1760, 200}, {1760, 200}, {1760, 200}}));
    EXPECT_EQ(played(lifeLostCue), (Steps{{392, 200}, {392, 200}, {262, 200}}));
    EXPECT_EQ(played(defeatCue),
              (Steps{{659, 200}, {659, 200}, {578, 200}, {578, 200}, {392, 200}}));
}

TEST(Cues, HoldTheGameForTheirLength) {
    struct Case {
        void (*sound)(Console&);
        int ms;
    };
    for (const Case& c : {Case{coinCue, 600}, Case{lifeLostCue, 600}, Case{defeatCue, 1000},
                          Case{playVictoryTune, 3300}}) {
        TestConsole console;
        c.sound(console);
        EXPECT_EQ(console.nowMs(), c.ms);
        EXPECT_EQ(lengthOf(console.sounds()), c.ms);
    }
}

TEST(VictoryTune, TwoPhrasesAroundOneBreath) {
    const Steps steps = played(playVictoryTune);
    const Steps expected{{523, 200}, {523, 200}, {784, 200}, {784, 200}, {880, 200},
                         {880, 200}, {784, 200}, {0, 500},   {698, 200}, {698, 200},
                         {659, 200}, {659, 200}, {578, 200}, {578, 200}, {523, 200}};
    EXPECT_EQ(steps, expected);
    const auto rests = std::count_if(steps.begin(), steps.end(),
                                     [](const SoundStep& step) { return step.hz == 0; });
    EXPECT_EQ(rests, 1);
}

}  // namespace
}  // namespace tarnwick
