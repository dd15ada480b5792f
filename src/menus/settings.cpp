#include "menus/settings.h"

#include <array>
#include <string>
#include <string_view>

#include "console/screen_lines.h"
#include "game/colours.h"
#include "menus/settings_table.h"

namespace tarnwick {

namespace {

// The whole menu shows green on black.
constexpr std::array<ScreenLine, 5> SettingsMenuLines{{
    {40, 10, "地图设置请输入     1"},
    {40, 12, "模式设置请输入     2"},
    {40, 14, "生命值设置请输入   3"},
    {40, 16, "商店设置请输入     4"},
    {45, 18, "按其他任意键返回上一级"},
}};

// A screen that asks for one digit from 1 up to the highest: the prompt, the line that shows
// the current value in place of its "%d", and the line that tells how to leave.
struct DigitScreen {
    ScreenLine prompt;
    ScreenLine value;
    ScreenLine leave;
    int highest;
};

constexpr DigitScreen SizeScreen{{40, 14, "输入1-6的正整数来表示迷宫的大小"},
                                 {40, 16, "当前迷宫的大小系数为   %d"},
                                 {45, 18, "按其他任意键设置怪物数量等级"},
                                 MaxSizeFactor};
constexpr DigitScreen MonsterScreen{{40, 14, "输入1-7中的一个数表示迷宫怪物数量等级"},
                                    {40, 16, "当前怪物数量等级为   %d"},
                                    {45, 18, "按其他任意键返回主菜单"},
                                    MaxMonsterLevel};

// The modes are listed from the table, one every two rows, each with the key that chooses it.
constexpr int ModeListColumn = 40;
constexpr int ModeListRow = 10;
constexpr std::string_view ModeKeyGap = "     ";
constexpr ScreenLine ModeLeaveLine{45, 22, "按其他任意键返回上级菜单"};
constexpr int CurrentModeColumn = 40;
constexpr int CurrentModeRow = 20;
constexpr std::string_view CurrentModeLead = "当前模式为：  ";

constexpr DigitScreen LifeScreen{
    {40, 14, "输入你想要的生命值 1 — 9 (为了较好游戏体验，建议生命值3-5之间)"},
    {40, 16, "当前生命值为：  %d"},
    {45, 18, "按其他任意键返回上级菜单      "},
    MaxLifeSetting};

constexpr std::array<ScreenLine, 3> ShopLines{{
    {40, 12, "商店开启请输入 1"},
    {40, 14, "商店关闭请输入 0"},
    {45, 18, "按任意键返回上级菜单      "},
}};
// The shop's state line, by shopOpen 0 or 1.
constexpr std::array<std::string_view, 2> ShopStateTexts{{
    "当前商店处于   关闭状态",
    "当前商店处于   开启状态",
}};
constexpr int ShopStateColumn = 40;
constexpr int ShopStateRow = 16;

void printAt(Console& console, int column, int row, std::string_view text) {
    console.gotoXY(column, row);
    console.printText(text);
}

// Every mode's name and key, then the line that leaves.
void printModeList(Console& console) {
    int row = ModeListRow;
    for (const ModeEntry& mode : modeTable()) {
        const std::string key(1, static_cast<char>('0' + mode.mode));
        printAt(console, ModeListColumn, row,
                std::string(mode.menuName) + std::string(ModeKeyGap) + key);
        row += 2;
    }
    printAt(console, ModeLeaveLine.column, ModeLeaveLine.row, ModeLeaveLine.text);
}

// The value of a digit key from '1' up to the highest digit, or 0 for any other key.
int digitUpTo(int key, int highest) {
    if (key >= '1' && key <= '0' + highest) {
        return key - '0';
    }
    return 0;
}

// Shows a value screen with the current value and reads a key: the digit from 1 up to the
// highest, or 0 for any other key.
int askDigit(Console& console, const DigitScreen& screen, int current) {
    const std::array<ScreenLine, 2> lines{{screen.prompt, screen.leave}};
    printLines(console, lines);
    console.gotoXY(screen.value.column, screen.value.row);
    console.printFormatted(screen.value.text, current);
    return digitUpTo(console.readKey(), screen.highest);
}

struct Submenu {
    int key;
    void (*open)(Game&);
};

constexpr std::array<Submenu, 4> Submenus{{
    {'1', mapSettings},
    {'2', modeSettings},
    {'3', lifeSettings},
    {'4', shopSettings},
}};

}  // namespace

void settingsMenu(Game& game) {
    Console& console = game.console;
    console.hideCursor();
    console.clearScreen();
    printLinesInColour(console, ColourGreenOnBlack, SettingsMenuLines);
    const int key = console.readKey();
    console.clearScreen();
    for (const Submenu& submenu : Submenus) {
        if (submenu.key == key) {
            const std::vector<int> before = settingValues(game.state);
            submenu.open(game);
            saveChangedSettings(game, before);
            return;
        }
    }
}

void mapSettings(Game& game) {
    Console& console = game.console;
    GameState& state = game.state;
    console.hideCursor();
    const int size = askDigit(console, SizeScreen, state.sizeFactor);
    console.clearScreen();
    // Whatever the key, the board size and the time budget follow the size factor.
    chooseSizeFactor(state, size != 0 ? size : state.sizeFactor);
    console.clearScreen();

    const int level = askDigit(console, MonsterScreen, state.monsterLevel);
    console.clearScreen();
    // Whatever the key, the monster count follows the level.
    chooseMonsterLevel(state, level != 0 ? level : state.monsterLevel);
}

void modeSettings(Game& game) {
    Console& console = game.console;
    GameState& state = game.state;
    console.hideCursor();
    printModeList(console);
    const ModeEntry& current = modeEntry(state.mode);
    if (!current.currentName.empty()) {
        printAt(console, CurrentModeColumn, CurrentModeRow,
                std::string(CurrentModeLead) + std::string(current.currentName));
    }
    const int mode = digitUpTo(console.readKey(), static_cast<int>(modeTable().size()));
    if (mode != 0) {
        chooseMode(state, mode);
    }
    console.clearScreen();
}

void lifeSettings(Game& game) {
    Console& console = game.console;
    GameState& state = game.state;
    console.hideCursor();
    const int lives = askDigit(console, LifeScreen, state.lives);
    // Any key sets the lives back to the setting, replacing what an earlier game left.
    chooseLifeSetting(state, lives != 0 ? lives : state.lifeSetting);
}

void shopSettings(Game& game) {
    Console& console = game.console;
    GameState& state = game.state;
    console.hideCursor();
    printLines(console, ShopLines);
    printAt(console, ShopStateColumn, ShopStateRow, ShopStateTexts[state.shopOpen == 1 ? 1 : 0]);
    const int key = console.readKey();
    if (key == '0' || key == '1') {
        chooseShop(state, key - '0');
    }
}

}  // namespace tarnwick
