#include "console/screen_lines.h"

namespace tarnwick {

void printLines(Console& console, std::span<const ScreenLine> lines) {
    for (const ScreenLine& line : lines) {
        console.gotoXY(line.column, line.row);
        console.printText(line.text);
    }
}

}  // namespace tarnwick
