#include "game/key_steps.h"

namespace tarnwick {

namespace {

struct KeyStep {
    int key;
    Offset step;
};

constexpr std::array<KeyStep, 4> KeySteps{{
    {'w', {0, -1}},
    {'s', {0, 1}},
    {'a', {-1, 0}},
    {'d', {1, 0}},
}};

}  // namespace

const Offset* stepForKey(int key) {
    for (const KeyStep& keyStep : KeySteps) {
        if (keyStep.key == key) {
            return &keyStep.step;
        }
    }
    return nullptr;
}

}  // namespace tarnwick
