// The notice a terminal too small for the current screen shows on its last row.
//
// It is drawn by the renderer over what the game drew, never into the screen model, so it
// goes away by itself once the terminal is large enough.
#pragma once

#include <string>
#include <vector>

#include "console/screen.h"

namespace tarnwick {

// The notice's text for a drawing that needs `columns` x `rows`.
std::string sizeNoticeText(int columns, int rows);

// The cells of a terminal row `width` columns wide holding the notice, cut at the last
// whole character that fits, the rest blank.
std::vector<Cell> sizeNoticeRow(int neededColumns, int neededRows, int width);

}  // namespace tarnwick
