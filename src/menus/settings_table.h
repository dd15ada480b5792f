// The five settings the settings file keeps (size factor, monster level, mode, lives, shop):
// their names in the file, their ranges, their values in the game's state, and how a chosen
// value is set with every value derived from it. The settings menu and the loading at start
// set them through the same rows, so that a loaded file gives the state the menu would.
#pragma once

#include <string_view>
#include <vector>

#include "game/game.h"

namespace tarnwick {

struct SettingRow {
    std::string_view name;  // the name in the settings file
    int lowest;
    int highest;
    int (*value)(const GameState& state);
    void (*choose)(GameState& state, int value);
};

void chooseSizeFactor(GameState& state, int sizeFactor);
void chooseMonsterLevel(GameState& state, int level);
void chooseMode(GameState& state, int mode);
void chooseLifeSetting(GameState& state, int lives);
void chooseShop(GameState& state, int open);

// The value of every row, in the table's order.
std::vector<int> settingValues(const GameState& state);

// Reads the settings file, if the game has one, and chooses each value it holds that differs
// from the state's, in the table's order; what it could not read keeps its default, and a
// note says so.
void loadSettingsAtStart(Game& game);

// Saves the settings when they differ from the values before the settings menu was opened.
void saveChangedSettings(Game& game, const std::vector<int>& before);

}  // namespace tarnwick
