#include "terminal/arrow_keys.h"

#include <array>

namespace tarnwick {

namespace {

constexpr char Escape = '\x1b';

// The byte after ESC: CSI or SS3, as terminals in normal or application cursor mode send.
bool arrowIntroducer(char c) {
    return c == '[' || c == 'O';
}

struct Arrow {
    char final;
    char key;
};

// The game's movement keys (game/key_steps.cpp): w up, s down, d right, a left.
constexpr std::array<Arrow, 4> Arrows{{{'A', 'w'}, {'B', 's'}, {'C', 'd'}, {'D', 'a'}}};

}  // namespace

bool arrowKeyIncomplete(std::string_view keys) {
    return !keys.empty() && keys[0] == Escape && keys.size() < ArrowKeyLength &&
           (keys.size() < 2 || arrowIntroducer(keys[1]));
}

int takeKey(std::string& keys) {
    if (keys.size() >= ArrowKeyLength && keys[0] == Escape && arrowIntroducer(keys[1])) {
        for (const Arrow& arrow : Arrows) {
            if (keys[2] == arrow.final) {
                keys.erase(0, ArrowKeyLength);
                return arrow.key;
            }
        }
    }
    const int key = static_cast<unsigned char>(keys.front());
    keys.erase(0, 1);
    return key;
}

}  // namespace tarnwick
