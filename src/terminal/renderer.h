// The renderer: turns the screen model into the fewest bytes that bring the terminal up to
// date, by comparing it with what the terminal already shows.
#pragma once

#include <string>
#include <vector>

#include "terminal/screen.h"

namespace tarnwick {

class Renderer {
  public:
    // The bytes that make a terminal of `columns` x `rows` show the screen's top-left part.
    // Empty when nothing changed. Non-empty frames are wrapped in synchronized output.
    std::string frame(const Screen& screen, int columns, int rows);
    // The terminal's content is unknown (start, resize, return from suspend): the next frame
    // clears it and paints everything.
    void invalidate() { valid_ = false; }

  private:
    std::vector<Cell> front_;
    int columns_ = 0;
    int rows_ = 0;
    bool valid_ = false;
};

}  // namespace tarnwick
