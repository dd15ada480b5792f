#include "console/view.h"

#include <algorithm>
#include <cstdlib>

namespace tarnwick {

namespace {

// The size the notice names: one that holds what is needed, never smaller than the terminal.
void askFor(ViewFrame& frame, int needColumns, int needRows) {
    frame.needColumns = std::max(needColumns, frame.columns);
    frame.needRows = std::max(needRows, frame.rows);
}

// The first cell of a window `window` cells long on a board `cells` long. The window moves
// from `camera` only when `focus` would come closer than the margin to one of its ends, and
// never shows past the board's ends. It moves by the least amount, or, when `centre` is set,
// as far as puts the focus in its middle, so that the next moves come later.
int follow(int camera, int focus, int window, int cells, bool centre) {
    if (window <= 0 || window >= cells) {
        return 0;
    }
    const int margin = std::min(View::Margin, (window - 1) / 2);
    const int moved = std::clamp(camera, focus - (window - 1 - margin), focus - margin);
    if (moved != camera && centre) {
        camera = focus - (window - 1) / 2;
    } else {
        camera = moved;
    }
    return std::clamp(camera, 0, cells - window);
}

}  // namespace

void View::showBoard(const BoardArea& area) {
    if (!(area == area_)) {
        area_ = area;
        focusX_ = 0;
        focusY_ = 0;
        cameraX_ = 0;
        cameraY_ = 0;
    }
    panelLeft_ = Screen::Columns;
    panelRight_ = 0;
    panelBottom_ = 0;
    measured_ = nullptr;
    board_ = true;
}

BoardWindow View::shownBoard() const {
    if (!lastWasPlay_) {
        return WholeBoard;
    }
    const ViewRegion& window = last_.regions[0];
    return BoardWindow{cameraX_, cameraY_, window.columns / std::max(area_.cellColumns, 1),
                       window.rows};
}

void View::keepInSight(int x, int y) {
    const int cellColumns = std::max(area_.cellColumns, 1);
    focusX_ = std::clamp((x - area_.column) / cellColumns, 0, std::max(area_.cellsAcross - 1, 0));
    focusY_ = std::clamp(y - area_.row, 0, std::max(area_.cellsDown - 1, 0));
}

ViewFrame View::frame(const Screen& screen, int columns, int rows) {
    ViewFrame now;
    const bool fits = screen.usedColumns() <= columns && screen.usedRows() <= rows;
    if (fits) {
        now = plainFrame(screen, columns, rows);
    } else {
        now = board_ ? playFrame(screen, columns, rows) : textFrame(screen, columns, rows);
    }
    const bool play = board_ && !now.identity;
    if (play && lastWasPlay_) {
        now.scroll = scrollSince(now);
    }
    last_ = now;
    lastWasPlay_ = play;
    heldBack_ = board_ && now.needColumns > 0;
    return now;
}

ViewFrame View::textFrame(const Screen& screen, int columns, int rows) const {
    ViewFrame frame = plainFrame(screen, columns, rows);
    const int needColumns = screen.usedColumns() - screen.firstColumn();
    const int needRows = screen.usedRows() - screen.firstRow();
    if (columns < needColumns || rows < needRows) {
        askFor(frame, needColumns, needRows);
        return frame;
    }
    frame.identity = false;
    frame.needColumns = 0;
    frame.needRows = 0;
    frame.regions[0] = ViewRegion{0,
                                  0,
                                  columns,
                                  rows,
                                  std::max(screen.usedColumns() - columns, 0),
                                  std::max(screen.usedRows() - rows, 0)};
    frame.regionCount = 1;
    return frame;
}

void View::measurePanel(const Screen& screen) {
    const int from = area_.column + area_.cellsAcross * area_.cellColumns;
    const bool everyRow = &screen != measured_;
    for (int y = 0; y < screen.usedRows(); ++y) {
        if (!everyRow && !screen.rowChangedSince(y, measuredChanges_)) {
            continue;  // what it holds is in the box already
        }
        for (int x = from; x < screen.usedColumns(); ++x) {
            const Cell& cell = screen.cell(x, y);
            if (cell.width != 0 && isVisible(cell)) {
                panelLeft_ = std::min(panelLeft_, x);
                panelRight_ = std::max(panelRight_, x + cell.width);
                panelBottom_ = std::max(panelBottom_, y + 1);
            }
        }
    }
    measured_ = &screen;
    measuredChanges_ = screen.changes();
}

ViewFrame View::playFrame(const Screen& screen, int columns, int rows) {
    measurePanel(screen);
    const int cellColumns = std::max(area_.cellColumns, 1);
    const int boardColumns = area_.cellsAcross * cellColumns;
    const int panelWidth = panelRight_ > panelLeft_ ? panelRight_ - panelLeft_ : 0;
    const int panelRoom = panelWidth > 0 ? panelWidth + PanelGap : 0;
    const int minWindowColumns = std::min(MinWindowAcross, area_.cellsAcross) * cellColumns;
    const int minWindowRows = std::min(MinWindowDown, area_.cellsDown);
    ViewFrame frame = plainFrame(screen, columns, rows);
    const int needColumns =
        std::min(screen.usedColumns(), area_.column + minWindowColumns + panelRoom);
    const int needRows =
        std::min(screen.usedRows(), std::max(panelBottom_, area_.row + minWindowRows));
    if (columns < needColumns || rows < needRows) {
        askFor(frame, needColumns, needRows);
        return frame;
    }
    // Across: everything stays where it is when it fits; otherwise the panel moves left as
    // far as it must, and the window takes the whole cells left of it.
    int panelAt = panelLeft_;
    int windowColumns = boardColumns;
    if (screen.usedColumns() > columns) {
        panelAt = panelWidth > 0 ? std::min(panelLeft_, columns - panelWidth) : columns;
        const int room = (panelWidth > 0 ? panelAt - PanelGap : columns) - area_.column;
        windowColumns = std::min(boardColumns, room / cellColumns * cellColumns);
    }
    const int windowRows = std::min(area_.cellsDown, rows - area_.row);
    // Up and down the terminal scrolls the window a row at a time; across, each move repaints
    // the window, so it moves by half a window at once.
    cameraX_ = follow(cameraX_, focusX_, windowColumns / cellColumns, area_.cellsAcross, true);
    cameraY_ = follow(cameraY_, focusY_, windowRows, area_.cellsDown, false);

    frame.identity = false;
    frame.needColumns = 0;
    frame.needRows = 0;
    frame.regions[0] = ViewRegion{area_.column,
                                  area_.row,
                                  windowColumns,
                                  windowRows,
                                  area_.column + cameraX_ * cellColumns,
                                  area_.row + cameraY_};
    frame.regionCount = 1;
    if (panelWidth > 0) {
        frame.regions[1] = ViewRegion{panelAt, 0, columns - panelAt, rows, panelLeft_, 0};
        frame.regionCount = 2;
    }
    return frame;
}

ViewScroll View::scrollSince(const ViewFrame& now) const {
    const ViewRegion& was = last_.regions[0];
    const ViewRegion& is = now.regions[0];
    const int by = is.fromY - was.fromY;
    const bool sameLayout = last_.columns == now.columns && last_.rows == now.rows &&
                            last_.regionCount == now.regionCount &&
                            last_.regions[1] == now.regions[1] && was.left == is.left &&
                            was.top == is.top && was.columns == is.columns && was.rows == is.rows &&
                            was.fromX == is.fromX;
    if (!sameLayout || by == 0 || std::abs(by) >= is.rows) {
        return {};
    }
    return ViewScroll{is.top, is.top + is.rows - 1, by, is.left, is.left + is.columns - 1};
}

}  // namespace tarnwick
