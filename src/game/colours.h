// The colour sequences of the game's screens and glyphs, and the printing of a screen in one
// colour.
#pragma once

#include <span>
#include <string_view>

#include "console/console.h"
#include "console/screen_lines.h"

namespace tarnwick {

inline constexpr std::string_view ColourRedOnBlack = "\x1b[40;31m";
inline constexpr std::string_view ColourGreenOnBlack = "\x1b[40;32m";
inline constexpr std::string_view ColourBlueOnBlack = "\x1b[40;34m";
inline constexpr std::string_view ColourMagentaOnBlack = "\x1b[40;35m";
// White on cyan, standing out (SGR 7) from its neighbours: on a terminal without colours the
// player is shown in reverse video (console/screen.h).
inline constexpr std::string_view ColourWhiteOnCyanStandout = "\x1b[46;37;7m";
inline constexpr std::string_view ColourBlueOnYellow = "\x1b[43;34m";
inline constexpr std::string_view ColourMagentaOnYellow = "\x1b[43;35m";
inline constexpr std::string_view ColourBlueOnBlue = "\x1b[44;34m";
// Red on the default background: the colours are reset first (green is set and at once
// replaced by red).
inline constexpr std::string_view ColourResetRed = "\x1b[0;32;31m";
inline constexpr std::string_view ColourReset = "\x1b[m";
// Faint text in the current colours (the play screen's key line).
inline constexpr std::string_view ColourDim = "\x1b[2m";

// Prints the lines in the colour: the colour before the first line's text, the reset after the
// last line's. Whatever is printed between them keeps the colour.
void printLinesInColour(Console& console, std::string_view colour,
                        std::span<const ScreenLine> lines);

}  // namespace tarnwick
