// The view: maps the canvas the game draws on onto a terminal that may be smaller.
//
// Whenever the terminal holds what was drawn, it shows the canvas cell for cell. Otherwise a
// text screen moves left and up, all of it by the same amount, the least that brings its
// drawing in; the play screen is two regions: the status panel (everything drawn right of
// the board), kept whole at the terminal's right edge, and the board, seen through a window
// that follows the player. Below 80 x 24, or when the drawing cannot be brought in, the
// terminal shows the canvas's top-left part with the notice of the size needed.
//
// The view knows no game: it is told where the board stands (showBoard) and which position
// to keep in sight (keepInSight); clearing the screen makes it a text screen again.
#pragma once

#include <cstdint>

#include "console/console.h"
#include "console/view_frame.h"

namespace tarnwick {

class View {
  public:
    // The smallest window of the board worth playing in, in cells across and down.
    static constexpr int MinWindowAcross = 9;
    static constexpr int MinWindowDown = 5;
    // The player is kept at least this many cells from each edge of the window, where the
    // board allows.
    static constexpr int Margin = 3;
    // Columns between the window and the panel.
    static constexpr int PanelGap = 2;

    // The board stands in the area until the next showText. Declared again with the same area
    // (after the shop, the pause screen, a weapon's redraw, a new form of the panel), the
    // window stays where it was and the panel is measured afresh.
    void showBoard(const BoardArea& area);
    void showText() { board_ = false; }
    // The canvas position to keep in sight (the player's cell).
    void keepInSight(int x, int y);

    // What the next frame shows of the screen on a terminal of columns x rows. Moves the
    // window where the player needs it, and tells how far it scrolled since the last frame.
    ViewFrame frame(const Screen& screen, int columns, int rows);

    // The frame made last.
    const ViewFrame& lastFrame() const { return last_; }
    // Whether the last frame showed the size notice instead of the play screen: a game waits
    // meanwhile, as behind a screen that blocks it.
    bool playHeldBack() const { return heldBack_; }
    // The cells of the board the last frame showed.
    BoardWindow shownBoard() const;
    // The window's first cell on the board, across and down.
    int cameraX() const { return cameraX_; }
    int cameraY() const { return cameraY_; }

  private:
    ViewFrame textFrame(const Screen& screen, int columns, int rows) const;
    ViewFrame playFrame(const Screen& screen, int columns, int rows);
    // Widens the panel's bounding box by what is drawn right of the board now, looking only
    // at the rows changed since it last looked at the same screen.
    void measurePanel(const Screen& screen);
    // The scroll from the last frame to this one: the window moved up or down only.
    ViewScroll scrollSince(const ViewFrame& now) const;

    BoardArea area_;
    bool board_ = false;
    int focusX_ = 0;  // the cell to keep in sight, across and down the board
    int focusY_ = 0;
    int cameraX_ = 0;
    int cameraY_ = 0;
    // The panel's bounding box since the board was declared: it only grows, so that the
    // window does not widen and narrow as the panel's lines change.
    int panelLeft_ = Screen::Columns;
    int panelRight_ = 0;
    int panelBottom_ = 0;
    const Screen* measured_ = nullptr;  // the screen measured last, and its change count then
    std::uint64_t measuredChanges_ = 0;
    ViewFrame last_;
    bool lastWasPlay_ = false;
    bool heldBack_ = false;
};

}  // namespace tarnwick
