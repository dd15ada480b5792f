#include "terminal/console_keys.h"

#include <gtest/gtest.h>

#include "terminal/console_key_cases.h"

namespace tarnwick {
namespace {

TEST(ConsoleKeys, LettersDigitsAndArrowsComeThroughEverySequenceKeyMeansNothing) {
    std::deque<int> keys;
    for (const ConsoleKeyEvent& event : testing::ConsoleKeyCases) {
        addConsoleKeys(event, keys);
    }
    EXPECT_EQ(std::vector<int>(keys.begin(), keys.end()), testing::ConsoleKeysExpected);
    // A key held down for long fills the waiting keys and no more.
    addConsoleKeys({true, 'S', u's', 0, 65535}, keys);
    EXPECT_EQ(keys.size(), KeyQueueBound);
}

}  // namespace
}  // namespace tarnwick
