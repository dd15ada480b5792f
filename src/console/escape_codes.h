// The escape sequences the renderer sends: the cheapest cursor move from where the terminal's
// cursor stands, and the shortest colour change from the pen the terminal holds.
#pragma once

#include <string>
#include <string_view>

#include "console/screen.h"

namespace tarnwick {

// Where the terminal's cursor stands, as far as the renderer knows.
struct CursorState {
    int x = -1;  // -1: unknown
    int y = -1;
    // After a print into the last column the terminal waits to wrap; only a carriage return
    // or an absolute move lands reliably from there.
    bool pendingWrap = false;
    bool known() const { return x >= 0 && y >= 0; }
};

// The shortest sequence that takes the cursor to (x, y). `overwrite` holds the bytes that
// reprint the cells between the cursor and x on its row in the pen's colours (empty when
// that is not possible); reprinting them is one more way to get there.
std::string cheapestMove(const CursorState& from, int x, int y, const std::string* overwrite);

// Sets the scrolling region to the rows top..bottom (from 0); the terminal homes its cursor.
std::string scrollRegion(int top, int bottom);
// Gives the scrolling region back to the whole screen; the terminal homes its cursor.
inline constexpr std::string_view WholeScrollRegion = "\x1b[r";
// Left and right margins (DECLRMM, DECSLRM), on terminals that have them: margins on, then
// the columns left..right (from 0) as the scrolling region's sides (the terminal homes its
// cursor); margins off gives the whole width back.
inline constexpr std::string_view SideMarginsOn = "\x1b[?69h";
std::string sideMargins(int left, int right);
inline constexpr std::string_view SideMarginsOff = "\x1b[?69l";
// Moves the rows of the scrolling region up by `count` rows, or down by -count: line feeds
// (IND) with the cursor on the bottom margin, reverse line feeds (RI) on the top margin.
std::string indexLines(int count);
// Deletes `count` lines at the cursor's row (DL), or inserts -count lines there (IL); the rows
// below it within the scrolling region move up or down.
std::string deleteLines(int count);
// Erases from the cursor to the end of its row, in the current background.
inline constexpr std::string_view EraseRestOfRow = "\x1b[K";

// The shortest SGR sequence that turns the pen `from` into `to` (empty when they match);
// with `fromKnown` false the pen is reset first.
std::string styleChange(Style from, bool fromKnown, Style to);

}  // namespace tarnwick
