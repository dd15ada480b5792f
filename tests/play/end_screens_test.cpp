// The ways a game ends and the screens that end it: their lines, colours, sounds, keys and
// the resets of lives and alive.
#include "play/end_screens.h"

#include <gtest/gtest.h>

#include <numeric>

#include "play/game_record.h"
#include "play/level.h"
#include "play/tick.h"
#include "play_support.h"
#include "storage/records_store.h"
#include "storage/temp_folder.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::loadBoard;
using testing::textAt;

constexpr Style Red{1, ColourDefault};
constexpr Style BlueOnYellow{4, 3};

struct Line {
    int column;
    int row;
    std::string text;
    Style style;
};

void expectLines(const Screen& screen, const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        EXPECT_TRUE(textAt(screen, line.column, line.row, line.text));
        EXPECT_EQ(screen.cell(line.column, line.row).style, line.style) << "row " << line.row;
    }
}

std::vector<Line> defeatLines(std::string row16) {
    return {{43, 12, "YOU LOSE !!!", Red},
            {43, 14, "你真菜！！！", Red},
            {43, 16, std::move(row16), Red},
            {43, 18, "关闭游戏请点击右上角 X", Red},
            {43, 22, "继续游戏按0回到主菜单栏目", Red}};
}

std::vector<Line> victoryLines(std::string row16, std::string row22) {
    return {{43, 12, "YOU WIN !!!", BlueOnYellow},
            {43, 14, "你真棒！！！", BlueOnYellow},
            {43, 16, std::move(row16), BlueOnYellow},
            {43, 18, "关闭游戏请点击右上角 X", BlueOnYellow},
            {43, 22, std::move(row22), BlueOnYellow}};
}

int totalMs(const std::vector<SoundStep>& steps) {
    return std::accumulate(steps.begin(), steps.end(), 0,
                           [](int sum, const SoundStep& s) { return sum + s.ms; });
}

// Keeps what row 16 showed, and where the cursor stood, when the first tone began.
class ToneSpy : public TestConsole {
  public:
    void tone(int hz, int ms) override {
        if (!sawTone) {
            sawTone = true;
            row16AtFirstTone = row(16);
            cursorAtFirstTone = {screen().cursorX(), screen().cursorY()};
        }
        TestConsole::tone(hz, ms);
    }
    bool sawTone = false;
    std::string row16AtFirstTone;
    std::pair<int, int> cursorAtFirstTone;
};

class EndTest : public ::testing::Test {
  protected:
    EndTest() : game(console) {
        loadBoard(game.state, {"#E###", "#.X.#", "#####"});
        game.state.playerX = 2;
        game.state.playerY = 2;
        game.state.lives = 2;
        game.state.lifeSetting = 4;
        console.setKeyReadHook([this](const TestConsole& c) {
            if (keyScreens.empty() || c.keysLeft() == expectScreenAtKeysLeft) {
                keyScreens.push_back(c.screen());
                keyTimes.push_back(c.nowMs());
            }
        });
    }
    ToneSpy console;
    Game game;
    std::size_t expectScreenAtKeysLeft = 0;
    std::vector<Screen> keyScreens;
    std::vector<std::int64_t> keyTimes;
};

// In endless mode the defeat screen also counts the levels.
TEST_F(EndTest, AMonsterStepThatTookTheLastLifeEndsTheNextTickOnTheDefeatScreen) {
    const std::pair<Mode, std::string> cases[] = {{ModeTimed, "游戏结束"},
                                                  {ModeEndless, "游戏结束你成功闯过 3 关"}};
    for (const auto& [mode, row16] : cases) {
        SCOPED_TRACE(mode);
        console.clearSounds();
        keyScreens.clear();
        keyTimes.clear();
        game.state.mode = mode;
        game.state.levelsCleared = 3;
        game.state.lives = 2;
        game.state.alive = 0;
        console.pushKeys("xd0");  // the defeat screen waits for 0 and ignores the rest
        const std::int64_t start = console.nowMs();
        EXPECT_EQ(gameTick(game), 0);
        ASSERT_FALSE(keyScreens.empty());
        expectLines(keyScreens[0], defeatLines(row16));
        EXPECT_EQ(keyScreens[0].rowText(13), "");
        EXPECT_EQ(keyTimes[0] - start, 1000);  // the whole defeat cue comes before the first key
        const std::vector<SoundStep> defeatCue{
            {659, 200}, {659, 200}, {578, 200}, {578, 200}, {392, 200}};
        EXPECT_EQ(console.sounds(), defeatCue);
        EXPECT_EQ(console.keysLeft(), 0u);
        EXPECT_EQ(game.state.lives, 4);
        EXPECT_EQ(game.state.alive, 1);
        EXPECT_EQ(game.state.levelsCleared, 3);
        EXPECT_EQ(console.screen().dump(), "");
    }
    EXPECT_EQ(console.row16AtFirstTone, std::string(43, ' ') + "游戏结束");
}

