#include "game/play_keys.h"

#include <array>

namespace tarnwick {

namespace {

bool always(const GameState&) {
    return true;
}

constexpr std::array<PlayKey, 8> PlayKeys{{
    {'w', PlayAction::Move, {0, -1}, always, "wasd 移动"},
    {'a', PlayAction::Move, {-1, 0}, always, ""},
    {'s', PlayAction::Move, {0, 1}, always, ""},
    {'d', PlayAction::Move, {1, 0}, always, ""},
    {'p',
     PlayAction::Shop,
     {},
     [](const GameState& state) { return state.shopOpen != 0; },
     "p 商店"},
    {'k',
     PlayAction::Knife,
     {},
     [](const GameState& state) { return state.hasKnife != 0; },
     "k 挥刀"},
    {'j', PlayAction::Gun, {}, [](const GameState& state) { return state.hasGun != 0; }, "j 开枪"},
    {'0', PlayAction::Pause, {}, always, "0 暂停"},
}};

}  // namespace

std::span<const PlayKey> playKeys() {
    return PlayKeys;
}

const PlayKey* playKeyFor(int key) {
    for (const PlayKey& playKey : PlayKeys) {
        if (playKey.key == key) {
            return &playKey;
        }
    }
    return nullptr;
}

const Offset* stepForKey(int key) {
    const PlayKey* playKey = playKeyFor(key);
    return playKey != nullptr && playKey->action == PlayAction::Move ? &playKey->step : nullptr;
}

}  // namespace tarnwick
