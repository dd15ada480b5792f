// The property of the screen model, the view and the renderer that the fuzz target
// fuzz_render checks on any bytes, and that the normal tests replay on its findings' inputs.
//
// The bytes are a program of steps on a canvas, a view and a renderer, with a strict model of
// the terminal (tests/console/strict_terminal.h) fed what the renderer sends:
//   header   3 bytes: the terminal's columns (1 + b % 120) and rows (1 + b % 48), and
//            whether it draws ambiguous-width characters two columns wide (bit 0) and
//            whether it has left and right margins (bit 1)
//   then steps, each a byte whose value modulo 8 chooses:
//   0 gotoXY   3 bytes: x = (b0 | b1 << 8) % 272 - 8, y = b2 % 112 - 4 (also off the canvas)
//   1 print    a length byte n (0..63 used), then n bytes as they are: text, SGR and other
//              escape sequences, wide, ambiguous and malformed or cut UTF-8
//   2 clear    clearScreen: the canvas blanked and the view back to a text screen
//   3 resize   2 bytes: the new size, as in the header; the renderer starts over
//   4 board    5 bytes: the board area (column b0 % 64, row b1 % 16, b2 % 64 cells across,
//              b3 % 64 down, 1 + b4 % 2 columns a cell)
//   5 focus    3 bytes: the position to keep in sight, as for gotoXY
//   6 width    the terminal now draws ambiguous characters the other way (a new terminal)
//   7 frame    the renderer sends a frame
// Missing bytes read as 0; a last frame follows the steps. The frames end at MaxFrames, or
// once they have shown MaxFrameCells cells in all, so that every input runs in about a
// millisecond.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tarnwick::fuzz {

inline constexpr int MaxFrames = 48;
inline constexpr int MaxFrameCells = 16'384;

// Runs the steps and checks after each frame that the terminal shows exactly what the view
// maps of the canvas (character, width, colours, dim) with no fault (nothing past its size,
// no sequence it would misread), and that a frame is one string with its synchronized-update
// brackets whole: none, or one pair around all of it. Returns what failed, or "".
std::string checkRendering(std::span<const std::uint8_t> data);

}  // namespace tarnwick::fuzz
