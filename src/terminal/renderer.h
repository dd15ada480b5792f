// The renderer: turns the screen model into the fewest bytes that bring the terminal up to
// date, by comparing it with a model of what the terminal already shows.
#pragma once

#include <string>
#include <vector>

#include "terminal/escape_codes.h"
#include "terminal/screen.h"

namespace tarnwick {

class Renderer {
  public:
    // Frames longer than this are wrapped in synchronized output, so that the terminal shows
    // them whole; a shorter frame goes out in one write and the wrapping would only double it.
    static constexpr std::size_t SyncThreshold = 128;

    // The bytes that make a terminal of `columns` x `rows` show the screen's top-left part.
    // Empty when nothing changed. The colours and the cursor are left where the frame ends
    // them; the next frame starts from there.
    std::string frame(const Screen& screen, int columns, int rows);
    // The terminal's content, colours and cursor are unknown (start, resize, return from a
    // suspension): the next frame clears the terminal and paints everything.
    void invalidate() { valid_ = false; }

  private:
    void startOver(std::string& out, int columns, int rows);
    void paintRow(std::string& out, const Screen& screen, int y);
    // The bytes that reprint the unchanged cells from the cursor up to column x of its row,
    // or false when they do not all carry the pen's colours.
    bool reprintBytes(const Screen& screen, int x, std::string& bytes) const;
    void emitCell(std::string& out, const Screen& screen, int x, int y, const Cell& cell);
    Cell& front(int x, int y) { return front_[static_cast<std::size_t>(y) * columns_ + x]; }

    std::vector<Cell> front_;
    int columns_ = 0;
    int rows_ = 0;
    bool valid_ = false;
    Style pen_;
    bool penKnown_ = false;
    CursorState cursor_;
};

}  // namespace tarnwick
