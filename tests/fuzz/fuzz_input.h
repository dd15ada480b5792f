// The fuzz input read as a small program for the test console: the terminal's size and the
// seed of the random engine, then records that script keys with their due times, random
// values and resize events. The fuzz target and the regression tests decode with it alike.
//
// Layout (all numbers little-endian):
//   header     5 bytes: the terminal size (2 bytes, see below), the engine's seed (2 bytes),
//              flags (bit 0: the terminal draws ambiguous-width characters two columns wide;
//              bit 1: frames at every sleep, tone, key read and resize, as on a terminal;
//              bit 2: frames at key reads and resizes only; with neither, no frames: the game
//              runs several times faster, and the renderer has a fuzz target of its own)
//   F0 t       wait: later keys and resizes come 10 t ms later (up to 2.55 s; a long wait
//              takes several)
//   F1 b0..b3  a random value of 31 bits
//   F2 v       a random value 0..255
//   F3 s0 s1   a resize to the size s0 s1, at the time reached so far
//   F4 k       the key k, any byte (also F0..FF)
//   any other  that byte as a key, due at the time reached so far
// A size of two bytes s0 s1 is 1 + s0 + 64 (s1 & 1) columns (1..320), 1 + (s1 >> 1) rows
// (1..128): smaller and larger than the screen canvas. A record cut short by the end of the
// data is dropped. The random values the game draws come first from the records, in order,
// then from a seeded engine; the keys end with the data, and the test console ends the input
// once the game has idled for IdleLimitMs after the last key, or at TimeLimitMs.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "console/test_console.h"

namespace tarnwick::fuzz {

inline constexpr std::uint8_t OpWait = 0xF0;
inline constexpr std::uint8_t OpRandom = 0xF1;
inline constexpr std::uint8_t OpSmallRandom = 0xF2;
inline constexpr std::uint8_t OpResize = 0xF3;
inline constexpr std::uint8_t OpKey = 0xF4;

// One step of a wait record.
inline constexpr std::int64_t WaitStepMs = 10;
// Virtual time after the last key at which the input ends.
inline constexpr std::int64_t IdleLimitMs = 5'000;
// The script's times stop growing here, and the input ends when the game's own clock (a long
// tune, many screens) passes the time limit, so that no input runs for long in real time. The
// About screen's tune (91.8 s) still ends within it.
inline constexpr std::int64_t MaxScriptMs = 90'000;
inline constexpr std::int64_t TimeLimitMs = 100'000;

struct FuzzKey {
    int key = 0;
    std::int64_t dueMs = 0;
    bool operator==(const FuzzKey&) const = default;
};

struct FuzzResize {
    int columns = 0;
    int rows = 0;
    std::int64_t atMs = 0;
    bool operator==(const FuzzResize&) const = default;
};

struct FuzzScript {
    int columns = 1;
    int rows = 1;
    unsigned seed = 0;
    bool ambiguousWide = false;
    TestConsole::Frames frames = TestConsole::Frames::None;
    std::vector<FuzzKey> keys;
    std::vector<int> randoms;
    std::vector<FuzzResize> resizes;
};

FuzzScript decodeFuzzInput(std::span<const std::uint8_t> data);

// Loads the script into a test console (made with the script's size): keys, random values and
// the fallback engine, resize events, the idle limit and the time limit.
void loadScript(const FuzzScript& script, TestConsole& console);

// Runs the whole program on a test console loaded with the decoded input; returns its status.
int runFuzzInput(std::span<const std::uint8_t> data);

}  // namespace tarnwick::fuzz
