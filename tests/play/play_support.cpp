#include "play_support.h"

#include <array>
#include <deque>

#include "game/cell_class.h"

namespace tarnwick::testing {

namespace {

struct Glyph {
    char symbol;
    int code;
    bool marked;
};

constexpr std::array<Glyph, 8> BoardSymbols{{
    {'#', CellWall, false},
    {'.', CellEmpty, false},
    {'E', CellEntrance, false},
    {'X', CellExit, false},
    {'M', CellMonster, false},
    {'$', CellCoin, false},
    {'+', CellEmpty, true},
    {'m', CellMonster, true},
}};

constexpr int PilotLives = 9;
// A level that takes this many keys has a way the autopilot cannot walk.
constexpr int MaxKeysPerLevel = 20'000;

}  // namespace

void loadBoard(GameState& state, std::initializer_list<std::string_view> rows) {
    state.maze = {};
    state.pathMark = {};
    state.mazeHeight = static_cast<int>(rows.size());
    state.mazeWidth = static_cast<int>(rows.begin()->size());
    int y = 1;
    for (const std::string_view row : rows) {
        for (int x = 1; x <= static_cast<int>(row.size()); ++x) {
            for (const Glyph& glyph : BoardSymbols) {
                if (glyph.symbol == row[x - 1]) {
                    state.maze[x][y] = glyph.code;
                    state.pathMark[x][y] = glyph.marked ? PathMarked : 0;
                }
            }
        }
        ++y;
    }
}

std::vector<std::pair<int, int>> cellsHolding(const GameState& state, int code) {
    std::vector<std::pair<int, int>> cells;
    for (int x = 1; x <= state.mazeWidth; ++x) {
        for (int y = 1; y <= state.mazeHeight; ++y) {
            if (state.maze[x][y] == code) {
                cells.emplace_back(x, y);
            }
        }
    }
    return cells;
}

int countCells(const GameState& state, int code) {
    return static_cast<int>(cellsHolding(state, code).size());
}

std::string cellText(const TestConsole& console, int x, int y) {
    return console.textAt(2 * x - 2, y - 1, 2);
}

int Pilot::nextKey() {
    if (++keysThisLevel_ > MaxKeysPerLevel) {
        throw EndOfInput{};
    }
    // A new level's first key; the victory screen's key comes with the player on the exit.
    const bool onExit = state_->maze[state_->playerX][state_->playerY] == CellExit;
    if (state_->levelsCleared != lastLevelSeen_ && !onExit) {
        lastLevelSeen_ = state_->levelsCleared;
        keysThisLevel_ = 0;
        dist_.clear();
        levelStarts_.push_back({state_->levelsCleared, state_->mazeWidth,
                                countCells(*state_, CellCoin), state_->sizeFactor});
    }
    if (state_->levelsCleared >= levelsToClear_) {
        // Pause, then leave for the main menu (the victory screen takes the first key).
        ++pauseKeysSent_;
        return pauseKeysSent_ == 1 ? 'x' : '0';
    }
    state_->lives = PilotLives;
    return nextStep();
}

namespace {

struct Dir {
    int key;
    int dx;
    int dy;
};
constexpr std::array<Dir, 4> Dirs{{{'d', 1, 0}, {'a', -1, 0}, {'s', 0, 1}, {'w', 0, -1}}};

std::size_t cellIndex(int x, int y) {
    return static_cast<std::size_t>(x * MazeGridSize + y);
}

}  // namespace

// Distances to the exit over cells that are not walls, monsters or above row 2.
void Pilot::mapDistances() {
    const int w = state_->mazeWidth;
    const int h = state_->mazeHeight;
    dist_.assign(static_cast<std::size_t>(MazeGridSize * MazeGridSize), -1);
    std::deque<std::pair<int, int>> queue;
    for (const auto& [x, y] : cellsHolding(*state_, CellExit)) {
        dist_[cellIndex(x, y)] = 0;
        queue.emplace_back(x, y);
    }
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        for (const Dir& d : Dirs) {
            const int nx = x + d.dx;
            const int ny = y + d.dy;
            if (nx < 1 || ny < 2 || nx > w || ny > h || dist_[cellIndex(nx, ny)] >= 0) {
                continue;
            }
            const int cls = classifyCell(*state_, nx, ny);
            if (cls == ClassWall || cls == ClassMonster) {
                continue;
            }
            dist_[cellIndex(nx, ny)] = dist_[cellIndex(x, y)] + 1;
            queue.emplace_back(nx, ny);
        }
    }
}

// The step from the player's cell to a neighbour one closer to the exit, if it is free of
// monsters; 0 when there is none.
int Pilot::stepOnMap() const {
    const int here = dist_[cellIndex(state_->playerX, state_->playerY)];
    for (const Dir& d : Dirs) {
        const int nx = state_->playerX + d.dx;
        const int ny = state_->playerY + d.dy;
        if (here > 0 && nx >= 1 && ny >= 1 && dist_[cellIndex(nx, ny)] == here - 1 &&
            classifyCell(*state_, nx, ny) != ClassMonster) {
            return d.key;
        }
    }
    return 0;
}

// The next step of a shortest walk to the exit; 'x' (no move) while monsters block every way.
// The map of distances is made again only when it no longer gives a step.
int Pilot::nextStep() {
    if (dist_.empty() || stepOnMap() == 0) {
        mapDistances();
    }
    const int key = stepOnMap();
    return key != 0 ? key : 'x';
}

}  // namespace tarnwick::testing
