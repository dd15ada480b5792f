// The settings menu and its four submenus.
#pragma once

#include "game/game.h"

namespace tarnwick {

void settingsMenu(Game& game);
void mapSettings(Game& game);
void modeSettings(Game& game);
void lifeSettings(Game& game);
void shopSettings(Game& game);

}  // namespace tarnwick
