// Fires the gun down a long straight corridor of a carved 45 x 45 board and counts the bytes
// the renderer sends for each step of the bullet (a full redraw of the board plus the dot).
// Fails when a step costs more than 60 bytes.

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

#include "console/test_console.h"
#include "maze/carved_maze.h"
#include "play/board_view.h"
#include "play/weapons.h"

namespace {

using tarnwick::TestConsole;

constexpr int SizeFactor = 6;
constexpr int StepBudgetBytes = 60;
constexpr int BulletStepMs = 60;
constexpr unsigned Seed = 20240101;

// Takes the renderer's bytes at each of the bullet's 60 ms steps: the frame is flushed when
// the game blocks, so the bytes sent since the last step are those of one step.
class StepMeter : public TestConsole {
  public:
    using TestConsole::TestConsole;
    std::vector<std::size_t> stepBytes;
    void sleepMs(int ms) override {
        TestConsole::sleepMs(ms);
        if (ms == BulletStepMs) {
            stepBytes.push_back(takeOutput().size());
        }
    }
};

}  // namespace

int main() {
    StepMeter console(200, 60);
    console.setRandomFallback(Seed);
    tarnwick::Game game(console);
    tarnwick::GameState& state = game.state;
    state.sizeFactor = SizeFactor;
    state.mazeWidth = tarnwick::boardSizeFor(SizeFactor);
    state.mazeHeight = state.mazeWidth;
    tarnwick::buildCarvedMaze(game);

    // A straight corridor along row 2, from the start cell to the frame on the right.
    for (int x = 2; x < state.mazeWidth; ++x) {
        state.maze[x][2] = tarnwick::CellEmpty;
    }
    state.playerX = 2;
    state.playerY = 2;
    state.facing = 'd';
    tarnwick::redrawBoard(game);
    const std::size_t firstPaint = console.takeOutput().size();

    tarnwick::fireGun(game);
    const std::size_t lastRedraw = console.takeOutput().size();

    const std::vector<std::size_t>& steps = console.stepBytes;
    if (steps.empty()) {
        std::printf("fire_gun: the bullet never flew\n");
        return 1;
    }
    const std::size_t worst = *std::max_element(steps.begin(), steps.end());
    const std::size_t total = std::accumulate(steps.begin(), steps.end(), std::size_t{0});
    std::printf("board %d x %d, first paint %zu bytes\n", state.mazeWidth, state.mazeHeight,
                firstPaint);
    std::printf(
        "bullet steps: %zu, bytes per step: first %zu, mean %.1f, worst %zu (target <= %d)\n",
        steps.size(), steps.front(), static_cast<double>(total) / steps.size(), worst,
        StepBudgetBytes);
    std::printf("closing redraw (bullet erased): %zu bytes\n", lastRedraw);
    if (worst > StepBudgetBytes) {
        std::printf("FAIL: a bullet step exceeds %d bytes\n", StepBudgetBytes);
        return 1;
    }
    return 0;
}
