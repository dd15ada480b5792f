// What a game leaves in the records file: its tally begins when the game starts, and the game
// is added to the records once, when it ends: on the victory screen (not between the levels
// of an endless run), on the defeat screen, or when the player leaves from the pause screen.
// A game cut off by the end of input is not recorded.
#pragma once

#include <cstdint>
#include <string>

#include "game/game.h"
#include "storage/records_store.h"

namespace tarnwick {

// Begins the tally of a new game (an endless run is one game).
void beginTally(GameState& state);

// Adds the game that has just ended to the records; what went wrong joins the game's notes.
storage::RecordedGame recordEndedGame(Game& game, bool won);

// The game's time so far, in tenths of a second.
std::int64_t gameTenths(const GameState& state);

// Tenths of a second as the screens show them: "37.4".
std::string secondsText(std::int64_t tenths);

}  // namespace tarnwick
