// A small, strict model of a terminal for the renderer's tests: it interprets the sequences
// the renderer may send and records a fault for anything a real terminal would show wrongly
// (a print past the last column, a print that would wrap, a move off the screen, an unknown
// sequence). It can draw the ambiguous characters █ ▇ ● · — two columns wide, as terminals
// set up for CJK text do.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console/screen.h"
#include "console/terminal_features.h"
#include "console/view_frame.h"

namespace tarnwick::testing {

class StrictTerminal {
  public:
    // A cell whose content differs between terminals (the other half of a wide character
    // that a print cut in two).
    static constexpr char32_t Undefined = U'\uFFFD';

    // A terminal without colours or synchronized output (in `features`) faults on them.
    StrictTerminal(int columns, int rows, bool ambiguousWide = false,
                   const TerminalFeatures& features = {});

    void feed(std::string_view bytes);
    // Faults found so far, one line each; empty when the output was sound.
    const std::string& faults() const { return faults_; }
    const Cell& cell(int x, int y) const {
        return cells_[static_cast<std::size_t>(y) * columns_ + x];
    }
    // Empty when the terminal shows what the screen model holds (cropped to the terminal,
    // and with the size notice on the last row when the drawing does not fit); otherwise
    // the first differences. Drawing ambiguous characters wide, the terminal must show each
    // of them over its padding, or a one-column ASCII stand-in.
    std::string differencesFrom(const Screen& screen) const;
    // The same for what the view's frame shows of the screen.
    std::string differencesFrom(const Screen& screen, const ViewFrame& frame) const;
    // The characters of a row, trailing blanks removed.
    std::string rowText(int y) const;

  private:
    void control(std::string_view params, char final);
    // ESC followed by one byte: IND and RI.
    void escape(char final);
    // Moves the rows of the scrolling region from `from` down by `by` rows (up when
    // negative), between the side margins when they are on; the rows that come in are blank
    // in the pen's background.
    void scrollRows(int from, int by);
    // Edits that act at the cursor: scrolls, line inserts and deletes, erases.
    bool edit(std::string_view params, char final, int count);
    void sgr(std::string_view params);
    void print(char32_t ch);
    void fault(const std::string& what);
    int widthOf(char32_t ch) const;
    // The differences of one cell of a row that should show `want`; `x` skips the cells the
    // comparison has covered.
    std::string compareCell(const std::vector<Cell>& want, int& x, int y) const;
    Cell& at(int x, int y) { return cells_[static_cast<std::size_t>(y) * columns_ + x]; }
    // What erases and scrolls leave: blanks in the pen's background.
    Cell blank() const { return {U' ', 1, {ColourDefault, pen_.bg}}; }

    int columns_;
    int rows_;
    bool ambiguousWide_;
    TerminalFeatures features_;
    std::vector<Cell> cells_;
    int x_ = 0;
    int y_ = 0;
    bool pendingWrap_ = false;
    bool columnKnown_ = true;  // line inserts and deletes leave the column to the terminal
    int marginTop_ = 0;
    int marginBottom_;
    bool sideMarginsOn_ = false;  // DECLRMM: the side margins below hold
    int marginLeft_ = 0;
    int marginRight_;
    Style pen_;
    std::string faults_;
};

}  // namespace tarnwick::testing
