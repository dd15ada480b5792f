// The property of the real terminal's key input (terminal/key_input.h, after the width probe
// of terminal/width_probe.h) that the fuzz target fuzz_keys checks on any bytes, and that the
// normal tests replay on its findings' inputs.
//
// The bytes are the terminal's input in bursts, each burst coming when the game waits:
//   a header byte h, a length byte n, then n bytes: the burst. h >> 6 is when it comes: 0
//   while the probe waits for its answer, 1 within the window in which a late answer is
//   still taken, 2 or 3 after it (never earlier than the burst before); bit 5 set: while its
//   keys are taken the game polls (keyWaiting, and a pause when nothing waits) as the play
//   screen does, rather than waiting in readKey.
// A burst cut short by the end of the data keeps what it has; then the input ends.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tarnwick::fuzz {

// Runs the probe and takes keys until the end of input, and checks that the keys are the
// input's bytes, in order, each once, except that
// - an arrow key's three bytes that came in one burst (or all while the probe waited) are one
//   movement key, and those split by a wait are never joined (nothing waits for bytes that
//   have not come);
// - the first answer to the probe that came whole, while it was still awaited, is taken out
//   (with the answer about the margins just before it) and nothing else is; a split one is
//   never joined.
// Returns what failed, or "".
std::string checkKeys(std::span<const std::uint8_t> data);

}  // namespace tarnwick::fuzz
