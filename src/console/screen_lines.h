// A screen is a table of lines, each printed at its own column and row.
#pragma once

#include <span>
#include <string_view>

#include "console/console.h"

namespace tarnwick {

struct ScreenLine {
    int column;
    int row;
    std::string_view text;
};

// Prints each line at its column and row, in the order of the table.
void printLines(Console& console, std::span<const ScreenLine> lines);

}  // namespace tarnwick
