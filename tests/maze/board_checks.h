// Checks on boards shared by the maze tests: the board as text, flood fills, shortest ways,
// and a console that records every print with the cursor position it was made at.
#pragma once

#include <string>
#include <vector>

#include "console/test_console.h"
#include "game/game_state.h"

namespace tarnwick::testing {

struct BoardCell {
    int x;
    int y;
    bool operator==(const BoardCell&) const = default;
};

// Rows y = 0..n of the grid, each with columns x = 0..n: '#' wall, '.' floor, 'E' entrance,
// 'X' exit, '$' coin, 'M' monster, '?' anything else.
std::vector<std::string> gridRows(const GameState& state, int n);

// The cells reachable from `start` over cells whose code is CellEmpty or CellCoin, within
// 1..n on both axes (the start cell included, whatever it holds).
std::vector<BoardCell> floodFrom(const GameState& state, int n, BoardCell start);

// Cells on a shortest way from `from` to `to` over empty and coin cells, both ends counted;
// 0 when there is none.
int shortestWayCells(const GameState& state, int n, BoardCell from, BoardCell to);

// Open cells of 1..n x 1..n and the pairs of side-neighbouring open cells among them.
struct OpenGraph {
    int cells = 0;
    int links = 0;
};
OpenGraph openGraph(const GameState& state, int n);

// One print: its text and the cursor position at the moment it was made.
struct PrintCall {
    int x;
    int y;
    std::string text;
};

// A test console that also records every cursor move and every print.
class RecordingConsole : public TestConsole {
  public:
    using TestConsole::TestConsole;
    void gotoXY(int x, int y) override;
    void printText(std::string_view text) override;

    std::vector<BoardCell> moves;
    std::vector<PrintCall> prints;

  private:
    int cursorX_ = 0;
    int cursorY_ = 0;
};

}  // namespace tarnwick::testing
