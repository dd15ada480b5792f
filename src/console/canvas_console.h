// What the consoles that draw have in common: the canvas the game draws on (Screen), the view
// that maps it onto a terminal of columns_ x rows_, and the renderer that makes the frames.
// The test console, the real terminal and the Windows console differ only in where a frame
// goes, where the keys come from and how time passes.
#pragma once

#include <string>
#include <string_view>

#include "console/console.h"
#include "console/renderer.h"
#include "console/screen.h"
#include "console/view.h"

namespace tarnwick {

class CanvasConsole : public Console {
  public:
    void gotoXY(int x, int y) override { screen_.moveTo(x, y); }
    void printText(std::string_view text) override { screen_.print(text); }
    void clearScreen() override {
        screen_.clear();
        view_.showText();
    }
    void showBoard(const BoardArea& area) override { view_.showBoard(area); }
    void keepInSight(int x, int y) override { view_.keepInSight(x, y); }
    int columns() const override { return columns_; }
    BoardWindow shownBoard() const override { return view_.shownBoard(); }

  protected:
    CanvasConsole(int columns, int rows) : columns_(columns), rows_(rows) {}

    // The bytes that bring the terminal to what the view shows of the canvas ("" when they
    // are the same already).
    std::string nextFrame() {
        return renderer_.frame(screen_, view_.frame(screen_, columns_, rows_));
    }
    // The terminal's size changed: the next frame paints it whole.
    void sizeChanged() { renderer_.invalidate(); }

    Screen screen_;
    View view_;
    Renderer renderer_;
    int columns_;
    int rows_;
};

}  // namespace tarnwick
