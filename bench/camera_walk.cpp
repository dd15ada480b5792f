// Walks the auto-walk way of carved 45 x 45 boards on an 80 x 24 terminal, where the board is
// seen through the window that follows the player, and counts the bytes of every step: the
// steps on which the window moved one row up or down (scrolled by the terminal), the mean over
// the whole walk, the worst frame, and the write() calls per step (each frame is one string of
// the renderer, written as the real terminal writes it). Every frame is written into a
// pseudo-terminal set up as the game sets up its terminal, and the bytes that come out of it
// are counted too: what reaches the terminal, after the line discipline. Each walk is
// measured twice: on a terminal without left and right margins, where a scroll moves the
// panel too and the panel is written again, and on one that has them.
//
// Fails when a one-row move exceeds 330 bytes on the wire without side margins (the mean
// before the panel kept to its narrow form and the moves learnt backspace and VPA) or 250
// bytes with them, the mean per step exceeds 400 bytes, or a step takes more than one
// write().

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "console/test_console.h"
#include "play/level.h"
#include "play/tick.h"
#include "terminal/terminal_modes.h"

namespace {

using tarnwick::TestConsole;

constexpr int Columns = 80;
constexpr int Rows = 24;
constexpr int SizeFactor = 6;
constexpr double OneRowBudget = 330;
constexpr double OneRowBudgetWithSides = 250;
constexpr double MeanBudget = 400;
constexpr unsigned Seeds[] = {1, 2, 3, 1704067200u};

// A pseudo-terminal in the game's modes: frames go in on the terminal's side and are read
// back on the other, as the terminal would receive them.
class Wire {
  public:
    Wire() {
        if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) == 0) {
            tarnwick::enterTerminal(slave_, slave_, tarnwick::TerminalFeatures{});
            drain();  // the sequences of entering
        }
    }
    ~Wire() {
        tarnwick::leaveTerminal();
        ::close(slave_);
        ::close(master_);
    }
    bool open() const { return master_ >= 0; }
    // Writes the frame as the game does; the write() calls made and the bytes that came out.
    std::pair<int, std::size_t> send(std::string_view frame) {
        int writes = 0;
        while (!frame.empty()) {
            const ssize_t count = ::write(slave_, frame.data(), frame.size());
            ++writes;
            if (count <= 0) {
                break;
            }
            frame.remove_prefix(static_cast<std::size_t>(count));
        }
        return {writes, drain()};
    }

  private:
    std::size_t drain() {
        std::size_t total = 0;
        char buffer[4096];
        pollfd fd{master_, POLLIN, 0};
        while (::poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN) != 0) {
            const ssize_t got = ::read(master_, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            total += static_cast<std::size_t>(got);
        }
        return total;
    }
    int master_ = -1;
    int slave_ = -1;
};

struct Step {
    std::size_t bytes;
    std::size_t wire;
    int cameraX;
    int cameraY;
    int writes;
};

// Takes the frame of each 200 ms step of the walk, with the window's place after it, and
// sends it through the wire; a second frame sent while the step waits counts as more writes.
class WalkMeter : public TestConsole {
  public:
    WalkMeter(int columns, int rows, Wire& wire) : TestConsole(columns, rows), wire_(wire) {}
    std::vector<Step> steps;
    void sleepMs(int ms) override {
        if (ms != tarnwick::WalkStepMs) {
            TestConsole::sleepMs(ms);
            return;
        }
        const std::string frame = takeOutput();
        TestConsole::sleepMs(ms);
        const std::string more = takeOutput();
        const auto [writes, wire] = wire_.send(frame);
        const auto [moreWrites, moreWire] = wire_.send(more);
        steps.push_back({frame.size() + more.size(), wire + moreWire, view().cameraX(),
                         view().cameraY(), writes + moreWrites});
    }

  private:
    Wire& wire_;
};

struct Figures {
    std::size_t firstPaint = 0;
    std::size_t worstOneRow = 0;
    std::size_t oneRowMoves = 0;
    std::size_t oneRowTotal = 0;
    std::size_t oneRowWire = 0;
    std::size_t total = 0;
    std::size_t wire = 0;
    std::size_t worst = 0;
    std::size_t steps = 0;
    int mostWrites = 0;
};

Figures walk(unsigned seed, Wire& wire, bool sideMargins) {
    WalkMeter console(Columns, Rows, wire);
    console.setSideMargins(sideMargins);
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
    const std::string first = console.takeOutput();
    figures.firstPaint = first.size();
    wire.send(first);
    tarnwick::gameTick(game);

    int lastX = 0;
    int lastY = 0;
    for (const Step& step : console.steps) {
        if (step.cameraX == lastX && std::abs(step.cameraY - lastY) == 1) {
            figures.worstOneRow = std::max(figures.worstOneRow, step.bytes);
            figures.oneRowTotal += step.bytes;
            figures.oneRowWire += step.wire;
            ++figures.oneRowMoves;
        }
        figures.total += step.bytes;
        figures.wire += step.wire;
        figures.worst = std::max(figures.worst, step.bytes);
        figures.mostWrites = std::max(figures.mostWrites, step.writes);
        lastX = step.cameraX;
        lastY = step.cameraY;
    }
    figures.steps = console.steps.size();
    return figures;
}

double mean(std::size_t total, std::size_t count) {
    return count > 0 ? static_cast<double>(total) / static_cast<double>(count) : 0;
}

}  // namespace

int main() {
    Wire wire;
    if (!wire.open()) {
        std::printf("no pseudo-terminal: nothing measured\n");
        return 0;
    }
    bool ok = true;
    for (const bool sides : {false, true}) {
        std::printf("%s left and right margins:\n", sides ? "With" : "Without");
        for (const unsigned seed : Seeds) {
            const Figures f = walk(seed, wire, sides);
            const double oneRow = mean(f.oneRowWire, f.oneRowMoves);
            const double perStep = mean(f.wire, f.steps);
            std::printf(
                "seed %10u: first paint %5zu B; %3zu steps, mean %5.1f B per step (%5.1f B on the "
                "wire), worst frame %5zu B; %2zu one-row moves, mean %5.1f B (%5.1f B on the "
                "wire), "
                "worst %3zu B; write() calls per step at most %d\n",
                seed, f.firstPaint, f.steps, mean(f.total, f.steps), perStep, f.worst,
                f.oneRowMoves, mean(f.oneRowTotal, f.oneRowMoves), oneRow, f.worstOneRow,
                f.mostWrites);
            ok = ok && f.oneRowMoves > 0 &&
                 oneRow <= (sides ? OneRowBudgetWithSides : OneRowBudget) &&
                 perStep <= MeanBudget && f.mostWrites == 1;
        }
    }
    std::printf(
        "45 x 45 auto-walk at %d x %d: targets one-row move <= %.0f B without left and right "
        "margins, <= %.0f B with them, mean <= %.0f B, all on the wire; one write() per step\n",
        Columns, Rows, OneRowBudget, OneRowBudgetWithSides, MeanBudget);
    return ok ? 0 : 1;
}
