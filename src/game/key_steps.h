// The movement keys: w up, s down, a left, d right.
#pragma once

#include "game/board_geometry.h"

namespace tarnwick {

// The step a movement key takes, or nullptr for any other key.
const Offset* stepForKey(int key);

}  // namespace tarnwick