TEST_F(EndTest, TheExitEndsTheGameOnTheVictoryScreenAndResetsLives) {
    console.pushKeys("dw");
    expectScreenAtKeysLeft = 1;
    EXPECT_EQ(gameTick(game), 0);
    ASSERT_EQ(keyScreens.size(), 2u);
    expectLines(keyScreens[1], victoryLines("游戏结束", "继续游戏按任意键回到主菜单栏目"));
    // The tune sounds with the cursor on row 16 and nothing printed there yet.
    EXPECT_EQ(console.row16AtFirstTone, "");
    EXPECT_EQ(console.cursorAtFirstTone, (std::pair{43, 16}));
    EXPECT_EQ(console.sounds().size(), 15u);
    EXPECT_EQ(totalMs(console.sounds()), 3300);
    EXPECT_EQ(keyTimes[1], 3300);
    EXPECT_EQ(game.state.lives, 4);
    EXPECT_EQ(game.state.alive, 1);
    EXPECT_EQ(console.keysLeft(), 0u);
    EXPECT_EQ(console.screen().dump(), "");
}

TEST_F(EndTest, InEndlessModeTheExitCountsALevelAndGrowsTheSizeFactorUpToSix) {
    game.state.mode = ModeEndless;
    const struct {
        int clearedBefore, factorBefore, factorAfter;
    } cases[] = {{0, 1, 2}, {5, 5, 6}, {9, 6, 6}};
    for (const auto& c : cases) {
        game.state.levelsCleared = c.clearedBefore;
        game.state.sizeFactor = c.factorBefore;
        game.state.playerX = 2;
        keyScreens.clear();
        console.pushKeys("dx");
        expectScreenAtKeysLeft = 1;
        EXPECT_EQ(gameTick(game), 0);
        EXPECT_EQ(game.state.levelsCleared, c.clearedBefore + 1);
        EXPECT_EQ(game.state.sizeFactor, c.factorAfter);
        ASSERT_EQ(keyScreens.size(), 2u);
        expectLines(keyScreens[1], victoryLines(formatInt("你已经闯过 %d 关", c.clearedBefore + 1),
                                                "继续游戏按任意键开启下一关卡"));
        EXPECT_EQ(game.state.lives, 2);  // carried into the next level
    }
}

// Each ended game is recorded once: two wins with their game time (a new best, then the best
// to beat) on the victory screen, a defeat, a game left from the pause screen, and an endless
// run whose defeat screen shows the most levels of a run.
TEST_F(EndTest, EachEndedGameIsRecordedOnceAndTheScreensShowTheRecords) {
    storage::TempFolder folder;
    game.files.records = folder.game();
    expectScreenAtKeysLeft = 1;
    const auto win = [&](std::int64_t afterMs) {
        beginTally(game.state);
        game.state.playerX = 2;
        keyScreens.clear();
        console.pushKeys("dw", console.nowMs() + afterMs);
        while (gameTick(game) != 0) {
        }
        EXPECT_EQ(keyScreens.back().cell(43, 24).style, BlueOnYellow);
        return keyScreens.back().rowText(24).substr(43);
    };
    EXPECT_EQ(win(500), "本局用时 0.5 秒   新纪录！");
    EXPECT_EQ(win(1200), "本局用时 1.2 秒   最佳 0.5 秒");
    game.state.alive = 0;  // a monster took the last life
    console.pushKeys("0");
    EXPECT_EQ(gameTick(game), 0);
    console.pushKeys("00");  // left from the pause screen
    EXPECT_EQ(gameTick(game), 0);

    game.state.mode = ModeEndless;
    beginTally(game.state);
    game.state.levelsCleared += 3;
    game.state.alive = 0;
    keyScreens.clear();
    console.pushKeys("0");
    EXPECT_EQ(gameTick(game), 0);
    EXPECT_EQ(keyScreens[0].rowText(24).substr(43), "最多闯过 3 关");
    EXPECT_EQ(keyScreens[0].cell(43, 24).style, Red);
    EXPECT_EQ(storage::loadRecords(folder.game()).table.records,
              (std::vector<storage::Record>{{"timed", 5, 4, 2, 5, 0, 0},
                                            {"endless", 5, 1, 0, std::nullopt, 3, 0}}));
}

TEST(AutoWalk, WalksTheWayWithoutKeysOrMonstersAndEndsOnTheVictoryScreen) {
    TestConsole console;
    Game game(console);
    GameState& s = game.state;
    s.mode = ModeAutoWalk;
    s.mazeWidth = s.mazeHeight = 25;
    s.lives = 1;
    s.lifeSetting = 3;
    s.alive = 0;  // ignored by the walk
    s.monsterTick = 4;
    console.setRandomFallback(8);
    setupLevel(game);
    const int draws = console.randomDraws();
    const std::int64_t start = console.nowMs();
    std::vector<Screen> screens;
    std::int64_t keyTime = 0;
    console.setKeyReadHook([&](const TestConsole& c) {
        screens.push_back(c.screen());
        keyTime = c.nowMs();
    });
    console.pushKeys("0");  // waiting before the walk: not read until the victory screen
    EXPECT_EQ(gameTick(game), 0);
    ASSERT_EQ(screens.size(), 1u);
    expectLines(screens[0], victoryLines("游戏结束", "继续游戏按任意键回到主菜单栏目"));
    EXPECT_GE(s.pathLength, 45);
    EXPECT_EQ(keyTime - start, s.pathLength * WalkStepMs + 3300);
    EXPECT_EQ(console.randomDraws(), draws);
    EXPECT_EQ(s.monsterTick, 4);
    EXPECT_EQ(s.playerX, 2);
    EXPECT_EQ(s.playerY, 2);
    EXPECT_EQ(s.lives, 3);
}

}  // namespace
}  // namespace tarnwick
