#include "play/shop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/test_console.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::textAt;

constexpr const char* NotEnough = "金币不足！！！";
constexpr const char* AlreadyBought = "该装备已购买！";

// Runs one visit to the shop with the given keys and keeps the screen at every key read.
struct ShopVisit {
    explicit ShopVisit(GameState start) : game(console) {
        game.state = start;
        console.setKeyReadHook([this](const TestConsole& c) { screens.push_back(c.screen()); });
    }
    void run(std::string_view keys) {
        console.pushKeys(keys);
        openShop(game);
    }
    TestConsole console;
    Game game;
    std::vector<Screen> screens;
};

GameState withPurse(int coins, int knife = 0, int gun = 0) {
    GameState state;
    state.coins = coins;
    state.lives = 3;
    state.hasKnife = knife;
    state.hasGun = gun;
    return state;
}

void expectShopScreen(const Screen& screen, int lives, int coins, const std::string& equipment) {
    EXPECT_TRUE(textAt(screen, 40, 14, "购买生命2￥        请输入 1"));
    EXPECT_TRUE(textAt(screen, 40, 16, "购买瑞士军刀10￥   请输入 2"));
    EXPECT_TRUE(textAt(screen, 40, 18, "购买冲锋枪20￥     请输入 3"));
    EXPECT_EQ(screen.rowText(20), std::string(40, ' ') + "当前生命值 " + std::to_string(lives));
    EXPECT_EQ(screen.rowText(22), std::string(40, ' ') + "当前金额 " + std::to_string(coins));
    // The row as shown: the label's trailing blanks show only when a weapon follows.
    std::string shown = std::string(40, ' ') + equipment;
    shown.erase(shown.find_last_not_of(' ') + 1);
    EXPECT_EQ(screen.rowText(24), shown);
    EXPECT_TRUE(textAt(screen, 45, 26, "按其他任意键返回游戏"));
    EXPECT_EQ(screen.rowText(12), "");  // nothing left over from a message screen
    // The shop's texts carry no colours.
    EXPECT_EQ(screen.cell(40, 14).style, Style{});
    EXPECT_EQ(screen.cell(45, 26).style, Style{});
}

void expectMessage(const Screen& screen, const char* message) {
    EXPECT_EQ(screen.rowText(12), std::string(40, ' ') + message);
    EXPECT_EQ(screen.rowText(13), std::string(40, ' ') + "按任意建返回商店！");
    EXPECT_EQ(screen.rowText(14), "");  // the shop was cleared away
}

TEST(Shop, ShowsTheGoodsAndLeavesAtOnceOnAnyOtherKey) {
    for (const char key : std::string("0pqw4\x1b")) {
        ShopVisit visit(withPurse(7));
        visit.run(std::string(1, key) + "1");
        ASSERT_EQ(visit.screens.size(), 1u) << "key " << int(key);
        expectShopScreen(visit.screens[0], 3, 7, "当前已装备  ");
        EXPECT_EQ(visit.console.keysLeft(), 1u);  // the next key is the game's
        EXPECT_EQ(visit.game.state.coins, 7);
        EXPECT_EQ(visit.game.state.lives, 3);
    }
}

// A purchase at and just below each price, and a weapon already owned: one visit each with
// the buying key, any key on a message screen, and '0' to leave.
struct PurchaseCase {
    const char* name;
    GameState start;
    char key;
    const char* message;  // nullptr when the purchase succeeds
    int coins;
    int lives;
    int knife;
    int gun;
};

TEST(Shop, PricesAndOwnershipDecideEachPurchase) {
    const PurchaseCase cases[] = {
        {"life, 2 coins", withPurse(2), '1', nullptr, 0, 4, 0, 0},
        {"life, 1 coin", withPurse(1), '1', NotEnough, 1, 3, 0, 0},
        {"knife, 10 coins", withPurse(10), '2', nullptr, 0, 3, 1, 0},
        {"knife, 9 coins", withPurse(9), '2', NotEnough, 9, 3, 0, 0},
        {"gun, 20 coins", withPurse(20), '3', nullptr, 0, 3, 0, 1},
        {"gun, 19 coins", withPurse(19), '3', NotEnough, 19, 3, 0, 0},
        {"knife owned, empty purse", withPurse(0, 1, 0), '2', AlreadyBought, 0, 3, 1, 0},
        {"gun owned, full purse", withPurse(100, 0, 1), '3', AlreadyBought, 100, 3, 0, 1},
    };
    for (const PurchaseCase& c : cases) {
        SCOPED_TRACE(c.name);
        ShopVisit visit(c.start);
        visit.run(c.message ? std::string{c.key, 'x', '0'} : std::string{c.key, '0'});
        EXPECT_EQ(visit.console.keysLeft(), 0u);
        const GameState& state = visit.game.state;
        EXPECT_EQ(state.coins, c.coins);
        EXPECT_EQ(state.lives, c.lives);
        EXPECT_EQ(state.hasKnife, c.knife);
        EXPECT_EQ(state.hasGun, c.gun);
        ASSERT_EQ(visit.screens.size(), c.message ? 3u : 2u);
        if (c.message) {
            expectMessage(visit.screens[1], c.message);
        }
        // Whatever the outcome, the shop is drawn again with the new values.
        const std::string equipment =
            std::string("当前已装备  ") + (c.gun ? "  冲锋枪" : "") + (c.knife ? "  瑞士军刀" : "");
        expectShopScreen(visit.screens.back(), c.lives, c.coins, equipment);
    }
}

TEST(Shop, LivesHaveNoCeilingAndThePurseNeverGoesNegative) {
    ShopVisit visit(withPurse(9));
    visit.game.state.lives = 8;
    // Four lives for 8 coins, then a refusal with the last coin.
    visit.run("11111x0");
    EXPECT_EQ(visit.game.state.lives, 12);
    EXPECT_EQ(visit.game.state.coins, 1);
    ASSERT_EQ(visit.screens.size(), 7u);
    expectShopScreen(visit.screens[4], 12, 1, "当前已装备  ");
    expectMessage(visit.screens[5], NotEnough);
    expectShopScreen(visit.screens[6], 12, 1, "当前已装备  ");
}

TEST(Shop, EquipmentLineNamesTheGunBeforeTheKnifeWhateverTheOrderOfPurchase) {
    ShopVisit visit(withPurse(30));
    visit.run("230");
    ASSERT_EQ(visit.screens.size(), 3u);
    expectShopScreen(visit.screens[1], 3, 20, "当前已装备    瑞士军刀");
    expectShopScreen(visit.screens[2], 3, 0, "当前已装备    冲锋枪  瑞士军刀");
    // Owned weapons stay owned on the next visit, and are refused again.
    ShopVisit again(visit.game.state);
    again.game.state.coins = 50;
    again.run("2x3x0");
    expectMessage(again.screens[1], AlreadyBought);
    expectMessage(again.screens[3], AlreadyBought);
    EXPECT_EQ(again.game.state.coins, 50);
}

}  // namespace
}  // namespace tarnwick
