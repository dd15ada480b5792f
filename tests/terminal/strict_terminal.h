// A small, strict model of a terminal for the renderer's tests: it interprets the sequences
// the renderer may send and records a fault for anything a real terminal would show wrongly
// (a print past the last column, a print that would wrap, a move off the screen, an unknown
// sequence).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "terminal/screen.h"

namespace tarnwick::testing {

class StrictTerminal {
  public:
    // A cell whose content differs between terminals (the other half of a wide character
    // that a print cut in two).
    static constexpr char32_t Undefined = U'\uFFFD';

    StrictTerminal(int columns, int rows);

    void feed(std::string_view bytes);
    // Faults found so far, one line each; empty when the output was sound.
    const std::string& faults() const { return faults_; }
    const Cell& cell(int x, int y) const {
        return cells_[static_cast<std::size_t>(y) * columns_ + x];
    }
    // Empty when the terminal shows what the screen model holds (cropped to the terminal);
    // otherwise the first differing cells.
    std::string differencesFrom(const Screen& screen) const;

  private:
    void control(std::string_view params, char final);
    void sgr(std::string_view params);
    void print(char32_t ch);
    void fault(const std::string& what);
    Cell& at(int x, int y) { return cells_[static_cast<std::size_t>(y) * columns_ + x]; }

    int columns_;
    int rows_;
    std::vector<Cell> cells_;
    int x_ = 0;
    int y_ = 0;
    bool pendingWrap_ = false;
    Style pen_;
    std::string faults_;
};

}  // namespace tarnwick::testing
