#include "play/shop.h"

#include <array>
#include <string>

#include "console/screen_lines.h"
#include "play/board_view.h"

namespace tarnwick {

namespace {

constexpr std::array<ScreenLine, 3> GoodsLines{{
    {40, 14, "购买生命2￥        请输入 1"},
    {40, 16, "购买瑞士军刀10￥   请输入 2"},
    {40, 18, "购买冲锋枪20￥     请输入 3"},
}};
constexpr ScreenLine LeaveLine{45, 26, "按其他任意键返回游戏"};

constexpr std::array<ScreenLine, 2> NotEnoughCoinsLines{{
    {40, 12, "金币不足！！！"},
    {40, 13, "按任意建返回商店！"},
}};
constexpr std::array<ScreenLine, 2> AlreadyBoughtLines{{
    {40, 12, "该装备已购买！"},
    {40, 13, "按任意建返回商店！"},
}};

// One of the goods. A weapon is bought once and sets its ownership flag; a good without a
// flag (a life) may be bought any number of times and adds a life.
struct Good {
    int key;
    int price;
    int GameState::*owned;
};

constexpr std::array<Good, 3> Goods{{
    {'1', 2, nullptr},
    {'2', 10, &GameState::hasKnife},
    {'3', 20, &GameState::hasGun},
}};

const Good* goodFor(int key) {
    for (const Good& good : Goods) {
        if (good.key == key) {
            return &good;
        }
    }
    return nullptr;
}

void drawShop(Game& game) {
    Console& console = game.console;
    console.clearScreen();
    printLines(console, GoodsLines);
    console.gotoXY(40, 20);
    console.printFormatted("当前生命值 %d", game.state.lives);
    console.gotoXY(40, 22);
    console.printFormatted("当前金额 %d", game.state.coins);
    console.gotoXY(40, 24);
    console.printText(equipmentLine(game.state));
    console.gotoXY(LeaveLine.column, LeaveLine.row);
    console.printText(LeaveLine.text);
}

// Ownership is tested before the purse: an owned weapon is refused whatever the purse holds.
void buy(Game& game, const Good& good) {
    GameState& state = game.state;
    if (good.owned != nullptr && state.*good.owned == 1) {
        alreadyBoughtScreen(game);
        return;
    }
    if (state.coins < good.price) {
        notEnoughCoinsScreen(game);
        return;
    }
    state.coins -= good.price;
    if (good.owned != nullptr) {
        state.*good.owned = 1;
    } else {
        state.lives += 1;
    }
}

}  // namespace

void openShop(Game& game) {
    for (;;) {
        drawShop(game);
        const Good* good = goodFor(game.console.readKey());
        if (good == nullptr) {
            return;  // any other key leaves; the tick repaints the board
        }
        buy(game, *good);
    }
}

void notEnoughCoinsScreen(Game& game) {
    game.console.clearScreen();
    printLines(game.console, NotEnoughCoinsLines);
    game.console.readKey();
}

void alreadyBoughtScreen(Game& game) {
    game.console.clearScreen();
    printLines(game.console, AlreadyBoughtLines);
    game.console.readKey();
}

}  // namespace tarnwick
