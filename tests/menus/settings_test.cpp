#include "menus/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/test_console.h"
#include "menus/settings_table.h"
#include "storage/temp_folder.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::textAt;

constexpr Style GreenOnBlack{2, 0};

// The settings menu on a test console, with the screen kept at every key read.
struct Settings {
    Settings() : game(console) {
        game.state.mazeWidth = game.state.mazeHeight = boardSizeFor(game.state.sizeFactor);
        console.setKeyReadHook([this](const TestConsole& c) { screens.push_back(c.screen()); });
    }
    // Opens the settings menu once with the keys: the menu's key, then the submenu's.
    void visit(std::string_view keys) {
        screens.clear();
        console.pushKeys(keys);
        settingsMenu(game);
        EXPECT_EQ(console.keysLeft(), 0u) << "keys left after " << keys;
    }
    TestConsole console;
    Game game;
    std::vector<Screen> screens;
};

// The lines of a screen in the default colours, and nothing else on it.
void expectLines(const Screen& screen, const std::vector<std::tuple<int, int, std::string>>& lines,
                 int rowsInUse) {
    for (const auto& [x, y, text] : lines) {
        EXPECT_TRUE(textAt(screen, x, y, text));
        EXPECT_EQ(screen.cell(x, y).style, Style{}) << x << "," << y;
    }
    EXPECT_EQ(static_cast<int>(lines.size()), rowsInUse) << screen.dump();
    int used = 0;
    for (int y = 0; y < 40; ++y) {
        used += screen.rowText(y).empty() ? 0 : 1;
    }
    EXPECT_EQ(used, rowsInUse) << screen.dump();
}

TEST(SettingsMenu, ShowsItsEntriesInGreenAndAnyOtherKeyGoesBackAtOnce) {
    for (const char key : std::string("059a\x1b")) {
        Settings s;
        const GameState before = s.game.state;
        s.visit(std::string(1, key));
        ASSERT_EQ(s.screens.size(), 1u);
        const Screen& menu = s.screens[0];
        EXPECT_TRUE(textAt(menu, 40, 10, "地图设置请输入     1"));
        EXPECT_TRUE(textAt(menu, 40, 12, "模式设置请输入     2"));
        EXPECT_TRUE(textAt(menu, 40, 14, "生命值设置请输入   3"));
        EXPECT_TRUE(textAt(menu, 40, 16, "商店设置请输入     4"));
        EXPECT_TRUE(textAt(menu, 45, 18, "按其他任意键返回上一级"));
        for (const auto& [x, y] : {std::pair{40, 10}, {40, 14}, {59, 16}, {45, 18}, {65, 18}}) {
            EXPECT_EQ(menu.cell(x, y).style, GreenOnBlack) << x << "," << y;
        }
        EXPECT_EQ(s.console.screen().dump(), "");
        EXPECT_EQ(s.console.screen().style(), Style{});  // the green ends with the menu
        EXPECT_EQ(s.game.state.mode, before.mode);
        EXPECT_EQ(s.game.state.sizeFactor, before.sizeFactor);
        EXPECT_EQ(s.game.state.lives, before.lives);
        EXPECT_EQ(s.game.state.monsterCount, before.monsterCount);
        EXPECT_EQ(s.game.state.timeLeftMs, before.timeLeftMs);
    }
}

TEST(MapSettings, ShowBothScreensAndDeriveTheBoardFromTheSizeFactor) {
    const int boards[] = {25, 29, 33, 37, 41, 45};
    const int budgets[] = {55000, 95000, 135000, 175000, 215000, 255000};
    Settings s;
    s.game.state.monsterLevel = 5;
    for (int factor = 1; factor <= 6; ++factor) {
        const int shown = s.game.state.sizeFactor;
        s.visit(std::string{'1', static_cast<char>('0' + factor), static_cast<char>('0' + factor)});
        ASSERT_EQ(s.screens.size(), 3u);
        EXPECT_TRUE(
            textAt(s.screens[1], 40, 16, "当前迷宫的大小系数为   " + std::to_string(shown)));
        const GameState& state = s.game.state;
        EXPECT_EQ(state.sizeFactor, factor);
        EXPECT_EQ(state.mazeWidth, boards[factor - 1]);
        EXPECT_EQ(state.mazeHeight, boards[factor - 1]);
        EXPECT_EQ(state.timeLeftMs, budgets[factor - 1]);
        EXPECT_EQ(state.monsterCount, factor + 3);
    }
    expectLines(s.screens[1],
                {{40, 14, "输入1-6的正整数来表示迷宫的大小"},
                 {40, 16, "当前迷宫的大小系数为   5"},
                 {45, 18, "按其他任意键设置怪物数量等级"}},
                3);
    expectLines(s.screens[2],
                {{40, 14, "输入1-7中的一个数表示迷宫怪物数量等级"},
                 {40, 16, "当前怪物数量等级为   5"},
                 {45, 18, "按其他任意键返回主菜单"}},
                3);
    EXPECT_EQ(s.console.screen().dump(), "");
}

