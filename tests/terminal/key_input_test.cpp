// The keys of the real terminal as the game takes them, from bytes that come at given times:
// the escape delay, the answers to the width probe, and the bound of the queue. (The sequences
// themselves are the end-to-end tests' and the fuzz target's.)
#include "terminal/key_input.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tarnwick {
namespace {

KeyInput::Clock::time_point at(int ms) {
    return KeyInput::Clock::time_point{} + std::chrono::milliseconds(ms);
}

// The keys taken after the bytes came at their times (ms), then the end of input.
std::vector<int> keysOf(KeyInput& input, const std::vector<std::pair<int, std::string>>& bytes) {
    for (const auto& [ms, text] : bytes) {
        input.receive(text, at(ms));
    }
    input.end();
    std::vector<int> keys;
    while (const auto key = input.takeKey(at(100000))) {
        keys.push_back(*key);
    }
    return keys;
}

TEST(KeyInput, ASequenceWaitsForItsRestOnlyForTheEscapeDelay) {
    constexpr int Esc = SequenceKey;
    struct Case {
        std::vector<std::pair<int, std::string>> bytes;
        std::vector<int> keys;
    };
    for (const Case& c : {
             Case{{{0, "\x1b[1"}, {20, ";5"}, {40, "A1"}}, {'w', '1'}},  // cut by short pauses
             Case{{{0, "\x1b[1"}, {60, "5~2"}}, {Esc, '5', '~', '2'}},   // a pause too long
             Case{{{0, "\x1b"}, {60, "3"}}, {Esc, '3'}},                 // a lone ESC, then 3
             Case{{{0, "\x1b"}}, {Esc}},                                 // at the end of input
             Case{{{0, "\x1b]" + std::string(LongestSequence - 2, '7') + "4"}}, {Esc, '4'}},
         }) {
        KeyInput input;
        EXPECT_EQ(keysOf(input, c.bytes), c.keys) << testing::PrintToString(c.bytes);
    }
    // A key is there only once the delay has passed.
    KeyInput input;
    input.receive("\x1bO", at(0));
    EXPECT_FALSE(input.keyWaiting(at(49)));
    EXPECT_EQ(input.sequenceDeadline(), at(50));
    EXPECT_EQ(input.takeKey(at(50)), Esc);
}

TEST(KeyInput, TheProbesAnswersAreTakenOnceWhileAwaited) {
    // The answer about the margins (here in pieces) comes before the cursor report; after it,
    // or after the window, either is a key without a meaning.
    KeyInput input;
    input.awaitAnswer(at(3200));
    input.receive("1\x1b[?6", at(2990));
    input.receive("9;2$y\x1b[12;3R\x1b[12;2R\x1b[?69;2$y", at(3000));
    EXPECT_EQ(input.takeMarginsAnswer(), true);
    EXPECT_EQ(input.takeAnswer(), AmbiguousWidth::Wide);
    EXPECT_EQ(input.takeAnswer(), std::nullopt);
    EXPECT_EQ(keysOf(input, {{3300, "\x1b[1;2R"}}),
              (std::vector<int>{'1', SequenceKey, SequenceKey, SequenceKey}));
    EXPECT_EQ(input.takeAnswer(), std::nullopt);
    EXPECT_EQ(input.takeMarginsAnswer(), std::nullopt);
    // A terminal that does not know the mode answers 0: no margins.
    KeyInput unknown;
    unknown.awaitAnswer(at(3200));
    unknown.receive("\x1b[?69;0$y", at(10));
    EXPECT_EQ(unknown.takeMarginsAnswer(), false);
    KeyInput late;
    late.awaitAnswer(at(3200));
    EXPECT_EQ(keysOf(late, {{3300, "\x1b[?69;1$y"}}), std::vector<int>{SequenceKey});
    EXPECT_EQ(late.takeMarginsAnswer(), std::nullopt);
}

TEST(KeyInput, AFullQueueDropsTheNewestKeys) {
    KeyInput input(3);
    input.receive("12\x1b[A45", at(0));
    EXPECT_TRUE(input.full());
    EXPECT_EQ(input.takeKey(at(0)), '1');
    EXPECT_EQ(keysOf(input, {{10, "67"}}), (std::vector<int>{'2', 'w', '6'}));
    EXPECT_TRUE(input.ended());
}

}  // namespace
}  // namespace tarnwick
