// Assertions on what a test console or terminal shows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "console/test_console.h"

namespace tarnwick::testing {

// Succeeds when the text (colour sequences left out) stands at column x, row y.
::testing::AssertionResult textAt(const Screen& screen, int x, int y, std::string_view text);
::testing::AssertionResult textAt(const TestConsole& console, int x, int y, std::string_view text);
// The text without its escape sequences.
std::string plainText(std::string_view text);
// How often the part stands in the text, without overlaps.
int countOf(std::string_view text, std::string_view part);

}  // namespace tarnwick::testing
