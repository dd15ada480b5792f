// The keys of play: each key, what it does (a step, or an action), when it is offered, and
// its hint on the key line. The tick acts on a key only while it is offered, and the key line
// shows the hints of the keys offered, in this order.
#pragma once

#include <span>
#include <string_view>

#include "game/board_geometry.h"
#include "game/game_state.h"

namespace tarnwick {

enum class PlayAction { Move, Pause, Shop, Knife, Gun };

struct PlayKey {
    int key;
    PlayAction action;
    Offset step;  // of a move
    bool (*offered)(const GameState& state);
    // On the key line; empty for a key whose hint another key's tells (the four moves share
    // one).
    std::string_view hint;
};

std::span<const PlayKey> playKeys();
// The play key of a key, or nullptr for a key without a meaning in play.
const PlayKey* playKeyFor(int key);
// The step a movement key takes, or nullptr for any other key.
const Offset* stepForKey(int key);

}  // namespace tarnwick
