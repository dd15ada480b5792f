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

inline void printLines(Console& console, std::span<const ScreenLine> lines) {
    for (const ScreenLine& line : lines) {
        console.gotoXY(line.column, line.row);
        console.printText(line.text);
    }
}

}  // namespace tarnwick
