// What one frame of the terminal shows of the canvas: the regions of the canvas placed on the
// terminal, the scroll that moved the board's window since the last frame, and the size
// notice. The view (view.h) makes it; the renderer sends it.
#pragma once

#include <array>
#include <vector>

#include "console/screen.h"

namespace tarnwick {

// A rectangle of the terminal that shows the canvas from (fromX, fromY) on.
struct ViewRegion {
    int left = 0;
    int top = 0;
    int columns = 0;
    int rows = 0;
    int fromX = 0;
    int fromY = 0;
    bool operator==(const ViewRegion&) const = default;
};

// The terminal rows top..bottom (both included) moved up by `by` rows since the last frame,
// down when `by` is negative; 0 when nothing moved. Only the columns left..right (both
// included) show the board; a terminal with left and right margins scrolls only those.
struct ViewScroll {
    int top = 0;
    int bottom = 0;
    int by = 0;
    int left = 0;
    int right = 0;
    bool operator==(const ViewScroll&) const = default;
};

struct ViewFrame {
    int columns = 0;
    int rows = 0;
    // The terminal shows the canvas's top-left part, cell for cell.
    bool identity = true;
    // Otherwise these regions, blank around them.
    std::array<ViewRegion, 2> regions{};
    int regionCount = 0;
    ViewScroll scroll;
    // When non-zero, the last row holds the notice that names this size.
    int needColumns = 0;
    int needRows = 0;
    bool operator==(const ViewFrame&) const = default;
};

// The plain frame: the canvas's top-left part, with the notice of the drawn extent (or the
// terminal's, where that is larger) when the terminal cannot hold it.
ViewFrame plainFrame(const Screen& screen, int columns, int rows);

// Fills `row` with the cells row y of the terminal shows (without the notice): the regions'
// canvas cells, blanks around them, and a blank in its colours for each half of a wide
// character that the edge of a region cuts off.
void composeViewRow(const Screen& screen, const ViewFrame& frame, int y, std::vector<Cell>& row);

}  // namespace tarnwick
