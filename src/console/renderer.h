// The renderer: turns the screen model into the fewest bytes that bring the terminal up to
// date, by comparing it with a model of what the terminal already shows.
//
// A terminal too small for the drawing shows what fits, with a notice on its last row that
// names the size needed (size_notice.h). Each cell goes out in the style the terminal can
// show (terminal_features.h). On a terminal that draws ambiguous characters two
// columns wide, those go out as ambiguous_width.h describes.
#pragma once

#include <string>
#include <vector>

#include "console/escape_codes.h"
#include "console/screen.h"
#include "console/terminal_features.h"
#include "console/view_frame.h"

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
    // The same for what the view shows of the screen. A frame other than the plain one
    // first scrolls the rows the view scrolled, and erases the rest of a row where it is to
    // be blank.
    std::string frame(const Screen& screen, const ViewFrame& view);
    // The terminal's content, colours and cursor are unknown (start, resize, return from a
    // suspension): the next frame clears the terminal and paints everything.
    void invalidate() { valid_ = false; }
    // Whether the terminal draws ambiguous characters two columns wide; a change repaints.
    void setAmbiguousWide(bool wide);
    // Whether the terminal has left and right margins (it said so when asked for the mode
    // DECLRMM): then a scroll moves only the board's columns, and the panel beside them stays.
    void setSideMargins(bool has) { sideMargins_ = has; }
    bool ambiguousWide() const { return ambiguousWide_; }
    // What the terminal can show: the styles it is sent, and whether large frames are wrapped
    // in synchronized output. The next frame repaints everything.
    void setFeatures(const TerminalFeatures& features);

  private:
    void startOver(std::string& out, int columns, int rows);
    // Whether row y of the terminal shows what it showed after the last frame: the same view
    // of the same screen, none of its canvas rows changed since, nothing cut in it.
    bool rowUnchanged(const Screen& screen, const ViewFrame& view, int y) const;
    // Fills row_ with the cells row y of the terminal should show.
    void composeRow(const Screen& screen, const ViewFrame& view, int y);
    // Sends what differs in row y; `erase` lets it clear the rest of the row in one sequence.
    void paintRow(std::string& out, int y, bool erase);
    // Moves the rows of the terminal and of the front buffer as the view scrolled them.
    void scroll(std::string& out, const ViewScroll& scroll);
    // From column x on, row y is to be blank: whether erasing the rest of the row is worth
    // it, and doing it.
    bool worthErasing(int x, int y) const;
    void eraseRest(std::string& out, int x, int y);
    // Resets the pen to the default colours (an erase or a scroll fills with its background).
    void resetPen(std::string& out);
    // The bytes that reprint the unchanged cells from the cursor up to column x of its row,
    // or false when they do not all carry the pen's colours.
    bool reprintBytes(int x, std::string& bytes) const;
    void emitCell(std::string& out, int x, int y);
    bool scrollFits(const ViewScroll& scroll) const;
    Cell& front(int x, int y) { return front_[static_cast<std::size_t>(y) * columns_ + x]; }

    std::vector<Cell> front_;
    std::vector<Cell> row_;  // the row being painted, as the terminal should show it
    // Rows where a print or an erase cut a wide character: the next frame mends them.
    std::vector<bool> cutRows_;
    // What the last frame painted: the screen, its change count then, and the view.
    const Screen* lastScreen_ = nullptr;
    std::uint64_t lastChanges_ = 0;
    ViewFrame lastView_;
    bool ambiguousWide_ = false;
    bool sideMargins_ = false;
    TerminalFeatures features_;
    int columns_ = 0;
    int rows_ = 0;
    bool valid_ = false;
    Style pen_;
    bool penKnown_ = false;
    CursorState cursor_;
};

}  // namespace tarnwick
