// Walks the auto-walk way of carved 45 x 45 boards on an 80 x 24 terminal, where the board is
// seen through the window that follows the player, and counts the bytes of every step: the
// steps on which the window moved one row up or down (scrolled by the terminal), the mean over
// the whole walk, the worst frame, and the frames per step (each frame is one string of the
// renderer, which the real terminal sends with one write()).
//
// Fails when a one-row move or the mean per step exceeds 400 bytes, or a step takes more
// than one frame.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "console/test_console.h"
#include "play/level.h"
#include "play/tick.h"

namespace {

using tarnwick::TestConsole;

constexpr int Columns = 80;
constexpr int Rows = 24;
constexpr int SizeFactor = 6;
constexpr std::size_t OneRowBudget = 400;
constexpr std::size_t MeanBudget = 400;
constexpr unsigned Seeds[] = {1, 2, 3, 1704067200u};

struct Step {
    std::size_t bytes;
    int cameraX;
    int cameraY;
    int frames;
};

// Takes the frame of each 200 ms step of the walk, with the window's place after it, and
// counts the frames sent while the step waits.
class WalkMeter : public TestConsole {
  public:
    using TestConsole::TestConsole;
    std::vector<Step> steps;
    void sleepMs(int ms) override {
        if (ms != tarnwick::WalkStepMs) {
            TestConsole::sleepMs(ms);
            return;
        }
        const std::string frame = takeOutput();
        TestConsole::sleepMs(ms);
        const int frames = (frame.empty() ? 0 : 1) + (takeOutput().empty() ? 0 : 1);
        steps.push_back({frame.size(), view().cameraX(), view().cameraY(), frames});
    }
};

struct Figures {
    std::size_t firstPaint = 0;
    std::size_t worstOneRow = 0;
    std::size_t oneRowMoves = 0;
    std::size_t oneRowTotal = 0;
    std::size_t total = 0;
    std::size_t worst = 0;
    std::size_t steps = 0;
    int mostFrames = 0;
};

Figures walk(unsigned seed) {
    WalkMeter console(Columns, Rows);
    console.setRandomFallback(seed);
    console.pushKey('x', 3'600'000);  // leaves the victory screen
    tarnwick::Game game(console);
    tarnwick::GameState& state = game.state;
    state.mode = tarnwick::ModeAutoWalk;
    state.sizeFactor = SizeFactor;
    state.mazeWidth = tarnwick::boardSizeFor(SizeFactor);
    state.mazeHeight = state.mazeWidth;
    console.clearScreen();
    tarnwick::setupLevel(game);
    Figures figures;
    figures.firstPaint = console.takeOutput().size();
    tarnwick::gameTick(game);

    int lastX = 0;
    int lastY = 0;
    for (const Step& step : console.steps) {
        if (step.cameraX == lastX && std::abs(step.cameraY - lastY) == 1) {
            figures.worstOneRow = std::max(figures.worstOneRow, step.bytes);
            figures.oneRowTotal += step.bytes;
            ++figures.oneRowMoves;
        }
        figures.total += step.bytes;
        figures.worst = std::max(figures.worst, step.bytes);
        figures.mostFrames = std::max(figures.mostFrames, step.frames);
        lastX = step.cameraX;
        lastY = step.cameraY;
    }
    figures.steps = console.steps.size();
    return figures;
}

}  // namespace

int main() {
    bool ok = true;
    for (const unsigned seed : Seeds) {
        const Figures f = walk(seed);
        const double mean = f.steps > 0 ? static_cast<double>(f.total) / f.steps : 0;
        const double oneRowMean =
            f.oneRowMoves > 0 ? static_cast<double>(f.oneRowTotal) / f.oneRowMoves : 0;
        std::printf(
            "seed %10u: first paint %5zu B; %3zu steps, mean %5.1f B per step, worst frame "
            "%5zu B; %2zu one-row moves, mean %5.1f B, worst %3zu B; frames per step %d\n",
            seed, f.firstPaint, f.steps, mean, f.worst, f.oneRowMoves, oneRowMean, f.worstOneRow,
            f.mostFrames);
        ok = ok && f.oneRowMoves > 0 && f.worstOneRow <= OneRowBudget && mean <= MeanBudget &&
             f.mostFrames == 1;
    }
    std::printf(
        "45 x 45 auto-walk at %d x %d: targets one-row move <= %zu B, mean <= %zu B, "
        "one frame (one write) per step\n",
        Columns, Rows, OneRowBudget, MeanBudget);
    return ok ? 0 : 1;
}
