// The real binary in a pseudo-terminal: the settings chosen in one run shape the next game,
// a settings file that cannot be written is told after the game, the shop's purchases show in
// the panel, and each mode starts from the main menu.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "e2e_support.h"
#include "storage/temp_folder.h"
#include "support/screen_assert.h"

namespace tarnwick::e2e {
namespace {

using testing::countOf;

// Wide enough for the picture board's panel at column 116, tall enough for its 54 rows.
SessionOptions wideTerminal() {
    return {.columns = 150, .rows = 60};
}

// The settings are chosen in one run and in force in the next, from the settings file.
TEST(ScreensE2e, SettingsShapeTheNextGame) {
    FixedClock clock;
    PtySession chosen(wideTerminal());
    START_OR_SKIP(chosen);
    changeSetting(chosen,
                  "1"
                  "2"
                  "3");  // size factor 2, monster level 3
    changeSetting(chosen,
                  "3"
                  "4");  // four lives
    quitFromMenu(chosen);
    SessionOptions options = wideTerminal();
    options.filesFolder = chosen.filesFolder();
    PtySession session(options);
    awaitMainMenu(session);
    session.sendKeys("1");
    // A 29 x 29 board with its exit at (29, 28) and six monsters; the panel stands at
    // column 2 * 29 + 8. The first frame may arrive in pieces: wait for all of it.
    const bool drawn = session.waitUntil([&] {
        return shows(session, 56, 27, "出") && shows(session, 66, 5, "当前生命值： ● ● ● ●") &&
               countOf(session.screenText(), "怪") == 6;
    });
    EXPECT_TRUE(drawn) << screenOf(session);
    EXPECT_TRUE(shows(session, 66, 9, "当前模式为： 限时模式")) << screenOf(session);
    EXPECT_EQ(session.row(29), "") << screenOf(session);  // nothing below the board
    // Pause, back to the main menu, quit.
    session.sendKeys("0");
    awaitText(session, 43, 14, "游戏已暂停，按 0 返回主菜单");
    session.sendKeys("0");
    quitFromMenu(session);
    // Each synchronized frame of the session is ended once, the last one at exit too.
    const int frames = countOf(session.output(), "\x1b[?2026h");
    EXPECT_GT(frames, 0);
    EXPECT_EQ(countOf(session.output(), "\x1b[?2026l"), frames);

    // --defaults: the file is not read (a 25 x 25 board, its panel at column 58), and a
    // setting changed is not written.
    options.arguments = {"--defaults"};
    const std::string file = options.filesFolder + "/config/tarnwick/settings";
    const std::string before = storage::fileText(file);
    PtySession defaults(options);
    changeSetting(defaults, "35");
    defaults.sendKeys("1");
    awaitText(defaults, 58, 5, "当前生命值： ● ● ● ● ●");
    EXPECT_EQ(storage::fileText(file), before);
}

TEST(ScreensE2e, PurchasesInTheShopShowInThePanel) {
    FixedClock clock;
    PtySession session(wideTerminal());
    START_OR_SKIP(session);
    awaitMainMenu(session);
    session.sendKeys("1");
    awaitText(session, 58, 7, "当前金币 ￥：  50");
    session.sendKeys("p");
    awaitText(session, 40, 22, "当前金额 50");
    session.sendKeys("1");
    awaitText(session, 40, 22, "当前金额 48");
    EXPECT_TRUE(shows(session, 40, 20, "当前生命值 2")) << screenOf(session);
    session.sendKeys("2");
    awaitText(session, 40, 22, "当前金额 38");
    session.sendKeys("3");
    awaitText(session, 40, 24, "当前已装备    冲锋枪  瑞士军刀");
    session.sendKeys("x");  // leave: the board and its panel come back
    awaitText(session, 58, 11, "当前已装备    冲锋枪  瑞士军刀");
    EXPECT_TRUE(shows(session, 58, 7, "当前金币 ￥：  18")) << screenOf(session);
    EXPECT_TRUE(shows(session, 58, 5, "当前生命值： ● ● ")) << screenOf(session);
    EXPECT_FALSE(shows(session, 40, 14, "购买生命")) << screenOf(session);
}

// A read-only settings folder: the game plays on and, once it has left the screen, says once
// on stderr that the settings were not saved; the status is 0. Run as root, the game runs as
// nobody, whom the folder's mode stops (root's writes it would not).
TEST(ScreensE2e, AReadOnlySettingsFolderIsToldOnceAfterTheScreen) {
    storage::TempFolder home;
    const std::string settings = home.path + "/config/tarnwick";
    std::filesystem::create_directories(settings);
    SessionOptions options = wideTerminal();
    options.filesFolder = home.path;
    if (const passwd* nobody = getpwnam("nobody"); geteuid() == 0 && nobody != nullptr) {
        for (const std::string& folder : {home.path, home.path + "/config", settings}) {
            ASSERT_EQ(chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        }
        options.user = {nobody->pw_uid, nobody->pw_gid};
    }
    ASSERT_EQ(chmod(settings.c_str(), 0500), 0);
    PtySession session(options);
    START_OR_SKIP(session);
    changeSetting(session, "34");
    changeSetting(session, "35");  // a second save that fails: told once all the same
    session.sendKeys("1");
    awaitText(session, 58, 5, "当前生命值： ● ● ● ● ●");
    session.sendKeys("00");
    quitFromMenu(session);
    const std::string& output = session.output();
    EXPECT_GT(output.find("tarnwick: "), output.rfind("\x1b[?1049l"));  // after the screen
    EXPECT_EQ(countOf(output, "tarnwick: "), 1) << output.substr(output.rfind("\x1b[?1049l"));
}

struct ModeStart {
    char key;
    const char* modeLine;
    int extraRow;  // a line only this mode shows, or -1
    const char* extraText;
};

// The timed, auto-walk and easter-egg games have their own tests here and in the play tests.
TEST(ScreensE2e, EndlessAndWarGodStartFromTheMainMenu) {
    const ModeStart modes[] = {
        {'3', "当前模式为： 无尽模式", 13, "你已经闯过 0 关"},
        {'4', "当前模式为： 战神模式", -1, ""},
    };
    for (const ModeStart& mode : modes) {
        SCOPED_TRACE(std::string("mode ") + mode.key);
        FixedClock clock;
        PtySession session(wideTerminal());
        START_OR_SKIP(session);
        changeSetting(session, std::string{'2', mode.key});
        session.sendKeys("1");
        awaitText(session, 58, 9, mode.modeLine);
        if (mode.extraRow >= 0) {
            awaitText(session, 58, mode.extraRow, mode.extraText);
        }
        EXPECT_TRUE(shows(session, 2, 0, "入")) << screenOf(session);
    }
}

TEST(ScreensE2e, TheEasterEggPlaysOnThePictureBoard) {
    FixedClock clock;
    PtySession session(wideTerminal());
    START_OR_SKIP(session);
    changeSetting(session, "25");
    session.sendKeys("1");
    // The picture board is 54 x 54: its exit (54, 48), its bottom frame, ten monsters, and
    // its panel at column 116 with ten coins and no mode name. The set-up ends with a full
    // redraw, so wait for the whole board.
    const bool drawn = session.waitUntil([&] {
        return shows(session, 106, 47, "出") && shows(session, 0, 53, "██") &&
               countOf(session.screenText(), "怪") == 10;
    });
    EXPECT_TRUE(drawn) << screenOf(session);
    EXPECT_TRUE(shows(session, 116, 7, "当前金币 ￥：  10")) << screenOf(session);
    EXPECT_EQ(session.textAt(116, 9, 30), "当前模式为：" + std::string(18, ' '))
        << screenOf(session);
    EXPECT_EQ(session.row(54), "") << screenOf(session);
}

}  // namespace
}  // namespace tarnwick::e2e
