#include "game/modes.h"

#include <array>

namespace tarnwick {

namespace {

// A mode that shows one name everywhere.
constexpr ModeEntry namedMode(Mode mode, std::string_view name, ModeRules rules) {
    return {mode, name, name, name, rules};
}

constexpr std::array<ModeEntry, 5> Modes{{
    namedMode(ModeTimed, "限时模式", {.timed = true}),
    namedMode(ModeAutoWalk, "自走模式", {.walksItself = true}),
    namedMode(ModeEndless, "无尽模式", {.chainedLevels = true}),
    namedMode(ModeWarGod, "战神模式", {.walksThroughWalls = true, .resolvesCells = false}),
    // The easter egg keeps its name to itself: the panel shows none, the settings other texts.
    {ModeEasterEgg, "", "彩蛋****", "菜单****（玩得开心哦！）", {.fixedBoard = true}},
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
