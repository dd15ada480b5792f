#include "play/pause_screen.h"

#include <array>

#include "console/screen_lines.h"

namespace tarnwick {

namespace {

constexpr std::array<ScreenLine, 2> PauseLines{{
    {43, 14, "\x1b[40;32m游戏已暂停，按 0 返回主菜单\x1b[m"},
    {43, 18, "\x1b[40;32m按其他任意键继续游戏！\x1b[m"},
}};

}  // namespace

int pauseScreen(Game& game) {
    game.console.clearScreen();
    printLines(game.console, PauseLines);
    return game.console.readKey() == '0' ? 0 : 1;
}

}  // namespace tarnwick