TEST(MapSettings, KeysOutOfRangeKeepTheValuesButStillRewriteTheDerivedFields) {
    Settings s;
    s.visit("155");
    s.visit("25");  // mode 5: the picture board, size factor 6
    ASSERT_EQ(s.game.state.mazeWidth, 54);
    s.game.state.timeLeftMs = 1234;
    // '7' is out of range on the size screen and is not carried on to the monster screen.
    s.visit("178");
    ASSERT_EQ(s.screens.size(), 3u);
    const GameState& state = s.game.state;
    EXPECT_EQ(state.sizeFactor, 6);
    EXPECT_EQ(state.mazeWidth, 45);
    EXPECT_EQ(state.mazeHeight, 45);
    EXPECT_EQ(state.timeLeftMs, 255000);
    EXPECT_EQ(state.monsterLevel, 5);
    EXPECT_EQ(state.monsterCount, 8);

    Settings fresh;
    ASSERT_EQ(fresh.game.state.monsterCount, 3);
    fresh.visit("100");
    EXPECT_EQ(fresh.game.state.sizeFactor, 1);
    EXPECT_EQ(fresh.game.state.monsterLevel, 1);
    EXPECT_EQ(fresh.game.state.monsterCount, 4);  // level + 3, not the initial 3
}

TEST(ModeSettings, ShowTheModesAndTheCurrentModeBeforeTheKey) {
    const char* current[] = {"当前模式为：  限时模式", "当前模式为：  自走模式",
                             "当前模式为：  无尽模式", "当前模式为：  战神模式",
                             "当前模式为：  菜单****（玩得开心哦！）"};
    Settings s;
    for (int mode = 1; mode <= 5; ++mode) {
        // Each visit shows the mode chosen by the visit before.
        const int next = mode % 5 + 1;
        s.visit(std::string{'2', static_cast<char>('0' + next)});
        ASSERT_EQ(s.screens.size(), 2u);
        EXPECT_TRUE(textAt(s.screens[1], 40, 20, current[mode - 1]));
        EXPECT_EQ(s.game.state.mode, next);
    }
    expectLines(s.screens[1],
                {{40, 10, "限时模式     1"},
                 {40, 12, "自走模式     2"},
                 {40, 14, "无尽模式     3"},
                 {40, 16, "战神模式     4"},
                 {40, 18, "彩蛋****     5"},
                 {40, 20, current[4]},
                 {45, 22, "按其他任意键返回上级菜单"}},
                7);
    EXPECT_EQ(s.console.screen().dump(), "");
}

TEST(ModeSettings, TheEasterEggSetsUpThePictureBoardAndOtherModesKeepIt) {
    Settings s;
    s.visit("136");
    s.game.state.coins = 77;
    s.visit("25");
    GameState& state = s.game.state;
    EXPECT_EQ(state.mode, ModeEasterEgg);
    EXPECT_EQ(state.mazeWidth, 54);
    EXPECT_EQ(state.mazeHeight, 54);
    EXPECT_EQ(state.monsterCount, 10);
    EXPECT_EQ(state.coins, 10);
    EXPECT_EQ(state.sizeFactor, 6);
    EXPECT_EQ(state.monsterLevel, 6);     // left as it was
    EXPECT_EQ(state.timeLeftMs, 135000);  // left as it was
    // Another mode changes only the mode; a key out of range changes nothing.
    for (const char* keys : {"23", "26", "20"}) {
        s.visit(keys);
    }
    EXPECT_EQ(state.mode, ModeEndless);
    EXPECT_EQ(state.mazeWidth, 54);
    EXPECT_EQ(state.sizeFactor, 6);
    EXPECT_EQ(state.coins, 10);
}

