// The arrow keys as the game's movement keys; every other byte as it came.
#include "terminal/arrow_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarnwick {
namespace {

std::vector<int> keysOf(std::string bytes) {
    std::vector<int> keys;
    while (!bytes.empty()) {
        keys.push_back(takeKey(bytes));
    }
    return keys;
}

TEST(ArrowKeys, ArrowsBecomeMovementKeysAndOtherSequencesStayBytes) {
    EXPECT_EQ(keysOf("\x1b[A\x1bOB\x1b[C\x1bOD"), (std::vector<int>{'w', 's', 'd', 'a'}));
    // A lone ESC, ESC before an arrow, a modified arrow, a function key, a lowercase final.
    EXPECT_EQ(keysOf("\x1b\x1b[Ad"), (std::vector<int>{27, 'w', 'd'}));
    EXPECT_EQ(keysOf("\x1b[1;5C"), (std::vector<int>{27, '[', '1', ';', '5', 'C'}));
    EXPECT_EQ(keysOf("\x1bOP\x1b[a\xff"), (std::vector<int>{27, 'O', 'P', 27, '[', 'a', 255}));
    // Only a beginning of an arrow key is worth completing from the waiting input.
    for (const char* part : {"\x1b", "\x1b[", "\x1bO"}) {
        EXPECT_TRUE(arrowKeyIncomplete(part)) << part + 1;
    }
    for (const char* other : {"", "w", "\x1b\x1b",
                              "\x1b"
                              "d",
                              "\x1b[A", "\x1b[1"}) {
        EXPECT_FALSE(arrowKeyIncomplete(other)) << other;
    }
}

}  // namespace
}  // namespace tarnwick
