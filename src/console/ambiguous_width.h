// Characters of East Asian ambiguous width that the game draws (█ ▇ ● · — and the arrows).
//
// Most UTF-8 terminals draw them one column wide, and the game pads each to fill its
// two-column board cell ("██", "● "). Terminals set up for CJK text draw them two columns
// wide; there such a character and its padding go out as the one character that covers
// both columns, and a character with no padding beside it is replaced by a narrow stand-in.
#pragma once

#include <vector>

#include "console/screen.h"

namespace tarnwick {

// The one-column ASCII stand-in for an ambiguous character the game draws, or 0 for any
// other character.
char narrowStandIn(char32_t ch);

// Rewrites a row of cells, as the terminal should show them, for a terminal that draws
// ambiguous characters two columns wide: a character followed by its padding (the same
// character or a blank, in the same colours) becomes one two-column cell; one without
// padding becomes its narrow stand-in.
void fitAmbiguousToWide(std::vector<Cell>& row);

}  // namespace tarnwick
