#include "board_checks.h"

#include <array>
#include <deque>
#include <map>

namespace tarnwick::testing {

namespace {

bool walkable(int code) {
    return code == CellEmpty || code == CellCoin;
}

constexpr std::array<BoardCell, 4> Sides{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};

// Breadth-first distances in cells from `start`; -1 where unreachable.
std::vector<std::vector<int>> distancesFrom(const GameState& state, int n, BoardCell start) {
    std::vector<std::vector<int>> dist(n + 2, std::vector<int>(n + 2, -1));
    std::deque<BoardCell> queue{start};
    dist[start.x][start.y] = 1;
    while (!queue.empty()) {
        const BoardCell c = queue.front();
        queue.pop_front();
        for (const BoardCell side : Sides) {
            const BoardCell next{c.x + side.x, c.y + side.y};
            if (next.x < 1 || next.x > n || next.y < 1 || next.y > n ||
                dist[next.x][next.y] != -1 || !walkable(state.maze[next.x][next.y])) {
                continue;
            }
            dist[next.x][next.y] = dist[c.x][c.y] + 1;
            queue.push_back(next);
        }
    }
    return dist;
}

}  // namespace

std::vector<std::string> gridRows(const GameState& state, int n) {
    static const std::map<int, char> symbols{{CellEmpty, '.'}, {CellWall, '#'}, {CellEntrance, 'E'},
                                             {CellExit, 'X'},  {CellCoin, '$'}, {CellMonster, 'M'}};
    std::vector<std::string> rows;
    for (int y = 0; y <= n; ++y) {
        std::string row;
        for (int x = 0; x <= n; ++x) {
            const auto it = symbols.find(state.maze[x][y]);
            row += it == symbols.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<BoardCell> floodFrom(const GameState& state, int n, BoardCell start) {
    const auto dist = distancesFrom(state, n, start);
    std::vector<BoardCell> cells;
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            if (dist[x][y] != -1) {
                cells.push_back({x, y});
            }
        }
    }
    return cells;
}

int shortestWayCells(const GameState& state, int n, BoardCell from, BoardCell to) {
    const int d = distancesFrom(state, n, from)[to.x][to.y];
    return d == -1 ? 0 : d;
}

OpenGraph openGraph(const GameState& state, int n) {
    OpenGraph graph;
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            if (!walkable(state.maze[x][y])) {
                continue;
            }
            ++graph.cells;
            graph.links += x < n && walkable(state.maze[x + 1][y]) ? 1 : 0;
            graph.links += y < n && walkable(state.maze[x][y + 1]) ? 1 : 0;
        }
    }
    return graph;
}

void RecordingConsole::gotoXY(int x, int y) {
    cursorX_ = x;
    cursorY_ = y;
    moves.push_back({x, y});
    TestConsole::gotoXY(x, y);
}

void RecordingConsole::printText(std::string_view text) {
    prints.push_back({cursorX_, cursorY_, std::string(text)});
    TestConsole::printText(text);
}

}  // namespace tarnwick::testing
