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

// Each note operation sounds its own pitch of the scale for 200 ms.
TEST(Notes, ScaleFromLowDoToHighSi) {
    void (*const notes[])(Console&) = {
        noteLowDo,  noteLowRe,  noteLowMi,  noteLowFa,  noteLowSol,  noteLowLa,  noteLowSi,
        noteMidDo,  noteMidRe,  noteMidMi,  noteMidFa,  noteMidSol,  noteMidLa,  noteMidSi,
        noteHighDo, noteHighRe, noteHighMi, noteHighFa, noteHighSol, noteHighLa, noteHighSi};
    const int hz[] = {262, 294, 330, 349,  392,  440,  494,  523,  578,  659, 698,
                      784, 880, 988, 1046, 1175, 1318, 1480, 1568, 1760, 1976};
    TestConsole console;
    for (auto* note : notes) {
        note(console);
    }
    Steps expected;
    for (int pitch : hz) {
        expected.push_back({pitch, 200});
    }
    EXPECT_EQ(console.sounds(), expected);
}

}  // namespace
}  // namespace tarnwick
