// The decoder that turns a fuzz input into a script for the test console.
#include "fuzz/fuzz_input.h"

#include <gtest/gtest.h>

#include "support/program_run.h"
#include "support/screen_assert.h"

namespace tarnwick::fuzz {
namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (const int v : values) {
        out.push_back(static_cast<std::uint8_t>(v));
    }
    return out;
}

TEST(FuzzInput, HeaderGivesTheSizeTheSeedAndTheFlags) {
    // 1 + 159 + 64 columns, 1 + 0x3B rows; seed 0x1234; ambiguous characters wide, frames at
    // every wait.
    auto script = decodeFuzzInput(bytes({159, 0x77, 0x34, 0x12, 0x03}));
    EXPECT_EQ(script.columns, 224);
    EXPECT_EQ(script.rows, 60);
    EXPECT_EQ(script.seed, 0x1234u);
    EXPECT_TRUE(script.ambiguousWide);
    EXPECT_EQ(script.frames, TestConsole::Frames::AtEveryWait);
    EXPECT_TRUE(script.keys.empty());
    script = decodeFuzzInput(bytes({0, 0, 0, 0, 0x00}));
    EXPECT_FALSE(script.ambiguousWide);
    EXPECT_EQ(script.frames, TestConsole::Frames::None);
    EXPECT_EQ(decodeFuzzInput(bytes({0, 0, 0, 0, 0x04})).frames, TestConsole::Frames::AtKeyReads);
    // The extremes, and a header cut short: the missing bytes count as 0.
    script = decodeFuzzInput(bytes({255, 255}));
    EXPECT_EQ(script.columns, 320);
    EXPECT_EQ(script.rows, 128);
    EXPECT_FALSE(script.ambiguousWide);
    script = decodeFuzzInput({});
    EXPECT_EQ(script.columns, 1);
    EXPECT_EQ(script.rows, 1);
    EXPECT_EQ(script.seed, 0u);
}

TEST(FuzzInput, RecordsScriptKeysTimesRandomsAndResizes) {
    // clang-format off
    const auto script = decodeFuzzInput(bytes({
        79, 0, 0, 0, 0,                     // header
        '1', 'd',                           // two keys at 0 ms
        OpWait, 30,                         // 300 ms later
        's', OpKey, OpWait,                 // a key, and the byte F0 as a key
        OpSmallRandom, 7,                   // random values, in order
        OpRandom, 0xFF, 0xFF, 0xFF, 0xFF,   // the sign bit is dropped
        OpResize, 29, 0x14,                 // 30 x 11 at 300 ms
        OpWait, 255, 'w',                   // 2550 ms later
        OpRandom, 1, 2, 3,                  // cut short: dropped
    }));
    // clang-format on
    const std::vector<FuzzKey> keys{{'1', 0}, {'d', 0}, {'s', 300}, {OpWait, 300}, {'w', 2850}};
    EXPECT_EQ(script.keys, keys);
    EXPECT_EQ(script.randoms, (std::vector<int>{7, 0x7FFF'FFFF}));
    EXPECT_EQ(script.resizes, (std::vector<FuzzResize>{{30, 11, 300}}));
}

TEST(FuzzInput, TimeStopsGrowingAtTheLimit) {
    std::vector<std::uint8_t> data(5, 0);
    for (int i = 0; i < 60; ++i) {  // 60 waits of 2.55 s would reach 153 s
        data.insert(data.end(), {OpWait, 255});
    }
    data.push_back('x');
    EXPECT_EQ(decodeFuzzInput(data).keys.back().dueMs, MaxScriptMs);
}

TEST(FuzzInput, LoadedScriptRunsTheProgramToItsEnd) {
    // The help screen at 100 x 30, resized to 160 x 60 while it waits for its key.
    const auto script = decodeFuzzInput(
        bytes({99,  58,     5,   0,      0,   '3',    OpWait, 100,    OpResize, 159, 0x76,
               'x', OpWait, 250, OpWait, 250, OpWait, 250,    OpWait, 250,      '0'}));
    TestConsole console(script.columns, script.rows);
    loadScript(script, console);
    const auto run = testing::runProgram(console);
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.screensAtKeyReads.size(), 3u);  // menu, help, menu
    EXPECT_TRUE(testing::textAt(run.screensAtKeyReads[1], 40, 18,
                                "用尽快的方式躲避怪兽！走出迷宫！加油！胜利属于你！"));
    EXPECT_EQ(console.columns(), 160);
    EXPECT_EQ(console.rows(), 60);
    EXPECT_EQ(console.nowMs(), 11000);
    EXPECT_EQ(console.keysLeft(), 0u);
}

TEST(FuzzInput, InputEndsAfterTheIdleLimitOrAtTheTimeLimit) {
    // A game with no keys after its start: the test console ends the input once the game has
    // idled for the limit, and the program ends with status 0.
    TestConsole idle(160, 60);
    loadScript(decodeFuzzInput(bytes({159, 0x76, 1, 0, 0, '1'})), idle);
    EXPECT_EQ(testing::runProgram(idle).status, 0);
    EXPECT_GT(idle.nowMs(), IdleLimitMs);
    EXPECT_LT(idle.nowMs(), IdleLimitMs + 1000);

    // Two About screens with all their keys at once: the tunes take the clock past the time
    // limit in the second, and the input ends there.
    TestConsole about(160, 60);
    loadScript(decodeFuzzInput(bytes({159, 0x76, 1, 0, 0, '4', 'x', '4', 'x', '0'})), about);
    EXPECT_EQ(testing::runProgram(about).status, 0);
    EXPECT_EQ(about.keysLeft(), 2u);
    EXPECT_LE(about.nowMs(), TimeLimitMs + 1000);
}

}  // namespace
}  // namespace tarnwick::fuzz
