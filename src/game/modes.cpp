#include "game/modes.h"

#include <array>

namespace tarnwick {

namespace {

// A mode that shows one name everywhere.
constexpr ModeEntry namedMode(Mode mode, std::string_view name, std::string_view recordKey,
                              ModeRules rules) {
    return {mode, name, name, name, recordKey, rules};
}

constexpr std::array<ModeEntry, 5> Modes{{
    namedMode(ModeTimed, "限时模式", "timed", {.timed = true}),
    namedMode(ModeAutoWalk, "自走模式", "autowalk", {.walksItself = true}),
    namedMode(ModeEndless, "无尽模式", "endless", {.chainedLevels = true}),
    namedMode(ModeWarGod, "战神模式", "wargod",
              {.walksThroughWalls = true, .resolvesCells = false}),
    // The easter egg keeps its name to itself: the panel shows none, the settings other texts.
    {ModeEasterEgg, "", "彩蛋****", "菜单****（玩得开心哦！）", "easteregg", {.fixedBoard = true}},
}};

constexpr ModeEntry NoMode{};

}  // namespace

std::span<const ModeEntry> modeTable() {
    return Modes;
}

const ModeEntry& modeEntry(Mode mode) {
    for (const ModeEntry& row : Modes) {
        if (row.mode == mode) {
            return row;
        }
    }
    return NoMode;
}

const ModeRules& modeRules(Mode mode) {
    return modeEntry(mode).rules;
}

}  // namespace tarnwick
