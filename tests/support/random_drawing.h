// Random drawings for the renderer's tests: writes of pieces of text at random places, now and
// then a cleared screen or a new terminal size.
#pragma once

#include <random>
#include <span>
#include <string_view>

#include "console/screen.h"

namespace tarnwick::testing {

struct DrawingShape {
    int mostWrites;     // writes per step: 1 to this many
    int spanColumns;    // writes start in columns 0 to spanColumns - 1
    int spanRows;       // and in rows 0 to spanRows - 1
    int clearOneIn;     // a step clears the screen with a chance of 1 in this
    int resizeOneIn;    // and resizes the terminal with a chance of 1 in this
    int fewestColumns;  // a new size has fewestColumns to fewestColumns + moreColumns - 1
    int moreColumns;
    int fewestRows;
    int moreRows;
};

class RandomDrawing {
  public:
    RandomDrawing(unsigned seed, std::span<const std::string_view> pieces, DrawingShape shape)
        : random_(seed), pieces_(pieces), shape_(shape) {}

    // Draws one step on the screen. Returns true when the step resizes the terminal; then
    // columns and rows hold the new size.
    bool step(Screen& screen, int& columns, int& rows);

  private:
    int below(int bound) { return static_cast<int>(random_() % static_cast<unsigned>(bound)); }

    std::minstd_rand random_;
    std::span<const std::string_view> pieces_;
    DrawingShape shape_;
};

}  // namespace tarnwick::testing
