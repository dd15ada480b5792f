// The property of the real terminal's key input (terminal/key_input.h) that the fuzz target
// fuzz_keys checks on any bytes, and that the normal tests replay on its findings' inputs.
//
// The bytes are the terminal's input in bursts: a header byte h, a length byte n, then n
// bytes, the burst. h >> 6 is the time until the next burst comes: 10 ms or 20 ms (within the
// escape delay), 60 ms or 2 s (past it); h & 63 is how many keys the game takes just before
// then (63: all there are). A burst of no bytes is no burst. The answer to the width probe is
// awaited until 3.2 s after the first burst; the game's queue holds 16 keys. A burst cut short by
// the end of the data keeps what it has; then the input ends.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tarnwick::fuzz {

// Feeds the bursts and takes keys as said, and checks the keys taken against a reading of
// the whole input at once: every byte outside a sequence is its own key; each sequence, as
// far as it came before a pause past the escape delay, is one key (the arrows their movement
// keys), so that no letter or digit ever comes out of the inside of one; the first cursor
// position report that came while awaited is the probe's answer and no key, and so is the
// first answer about the margins before it; a key that found the queue full is dropped.
// Returns what failed, or "".
std::string checkKeys(std::span<const std::uint8_t> data);

}  // namespace tarnwick::fuzz
