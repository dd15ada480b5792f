// The game's random generator: the additive feedback generator of 31 words that the GNU C
// library's rand() and random() use (their default state), seeded as srand() seeds it. The
// same seed gives the same values on every system, so a --seed means the same game on Linux
// and on Windows, and the boards of Linux builds before this generator stay what they were.
#pragma once

#include <array>
#include <cstdint>

namespace tarnwick {

class RandomGenerator {
  public:
    RandomGenerator() { seed(1); }
    void seed(unsigned seed);
    // The next value, 0 to 2^31 - 1.
    int next();

  private:
    static constexpr std::size_t Words = 31;
    std::array<std::uint32_t, Words> state_{};
    std::size_t front_ = 0;  // the word that takes the sum and gives the value
    std::size_t rear_ = 0;   // the word added to it, 3 words behind
};

}  // namespace tarnwick
