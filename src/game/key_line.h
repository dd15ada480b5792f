// The key line of the play screen: the keys that work now, each with what it does.
#pragma once

#include <string>

#include "game/game_state.h"

namespace tarnwick {

// "wasd 移动  p 商店  k 挥刀  j 开枪  0 暂停", without p while the shop is closed and without
// k and j until the knife and the gun are owned; empty in a mode that reads no key. The
// narrow form, for a panel short of room, leaves out the blank between a key and its word
// ("wasd移动  p商店  ...", 36 columns at most).
std::string keyLine(const GameState& state, bool narrow = false);

}  // namespace tarnwick
