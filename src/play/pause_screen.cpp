#include "play/pause_screen.h"

#include <array>

#include "game/colours.h"

namespace tarnwick {

namespace {

// Both lines show green on black.
constexpr std::array<ScreenLine, 2> PauseLines{{
    {43, 14, "游戏已暂停，按 0 返回主菜单"},
    {43, 18, "按其他任意键继续游戏！"},
}};

}  // namespace

int pauseScreen(Game& game) {
    game.console.clearScreen();
    printLinesInColour(game.console, ColourGreenOnBlack, PauseLines);
    return game.console.readKey() == '0' ? 0 : 1;
}

}  // namespace tarnwick
