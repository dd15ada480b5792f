#include "menus/info_screens.h"

#include <array>

#include "game/about_tune.h"
#include "game/colours.h"

namespace tarnwick {

namespace {

// The whole screen shows blue on black.
constexpr std::array<ScreenLine, 6> HelpLines{{
    {40, 10, "w 上          按 p 进入商店模式"},
    {40, 12, "s 下          有瑞士军刀时按 k 可以挥剑"},
    {40, 14, "a 左          有冲锋枪时按 j 可以开枪"},
    {40, 16, "d 右          游戏进行时按 0 可以暂停"},
    {40, 18, "用尽快的方式躲避怪兽！走出迷宫！加油！胜利属于你！"},
    {45, 20, "按任意键返回上级菜单      "},
}};

// The whole screen shows magenta on black.
constexpr std::array<ScreenLine, 4> AboutLines{{
    {43, 12, "程序设计综合实践作业"},
    {43, 14, "Tarnwick小游戏"},
    {43, 16, "制作人：周叶舟 韩若溪 郑明澈"},
    {43, 18, "按任意键返回上级菜单"},
}};

}  // namespace

void helpScreen(Game& game) {
    printLinesInColour(game.console, ColourBlueOnBlack, HelpLines);
    game.console.readKey();
    game.console.clearScreen();
}

void aboutScreen(Game& game) {
    printLinesInColour(game.console, ColourMagentaOnBlack, AboutLines);
    // The tune holds the screen; keys pressed meanwhile wait in the input buffer.
    playAboutTune(game.console);
    game.console.hideCursor();
    game.console.readKey();
    game.console.clearScreen();
}

}  // namespace tarnwick
