// The knife and the gun, acting in the facing direction.
#pragma once

#include "game/game.h"

namespace tarnwick {

void swingKnife(Game& game);
void fireGun(Game& game);

}  // namespace tarnwick
