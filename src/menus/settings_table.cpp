#include "menus/settings_table.h"

#include <array>

#include "maze/picture_maze_layout.h"
#include "storage/settings_store.h"

namespace tarnwick {

namespace {

// The size factor the board was set from. An endless run raises sizeFactor level by level and
// leaves the board as it was; the size the player chose is the board's. The picture maze's
// size is no carved size: there the mode's own size factor counts.
int chosenSizeFactor(const GameState& state) {
    for (int factor = 1; factor <= MaxSizeFactor; ++factor) {
        if (boardSizeFor(factor) == state.mazeWidth) {
            return factor;
        }
    }
    return state.sizeFactor;
}

constexpr std::array<SettingRow, 5> Settings{{
    {"size", 1, MaxSizeFactor, chosenSizeFactor, chooseSizeFactor},
    {"monsters", 1, MaxMonsterLevel, [](const GameState& s) { return s.monsterLevel; },
     chooseMonsterLevel},
    {"mode", ModeTimed, ModeEasterEgg, [](const GameState& s) { return static_cast<int>(s.mode); },
     chooseMode},
    {"lives", 1, MaxLifeSetting, [](const GameState& s) { return s.lifeSetting; },
     chooseLifeSetting},
    {"shop", 0, 1, [](const GameState& s) { return s.shopOpen; }, chooseShop},
}};

std::vector<storage::SettingRange> settingRanges() {
    std::vector<storage::SettingRange> ranges;
    for (const SettingRow& row : Settings) {
        ranges.push_back({std::string(row.name), row.lowest, row.highest});
    }
    return ranges;
}

}  // namespace

void chooseSizeFactor(GameState& state, int sizeFactor) {
    state.sizeFactor = sizeFactor;
    state.mazeHeight = boardSizeFor(sizeFactor);
    state.mazeWidth = boardSizeFor(sizeFactor);
    state.timeLeftMs = timeBudgetFor(sizeFactor);
}

void chooseMonsterLevel(GameState& state, int level) {
    state.monsterLevel = level;
    state.monsterCount = level + 3;
}

void chooseMode(GameState& state, int mode) {
    state.mode = static_cast<Mode>(mode);
    // Choosing the picture maze sets its size and its fixed values at once.
    if (modeRules(state.mode).fixedBoard) {
        state.mazeWidth = PictureMazeSize;
        state.mazeHeight = PictureMazeSize;
        setEasterEggValues(state);
    }
}

void chooseLifeSetting(GameState& state, int lives) {
    state.lifeSetting = lives;
    state.lives = lives;
}

void chooseShop(GameState& state, int open) {
    state.shopOpen = open;
}

std::vector<int> settingValues(const GameState& state) {
    std::vector<int> values;
    for (const SettingRow& row : Settings) {
        values.push_back(row.value(state));
    }
    return values;
}

void loadSettingsAtStart(Game& game) {
    const storage::LoadedSettings loaded =
        storage::loadSettings(game.files.settings, settingRanges());
    keepNotes(game.files, loaded.notes);
    // A value the state already has is not chosen again: a file of the defaults gives the
    // state a first start gives (3 monsters before the map settings are passed through).
    for (std::size_t i = 0; i < Settings.size(); ++i) {
        if (loaded.values[i] && *loaded.values[i] != Settings[i].value(game.state)) {
            Settings[i].choose(game.state, *loaded.values[i]);
        }
    }
}

void saveChangedSettings(Game& game, const std::vector<int>& before) {
    const std::vector<int> now = settingValues(game.state);
    if (now != before) {
        keepNotes(game.files, storage::saveSettings(game.files.settings, settingRanges(), now));
    }
}

}  // namespace tarnwick
