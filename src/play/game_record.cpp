#include "play/game_record.h"

#include "maze/picture_maze_layout.h"

namespace tarnwick {

namespace {

constexpr std::int64_t MsPerTenth = 100;

// The board the game was played on: the picture maze has its own size whatever the settings
// left in mazeWidth; a carved board keeps its size along an endless run.
int playedBoardSize(const GameState& state) {
    return modeRules(state.mode).fixedBoard ? PictureMazeSize : state.mazeWidth;
}

}  // namespace

void beginTally(GameState& state) {
    state.tally = {.gameTimeMs = 0, .coinsPicked = 0, .levelsBefore = state.levelsCleared};
}

storage::RecordedGame recordEndedGame(Game& game, bool won) {
    const GameState& state = game.state;
    const storage::FinishedGame finished{
        .mode = std::string(modeEntry(state.mode).recordKey),
        .boardSize = playedBoardSize(state),
        .won = won,
        .timeTenths = gameTenths(state),
        .levels = state.levelsCleared - state.tally.levelsBefore,
        .coins = state.tally.coinsPicked,
    };
    storage::RecordedGame recorded = storage::recordGame(game.files.records, finished);
    keepNotes(game.files, recorded.notes);
    return recorded;
}

std::int64_t gameTenths(const GameState& state) {
    return state.tally.gameTimeMs / MsPerTenth;
}

std::string secondsText(std::int64_t tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace tarnwick
