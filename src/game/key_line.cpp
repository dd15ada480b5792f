#include "game/key_line.h"

#include <array>
#include <string>
#include <string_view>

namespace tarnwick {

namespace {

struct KeyHint {
    std::string_view text;
    bool (*works)(const GameState& state);
};

constexpr std::string_view HintGap = "  ";

constexpr std::array<KeyHint, 5> KeyHints{{
    {"wasd 移动", [](const GameState&) { return true; }},
    {"p 商店", [](const GameState& state) { return state.shopOpen != 0; }},
    {"k 挥刀", [](const GameState& state) { return state.hasKnife != 0; }},
    {"j 开枪", [](const GameState& state) { return state.hasGun != 0; }},
    {"0 暂停", [](const GameState&) { return true; }},
}};

}  // namespace

std::string keyLine(const GameState& state, bool narrow) {
    std::string line;
    if (modeRules(state.mode).walksItself) {
        return line;
    }
    for (const KeyHint& hint : KeyHints) {
        if (hint.works(state)) {
            std::string text(hint.text);
            if (narrow) {
                text.erase(text.find(' '), 1);  // the blank after the key
            }
            line.append(line.empty() ? "" : HintGap).append(text);
        }
    }
    return line;
}

}  // namespace tarnwick
