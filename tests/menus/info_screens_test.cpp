#include "menus/info_screens.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "console/test_console.h"
#include "menus/main_menu.h"
#include "menus/records_screen.h"
#include "storage/records_store.h"
#include "storage/temp_folder.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::textAt;

constexpr Style BlueOnBlack{4, 0};
constexpr Style MagentaOnBlack{5, 0};
constexpr int AboutTuneMs = 91824;

// Every cell of the line's text shows the style.
void expectStyled(const Screen& screen, int x, int y, std::string_view text, Style style) {
    EXPECT_TRUE(textAt(screen, x, y, text));
    const int width = displayWidth(testing::plainText(text));
    for (int i = 0; i < width; ++i) {
        ASSERT_EQ(screen.cell(x + i, y).style, style) << "column " << x + i << ", row " << y;
    }
}

TEST(HelpScreen, ListsTheKeysInBlueAndAnyKeyGoesBack) {
    for (const char key : std::string("0x4\x1b")) {
        TestConsole console;
        Game game(console);
        std::vector<Screen> screens;
        console.setKeyReadHook([&](const TestConsole& c) { screens.push_back(c.screen()); });
        console.pushKeys(std::string{key, '1'});
        helpScreen(game);
        ASSERT_EQ(screens.size(), 1u);
        const Screen& help = screens[0];
        expectStyled(help, 40, 10, "w 上          按 p 进入商店模式", BlueOnBlack);
        expectStyled(help, 40, 12, "s 下          有瑞士军刀时按 k 可以挥剑", BlueOnBlack);
        expectStyled(help, 40, 14, "a 左          有冲锋枪时按 j 可以开枪", BlueOnBlack);
        expectStyled(help, 40, 16, "d 右          游戏进行时按 0 可以暂停", BlueOnBlack);
        expectStyled(help, 40, 18, "用尽快的方式躲避怪兽！走出迷宫！加油！胜利属于你！",
                     BlueOnBlack);
        // The six blanks before the reset are blue too.
        expectStyled(help, 45, 20, "按任意键返回上级菜单      ", BlueOnBlack);
        EXPECT_EQ(help.cell(71, 20).style, Style{});
        EXPECT_EQ(console.screen().dump(), "");
        EXPECT_EQ(console.keysLeft(), 1u);
        EXPECT_EQ(console.nowMs(), 0);
    }
}

// Keeps the screen as it stood when the first tone of the tune began.
class FirstToneWatch : public TestConsole {
  public:
    std::optional<Screen> atFirstTone;
    void tone(int hz, int ms) override {
        if (!atFirstTone) {
            atFirstTone = screen();
        }
        TestConsole::tone(hz, ms);
    }
};

TEST(AboutScreen, ShowsTheCreditsInMagentaBeforeTheTuneAndHoldsUntilItEnds) {
    FirstToneWatch console;
    Game game(console);
    std::vector<std::int64_t> readTimes;
    console.setKeyReadHook([&](const TestConsole& c) { readTimes.push_back(c.nowMs()); });
    console.pushKeys("0000");  // pressed at once, all during the tune
    aboutScreen(game);
    ASSERT_TRUE(console.atFirstTone.has_value());
    const Screen& about = *console.atFirstTone;
    expectStyled(about, 43, 12, "程序设计综合实践作业", MagentaOnBlack);
    expectStyled(about, 43, 14, "Tarnwick小游戏", MagentaOnBlack);
    const std::string credits = about.rowText(16);
    EXPECT_EQ(credits.substr(0, 43), std::string(43, ' '));
    EXPECT_EQ(credits.substr(43, std::string("制作人：").size()), "制作人：");
    EXPECT_GT(credits.size(), std::string(43, ' ').size() + std::string("制作人：").size());
    expectStyled(about, 43, 16, credits.substr(43), MagentaOnBlack);
    expectStyled(about, 43, 18, "按任意键返回上级菜单", MagentaOnBlack);
    EXPECT_EQ(console.screen().style(), Style{});  // the magenta ends with the screen
    // One key is read, at the tune's end; the others are left for the main menu.
    EXPECT_EQ(readTimes, std::vector<std::int64_t>{AboutTuneMs});
    EXPECT_EQ(console.nowMs(), AboutTuneMs);
    EXPECT_EQ(console.keysLeft(), 3u);
    EXPECT_EQ(console.screen().dump(), "");
}

TEST(AboutScreen, TheFirstKeyDuringTheTuneClosesItAndTheSecondReachesTheMainMenu) {
    TestConsole console;
    Game game(console);
    console.pushKey('x', 1000);
    console.pushKey('3', 60000);
    aboutScreen(game);
    EXPECT_EQ(console.nowMs(), AboutTuneMs);  // closed as soon as the tune ended
    EXPECT_EQ(mainMenu(game), 3);
    EXPECT_EQ(console.nowMs(), AboutTuneMs);

    // A key that comes only after the tune is waited for.
    TestConsole later;
    Game laterGame(later);
    later.pushKey('x', AboutTuneMs + 5000);
    aboutScreen(laterGame);
    EXPECT_EQ(later.nowMs(), AboutTuneMs + 5000);
}

TEST(AboutScreen, MutedTheTuneKeepsItsTimeWithoutASound) {
    TestConsole console;
    console.pushKeys("4x0");
    ProgramOptions options;
    options.mute = true;
    EXPECT_EQ(programEntry(console, options), 0);
    EXPECT_EQ(console.nowMs(), AboutTuneMs);
    EXPECT_TRUE(console.sounds().empty());
}

// More rows than the screen holds: the 17 most played in the table's order (a mode the game
// does not know last, in printable ASCII only) and how many are left out; --records prints all.
TEST(RecordsScreen, ShowsTheMostPlayedRowsAndAnyKeyGoesBack) {
    storage::TempFolder folder;
    std::string file = "w\xc2\x9bt 54 99 1 17 0 0\n";
    for (int i = 1; i <= 10; ++i) {
        file += "endless 2" + std::to_string(i) + " " + std::to_string(i) + " 0 - 3 0\n";
        file += "timed 1" + std::to_string(i) + " " + std::to_string(i) + " 0 - 0 0\n";
    }
    storage::writeText(folder.file("records"), file);
    TestConsole console;
    Game game(console);
    game.files.records = folder.game();
    console.setKeyReadHook([](const TestConsole& c) {
        expectStyled(c.screen(), 8, 3,
                     "模式        大小  局数    胜局    最佳用时    最多关数  金币", Style{2, 0});
        EXPECT_TRUE(
            textAt(c.screen(), 8, 4, "限时模式    13    3       0       -           0    "));
        EXPECT_TRUE(textAt(c.screen(), 8, 19, "无尽模式    210   10      0       -           3"));
        EXPECT_TRUE(textAt(c.screen(), 8, 20, "w??t        54    99      1       1.7 秒"));
        EXPECT_TRUE(textAt(c.screen(), 8, 21, "另有 4 行未显示，全部记录请用 tarnwick --records"));
    });
    console.pushKeys("x");
    recordsScreen(game);
    EXPECT_EQ(console.screen().dump(), "");
    const std::string text = recordsText(storage::loadRecords(folder.game()).table);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 22);
}

}  // namespace
}  // namespace tarnwick
