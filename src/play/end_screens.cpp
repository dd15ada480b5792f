#include "play/end_screens.h"

#include <array>

#include "console/screen_lines.h"
#include "game/colours.h"
#include "game/cues.h"

namespace tarnwick {

namespace {

// The defeat screen is red from its first line to its last. In endless mode the levels line
// follows "游戏结束" on the same row, with no blank between.
constexpr std::array<ScreenLine, 3> LoseHead{{
    {43, 12, "YOU LOSE !!!"},
    {43, 14, "你真菜！！！"},
    {43, 16, "游戏结束"},
}};
constexpr std::string_view LoseLevelsLine = "你成功闯过 %d 关";
constexpr std::array<ScreenLine, 2> LoseTail{{
    {43, 18, "关闭游戏请点击右上角 X"},
    {43, 22, "继续游戏按0回到主菜单栏目"},
}};

// The victory screen is blue on yellow; its third line comes only after the tune.
constexpr std::array<ScreenLine, 2> WinHead{{
    {43, 12, "YOU WIN !!!"},
    {43, 14, "你真棒！！！"},
}};
constexpr int WinTuneColumn = 43;
constexpr int WinTuneRow = 16;
constexpr ScreenLine WinCloseLine{43, 18, "关闭游戏请点击右上角 X"};
constexpr int WinLastColumn = 43;
constexpr int WinLastRow = 22;

// The two texts of the victory screen that differ between a chain of levels (endless mode)
// and a single game.
struct WinTexts {
    std::string_view afterTune;  // printed with levelsCleared in a chain
    std::string_view lastLine;
};
constexpr WinTexts ChainedWin{"你已经闯过 %d 关", "继续游戏按任意键开启下一关卡"};
constexpr WinTexts GameOverWin{"游戏结束", "继续游戏按任意键回到主菜单栏目"};

}  // namespace

int loseScreen(Game& game) {
    GameState& state = game.state;
    Console& console = game.console;
    console.clearScreen();
    console.printText(ColourResetRed);
    printLines(console, LoseHead);
    if (modeRules(state.mode).chainedLevels) {
        console.printFormatted(LoseLevelsLine, state.levelsCleared);
    }
    printLines(console, LoseTail);
    console.printText(ColourReset);
    defeatCue(console);
    console.hideCursor();
    while (console.readKey() != '0') {
    }
    state.lives = state.lifeSetting;
    state.alive = 1;
    console.clearScreen();
    return 0;
}

int winScreen(Game& game) {
    GameState& state = game.state;
    Console& console = game.console;
    const bool chained = modeRules(state.mode).chainedLevels;
    const WinTexts& texts = chained ? ChainedWin : GameOverWin;
    console.clearScreen();
    console.printText(ColourBlueOnYellow);
    printLines(console, WinHead);
    console.gotoXY(WinTuneColumn, WinTuneRow);
    playVictoryTune(console);
    console.printFormatted(texts.afterTune, state.levelsCleared);
    const std::array<ScreenLine, 2> tail{
        {WinCloseLine, {WinLastColumn, WinLastRow, texts.lastLine}}};
    printLines(console, tail);
    console.printText(ColourReset);
    if (!chained) {
        state.lives = state.lifeSetting;
    }
    console.hideCursor();
    console.readKey();
    console.clearScreen();
    // In endless mode the game run goes on to the next level once this screen has returned.
    return 0;
}

}  // namespace tarnwick
