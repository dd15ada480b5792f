#include "play/exit_hint.h"

#include <array>
#include <string_view>

#include "game/board_geometry.h"
#include "game/colours.h"
#include "play/board_view.h"

namespace tarnwick {

namespace {

// After the mode's line ("当前模式为： " and a name of four characters, 21 columns), so that
// the rows the panel reprints when the window scrolls stay as many.
constexpr int HintRow = 9;
constexpr int HintColumn = 23;
constexpr std::string_view HintWord = "出口 ";
// The arrow toward the exit by where it lies: above, beside or below the part shown (by
// threes), left of, across or right of it; none while it is shown. Each is padded to two
// columns.
constexpr std::array<std::string_view, 9> Arrows{
    "↖ ", "↑ ", "↗ ", "← ", "", "→ ", "↙ ", "↓ ", "↘ ",
};
// As wide as a hint.
constexpr std::string_view NoHint = "       ";

// 0 before the part shown, 1 within it, 2 after it.
int side(int cell, int first, int count) {
    return cell < first ? 0 : (cell - first < count ? 1 : 2);
}

// Whether the exit is on the board, at game.exitX and game.exitY. It stays where it is for a
// level, so the board is searched once a level, not at every tick.
bool findExit(Game& game) {
    const GameState& state = game.state;
    if (onBoard(state, game.exitX, game.exitY) && state.maze[game.exitX][game.exitY] == CellExit) {
        return true;
    }
    for (int y = 1; y <= boardHeight(state); ++y) {
        for (int x = 1; x <= boardWidth(state); ++x) {
            if (state.maze[x][y] == CellExit) {
                game.exitX = x;
                game.exitY = y;
                return true;
            }
        }
    }
    return false;
}

std::string_view arrowToExit(Game& game) {
    if (!findExit(game)) {
        return {};
    }
    const BoardWindow shown = game.console.shownBoard();
    const int across = side(game.exitX - 1, shown.x, shown.across);
    const int down = side(game.exitY - 1, shown.y, shown.down);
    return Arrows[static_cast<std::size_t>(down * 3 + across)];
}

}  // namespace

void drawExitHint(Game& game) {
    const std::string_view arrow = arrowToExit(game);
    if (arrow == game.exitHint) {
        return;
    }
    game.exitHint = arrow;
    Console& console = game.console;
    console.gotoXY(panelColumn(game.state) + HintColumn, HintRow);
    console.printText(ColourReset);
    if (arrow.empty()) {
        console.printText(NoHint);
        return;
    }
    console.printText(HintWord);
    console.printText(arrow);
}

}  // namespace tarnwick