TEST(LifeSettings, ShowTheLivesAndSetThemBackToTheSetting) {
    Settings s;
    s.game.state.lives = 12;  // left over from a game, lives bought in the shop
    s.game.state.lifeSetting = 4;
    s.visit("3x");
    ASSERT_EQ(s.screens.size(), 2u);
    expectLines(s.screens[1],
                {{40, 14, "输入你想要的生命值 1 — 9 (为了较好游戏体验，建议生命值3-5之间)"},
                 {40, 16, "当前生命值为：  12"},
                 {45, 18, "按其他任意键返回上级菜单"}},
                3);
    EXPECT_EQ(s.game.state.lifeSetting, 4);
    EXPECT_EQ(s.game.state.lives, 4);
    // The screen stays for the main menu to clear.
    EXPECT_TRUE(textAt(s.console, 40, 16, "当前生命值为：  12"));

    for (const char key : std::string("1950")) {
        s.visit(std::string{'3', key});
        const int want = key == '0' ? 5 : key - '0';
        EXPECT_EQ(s.game.state.lifeSetting, want) << key;
        EXPECT_EQ(s.game.state.lives, want) << key;
    }
}

TEST(ShopSettings, CloseAndOpenTheShop) {
    Settings s;
    const struct {
        char key;
        const char* shown;
        int open;
    } steps[] = {
        {'1', "当前商店处于   开启状态", 1}, {'0', "当前商店处于   开启状态", 0},
        {'x', "当前商店处于   关闭状态", 0}, {'1', "当前商店处于   关闭状态", 1},
        {'2', "当前商店处于   开启状态", 1},
    };
    for (const auto& step : steps) {
        s.visit(std::string{'4', step.key});
        ASSERT_EQ(s.screens.size(), 2u);
        expectLines(s.screens[1],
                    {{40, 12, "商店开启请输入 1"},
                     {40, 14, "商店关闭请输入 0"},
                     {40, 16, step.shown},
                     {45, 18, "按任意键返回上级菜单"}},
                    4);
        EXPECT_EQ(s.game.state.shopOpen, step.open) << step.key;
        EXPECT_TRUE(textAt(s.console, 40, 16, step.shown));  // left for the main menu to clear
    }
}

// The settings file: what the menu chose is saved, and a start with the file gives the state
// the menu gave (but the time budget, which every timed level sets before it is read). What
// cannot be read gives the defaults and stays as it was until a setting changes.
TEST(SettingsFile, AStartWithTheFileGivesTheStateTheMenuGave) {
    const auto settings = [](const GameState& s) {
        return std::vector{s.sizeFactor, s.mazeWidth,   s.monsterLevel, s.monsterCount, int{s.mode},
                           s.coins,      s.lifeSetting, s.lives,        s.shopOpen};
    };
    for (const std::string_view keys : {"135 22 39 40", "136 25 38", "162 23", "37", "40 41"}) {
        storage::TempFolder folder;
        Settings chosen, loaded;
        chosen.game.files.settings = loaded.game.files.settings = folder.game();
        // One visit of the settings menu per word (clang 14 cannot build views::split here).
        for (std::string_view rest = keys; !rest.empty();) {
            const std::size_t space = std::min(rest.find(' '), rest.size());
            chosen.visit(rest.substr(0, space));
            rest.remove_prefix(std::min(space + 1, rest.size()));
        }
        loadSettingsAtStart(loaded.game);
        EXPECT_EQ(settings(loaded.game.state), settings(chosen.game.state)) << keys;
        EXPECT_TRUE(loaded.game.files.notes.empty());
    }
    storage::TempFolder folder;
    const std::string path = folder.file("settings");
    for (const std::string& bad : {std::string("size = 3\nlives = 12\n"),
                                   std::string("size = 3\n\0", 11), std::string(65 * 1024, '#')}) {
        storage::writeText(path, bad);
        Settings s;
        s.game.files.settings = folder.game();
        loadSettingsAtStart(s.game);
        EXPECT_EQ(s.game.state.lifeSetting, 1);
        EXPECT_EQ(s.game.files.notes.size(), 1u);
        s.visit("3x");  // the lives screen changes nothing: nothing is written
        EXPECT_EQ(storage::fileText(path), bad);
        s.visit("36");
        EXPECT_NE(storage::fileText(path).find("lives = 6"), std::string::npos);
    }
}

}  // namespace
}  // namespace tarnwick
