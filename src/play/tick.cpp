#include "play/tick.h"

#include "game/board_geometry.h"
#include "game/glyphs.h"
#include "game/play_keys.h"
#include "maze/path_search.h"
#include "play/board_view.h"
#include "play/end_screens.h"
#include "play/exit_hint.h"
#include "play/game_record.h"
#include "play/monsters.h"
#include "play/pause_screen.h"
#include "play/player_move.h"
#include "play/shop.h"
#include "play/weapons.h"

namespace tarnwick {

namespace {

constexpr int MsPerSecond = 1000;
constexpr int CountdownRow = 3;
constexpr std::string_view CountdownLine = "剩余时间为： %d 秒   ";

// The panel as the terminal's size and the part of the board it shows ask, after a sleep in
// which the terminal may have been resized or the window moved.
void fitPlayScreen(Game& game) {
    fitStatusPanel(game);
    drawExitHint(game);
}

// The auto-walk: the way to the exit shown cell by cell, then the victory screen. No key is
// read and no monster steps.
int autoWalk(Game& game) {
    GameState& state = game.state;
    state.pathLength = findPath(game);
    for (int i = 1; i <= state.pathLength; ++i) {
        drawPlayer(game, state.pathX[i], state.pathY[i]);
        game.console.sleepMs(WalkStepMs);
        state.tally.gameTimeMs += WalkStepMs;
        fitPlayScreen(game);
        drawAtCell(game, state.pathX[i], state.pathY[i], GlyphEmpty);
    }
    winScreen(game);
    return 0;
}

// Acts on the key read in this tick, when it is offered. Sets `move` for a movement key;
// returns false when the player left the game from the pause screen.
bool actOnKey(Game& game, int key, bool& move) {
    GameState& state = game.state;
    const PlayKey* playKey = playKeyFor(key);
    if (playKey == nullptr || !playKey->offered(state)) {
        return true;
    }
    switch (playKey->action) {
        case PlayAction::Move:
            state.facing = static_cast<char>(key);
            move = true;
            break;
        case PlayAction::Pause:
            if (pauseScreen(game) == 0) {
                recordEndedGame(game, false);
                return false;
            }
            redrawBoard(game);
            break;
        case PlayAction::Gun:
            fireGun(game);
            break;
        case PlayAction::Knife:
            swingKnife(game);
            break;
        case PlayAction::Shop:
            openShop(game);
            redrawBoard(game);
            break;
    }
    return true;
}

// The timed mode's clock: a fixed 100 ms per tick. Returns false when it ran out.
bool countDown(Game& game) {
    GameState& state = game.state;
    state.timeLeftMs -= TickMs;
    state.secondsLeft = state.timeLeftMs / MsPerSecond;
    if (state.timeLeftMs < 0) {
        loseScreen(game);
        return false;
    }
    game.console.gotoXY(panelColumn(state), CountdownRow);
    game.console.hideCursor();
    game.console.printFormatted(CountdownLine, state.secondsLeft);
    return true;
}

}  // namespace

int gameTick(Game& game) {
    GameState& state = game.state;
    const ModeRules& rules = modeRules(state.mode);
    if (rules.walksItself) {
        return autoWalk(game);
    }
    if (state.alive == 0) {
        loseScreen(game);
        return 0;
    }
    game.console.hideCursor();
    if (game.console.keyWaiting()) {
        const int key = game.console.readKey();
        bool move = false;
        if (!actOnKey(game, key, move) || !movePlayer(game, move)) {
            return 0;
        }
    }
    game.console.sleepMs(TickMs);
    // Game time counts the ticks: a pause, the shop and the screens take none.
    state.tally.gameTimeMs += TickMs;
    fitPlayScreen(game);
    if (rules.timed && !countDown(game)) {
        return 0;
    }
    ++state.monsterTick;
    if (state.monsterTick >= MonsterStepEvery) {
        state.alive = moveMonsters(game);
        state.monsterTick = 0;
    }
    return 1;
}

}  // namespace tarnwick
