#include "game/key_line.h"

#include <string_view>

#include "game/play_keys.h"

namespace tarnwick {

namespace {

constexpr std::string_view HintGap = "  ";

}  // namespace

std::string keyLine(const GameState& state, bool narrow) {
    std::string line;
    if (modeRules(state.mode).walksItself) {
        return line;
    }
    for (const PlayKey& key : playKeys()) {
        if (!key.hint.empty() && key.offered(state)) {
            std::string hint(key.hint);
            if (narrow) {
                hint.erase(hint.find(' '), 1);  // the blank after the key
            }
            line.append(line.empty() ? "" : HintGap).append(hint);
        }
    }
    return line;
}

}  // namespace tarnwick
