#include "console/view_frame.h"

#include <algorithm>

namespace tarnwick {

ViewFrame plainFrame(const Screen& screen, int columns, int rows) {
    ViewFrame frame;
    frame.columns = columns;
    frame.rows = rows;
    if (screen.usedColumns() > columns || screen.usedRows() > rows) {
        frame.needColumns = std::max(screen.usedColumns(), columns);
        frame.needRows = std::max(screen.usedRows(), rows);
    }
    return frame;
}

void composeViewRow(const Screen& screen, const ViewFrame& frame, int y, std::vector<Cell>& row) {
    row.assign(static_cast<std::size_t>(frame.columns > 0 ? frame.columns : 0), Cell{});
    if (frame.identity) {
        for (int x = 0; x < frame.columns; ++x) {
            row[static_cast<std::size_t>(x)] = screen.cell(x, y);
        }
        return;
    }
    for (int i = 0; i < frame.regionCount; ++i) {
        const ViewRegion& region = frame.regions[static_cast<std::size_t>(i)];
        const int left = std::max(region.left, 0);
        const int end = std::min(region.left + region.columns, frame.columns);
        if (y < region.top || y >= region.top + region.rows || left >= end) {
            continue;
        }
        const int fromY = region.fromY + y - region.top;
        for (int x = left; x < end; ++x) {
            row[static_cast<std::size_t>(x)] = screen.cell(region.fromX + x - region.left, fromY);
        }
        Cell& first = row[static_cast<std::size_t>(left)];
        if (first.width == 0) {
            first = Cell{U' ', 1, first.style};  // its left half lies outside
        }
        Cell& last = row[static_cast<std::size_t>(end - 1)];
        if (last.width == 2) {
            last = Cell{U' ', 1, last.style};  // its right half lies outside
        }
    }
}

}  // namespace tarnwick
