// The arrow keys. A terminal sends each as three bytes, ESC [ A or ESC O A (up), B (down),
// C (right) and D (left); they reach the game as its movement keys w, s, d and a, so that
// every screen sees an arrow as one key. Every other byte, a lone ESC and the bytes of any
// other sequence included, reaches the game as it is.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr std::size_t ArrowKeyLength = 3;

// Whether the keys begin with a part of an arrow key shorter than the whole: the bytes that
// are already waiting in the input may complete it.
bool arrowKeyIncomplete(std::string_view keys);
// Takes the first key out of non-empty keys: an arrow key's three bytes as its movement key,
// any other byte as itself (0..255).
int takeKey(std::string& keys);

}  // namespace tarnwick
