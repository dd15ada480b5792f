#include "game/colours.h"

namespace tarnwick {

void printLinesInColour(Console& console, std::string_view colour,
                        std::span<const ScreenLine> lines) {
    console.printText(colour);
    printLines(console, lines);
    console.printText(ColourReset);
}

}  // namespace tarnwick
