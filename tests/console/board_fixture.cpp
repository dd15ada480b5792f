#include "board_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <utility>

#include "game/glyphs.h"

namespace tarnwick::testing {

namespace {

void carve(BoardFixture& board, std::minstd_rand& random) {
    const int n = board.size;
    std::vector<std::pair<int, int>> stack{{2, 2}};
    board.cells[2][2] = 0;
    constexpr std::array<std::pair<int, int>, 4> Steps{{{0, 1}, {1, 0}, {0, -1}, {-1, 0}}};
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        std::vector<std::pair<int, int>> open;
        for (const auto& [dx, dy] : Steps) {
            const int nx = x + 2 * dx;
            const int ny = y + 2 * dy;
            if (nx >= 2 && ny >= 2 && nx <= n - 1 && ny <= n - 1 && board.cells[nx][ny] == 1) {
                open.push_back({dx, dy});
            }
        }
        if (open.empty()) {
            stack.pop_back();
            continue;
        }
        const auto [dx, dy] = open[random() % open.size()];
        board.cells[x + dx][y + dy] = 0;
        board.cells[x + 2 * dx][y + 2 * dy] = 0;
        stack.push_back({x + 2 * dx, y + 2 * dy});
    }
}

void place(BoardFixture& board, std::minstd_rand& random, int count, int on, int code) {
    while (count > 0) {
        const int x = 2 + static_cast<int>(random() % (board.size - 2));
        const int y = 2 + static_cast<int>(random() % (board.size - 2));
        if (board.cells[x][y] == on && !(x == 2 && y == 2)) {
            board.cells[x][y] = code;
            --count;
        }
    }
}

std::string_view glyphFor(int code) {
    switch (code) {
        case 0:
            return GlyphEmpty;
        case 1:
            return GlyphWall;
        case 2:
            return GlyphEntrance;
        case 3:
            return GlyphExit;
        case 5:
            return GlyphMonster;
        case 6:
            return GlyphCoin;
        default:
            return {};
    }
}

}  // namespace

BoardFixture carveBoard(int size, unsigned seed, int monsters, int coins) {
    BoardFixture board;
    board.size = size;
    board.cells.assign(static_cast<std::size_t>(size) + 1,
                       std::vector<int>(static_cast<std::size_t>(size) + 1, 1));
    std::minstd_rand random(seed);
    carve(board, random);
    board.cells[2][1] = 2;
    board.cells[size][size - 1] = 3;
    place(board, random, monsters, 1, 5);
    place(board, random, coins, 0, 6);
    return board;
}

void drawBoard(Screen& screen, const BoardFixture& board) {
    screen.clear();
    for (int y = 1; y <= board.size; ++y) {
        for (int x = 1; x <= board.size; ++x) {
            screen.moveTo(2 * x - 2, y - 1);
            screen.print(glyphFor(board.cells[x][y]));
        }
    }
    screen.moveTo(2 * board.playerX - 2, board.playerY - 1);
    screen.print(GlyphPlayer);
    const int panel = 2 * board.size + 8;
    screen.moveTo(panel, 3);
    screen.print("剩余时间为： 254 秒   ");
    screen.moveTo(panel, 5);
    screen.print("当前生命值： ");
    for (int i = 0; i < 3; ++i) {
        screen.print(GlyphLife);
    }
    for (int i = 3; i <= 10; ++i) {
        screen.print(GlyphEmpty);
    }
    screen.moveTo(panel, 7);
    screen.print("当前金币 ￥：  50");
    screen.moveTo(panel, 9);
    screen.print("当前模式为： 限时模式");
    screen.moveTo(panel, 11);
    screen.print("当前已装备    冲锋枪  瑞士军刀");
}

std::string renderInto(Renderer& renderer, const Screen& screen, StrictTerminal& terminal,
                       int columns, int rows) {
    const std::string bytes = renderer.frame(screen, columns, rows);
    terminal.feed(bytes);
    EXPECT_EQ(terminal.faults(), "");
    EXPECT_EQ(terminal.differencesFrom(screen), "");
    return bytes;
}

}  // namespace tarnwick::testing
