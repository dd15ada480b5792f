#include "terminal/console_keys.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarnwick {

namespace {

// The Windows virtual-key codes the translation looks at.
constexpr std::array<std::pair<std::uint16_t, int>, 4> ArrowKeys{{
    {0x25, 'a'},  // left
    {0x26, 'w'},  // up
    {0x27, 'd'},  // right
    {0x28, 's'},  // down
}};
// Shift, Ctrl, Alt (each also left and right), Caps Lock, the Windows keys, Num Lock,
// Scroll Lock, and the key an input method sends while it composes.
constexpr std::array<std::uint16_t, 15> ModifierKeys{0x10, 0x11, 0x12, 0x14, 0x5b, 0x5c, 0x90, 0x91,
                                                     0xa0, 0xa1, 0xa2, 0xa3, 0xa4, 0xa5, 0xe5};
constexpr std::uint32_t AltPressed = 0x0001 | 0x0002;
constexpr std::uint32_t CtrlPressed = 0x0004 | 0x0008;

bool isLetterOrDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

int keyFor(const ConsoleKeyEvent& event) {
    for (const auto& [virtualKey, key] : ArrowKeys) {
        if (event.virtualKey == virtualKey) {
            return key;
        }
    }
    // Alt with a letter is a shortcut, not the letter (AltGr, which is Ctrl with Alt, types).
    const bool altShortcut =
        (event.controls & AltPressed) != 0 && (event.controls & CtrlPressed) == 0;
    if (isLetterOrDigit(event.character) && !altShortcut) {
        return static_cast<int>(event.character);
    }
    return SequenceKey;
}

}  // namespace

void addConsoleKeys(const ConsoleKeyEvent& event, std::deque<int>& keys) {
    if (!event.down || std::ranges::find(ModifierKeys, event.virtualKey) != ModifierKeys.end()) {
        return;
    }
    const int key = keyFor(event);
    const std::size_t repeats = std::max<std::size_t>(event.repeats, 1);
    for (std::size_t i = 0; i < repeats && keys.size() < KeyQueueBound; ++i) {
        keys.push_back(key);
    }
}

}  // namespace tarnwick
