#include "game/key_line.h"

#include <string_view>

#include "game/play_keys.h"

namespace tarnwick {

namespace {

constexpr std::string_view HintGap = "  ";

}  // namespace

std::string keyLine(const GameState& state) {
    std::string line;
    if (modeRules(state.mode).walksItself) {
        return line;
    }
    for (const PlayKey& key : playKeys()) {
        if (!key.hint.empty() && key.offered(state)) {
            line.append(line.empty() ? "" : HintGap).append(key.hint);
        }
    }
    return line;
}

}  // namespace tarnwick
