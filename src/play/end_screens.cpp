#include "play/end_screens.h"

#include <array>
#include <string>

#include "console/screen_lines.h"
#include "game/colours.h"
#include "game/cues.h"
#include "play/game_record.h"

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
// Below the texts of both end screens: the records' line of the game that ended.
constexpr int RecordColumn = 43;
constexpr int RecordRow = 24;
// The end of an endless run: the most levels cleared in one run of its mode and size.
constexpr std::string_view MostLevelsLine = "最多闯过 %s 关";

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
// The victory's game time, then the best time of its mode and size, or that it is a new one.
// Only the time is shown when the records could not keep the game.
constexpr std::string_view GameTimeText = "本局用时 %s 秒";
constexpr std::string_view BestTimeText = "   最佳 %s 秒";
constexpr std::string_view NewBestText = "   新纪录！";

// The text with its "%s" replaced by the value.
std::string withValue(std::string_view format, const std::string& value) {
    std::string text(format);
    return text.replace(text.find("%s"), 2, value);
}

std::string victoryRecordLine(const GameState& state, const storage::RecordedGame& recorded) {
    std::string line = withValue(GameTimeText, secondsText(gameTenths(state)));
    if (recorded.written && recorded.after.bestTenths) {
        line += recorded.newBestTime
                    ? std::string(NewBestText)
                    : withValue(BestTimeText, secondsText(*recorded.after.bestTenths));
    }
    return line;
}

}  // namespace

void loseScreen(Game& game) {
    GameState& state = game.state;
    Console& console = game.console;
    const storage::RecordedGame recorded = recordEndedGame(game, false);
    const bool chained = modeRules(state.mode).chainedLevels;
    console.clearScreen();
    console.printText(ColourResetRed);
    printLines(console, LoseHead);
    if (chained) {
        console.printFormatted(LoseLevelsLine, state.levelsCleared);
    }
    printLines(console, LoseTail);
    if (chained && recorded.written) {
        console.gotoXY(RecordColumn, RecordRow);
        console.printText(withValue(MostLevelsLine, std::to_string(recorded.after.mostLevels)));
    }
    console.printText(ColourReset);
    defeatCue(console);
    console.hideCursor();
    while (console.readKey() != '0') {
    }
    state.lives = state.lifeSetting;
    state.alive = 1;
    console.clearScreen();
}

void winScreen(Game& game) {
    GameState& state = game.state;
    Console& console = game.console;
    const bool chained = modeRules(state.mode).chainedLevels;
    const WinTexts& texts = chained ? ChainedWin : GameOverWin;
    // A victory between the levels of an endless run does not end the game.
    const storage::RecordedGame recorded =
        chained ? storage::RecordedGame{} : recordEndedGame(game, true);
    console.clearScreen();
    console.printText(ColourBlueOnYellow);
    printLines(console, WinHead);
    console.gotoXY(WinTuneColumn, WinTuneRow);
    playVictoryTune(console);
    console.printFormatted(texts.afterTune, state.levelsCleared);
    const std::array<ScreenLine, 2> tail{
        {WinCloseLine, {WinLastColumn, WinLastRow, texts.lastLine}}};
    printLines(console, tail);
    if (!chained) {
        console.gotoXY(RecordColumn, RecordRow);
        console.printText(victoryRecordLine(state, recorded));
        state.lives = state.lifeSetting;
    }
    console.printText(ColourReset);
    console.hideCursor();
    console.readKey();
    console.clearScreen();
    // In endless mode the game run goes on to the next level once this screen has returned.
}

}  // namespace tarnwick
