#include "console/random_generator.h"

namespace tarnwick {

namespace {

// The words are filled by the multiplicative generator x * 16807 mod (2^31 - 1), worked in
// 32-bit signed steps (Schrage's method) as the C library does, a negative seed included.
constexpr std::int64_t Modulus = 2147483647;
constexpr std::int64_t Quotient = 127773;  // Modulus / 16807
constexpr std::int64_t Remainder = 2836;   // Modulus % 16807
constexpr std::size_t Separation = 3;      // how far the rear word trails the front one
constexpr int DiscardedDraws = 310;        // ten rounds of the state, mixed away at seeding

}  // namespace

void RandomGenerator::seed(unsigned seed) {
    std::int32_t word = seed == 0 ? 1 : static_cast<std::int32_t>(seed);
    state_[0] = static_cast<std::uint32_t>(word);
    for (std::size_t i = 1; i < Words; ++i) {
        const std::int64_t high = word / Quotient;
        const std::int64_t low = word % Quotient;
        std::int64_t next = 16807 * low - Remainder * high;
        if (next < 0) {
            next += Modulus;
        }
        word = static_cast<std::int32_t>(next);
        state_[i] = static_cast<std::uint32_t>(word);
    }
    front_ = Separation;
    rear_ = 0;
    for (int i = 0; i < DiscardedDraws; ++i) {
        static_cast<void>(next());
    }
}

int RandomGenerator::next() {
    state_[front_] += state_[rear_];
    const std::uint32_t value = state_[front_] >> 1;
    front_ = front_ + 1 == Words ? 0 : front_ + 1;
    rear_ = rear_ + 1 == Words ? 0 : rear_ + 1;
    return static_cast<int>(value);
}

}  // namespace tarnwick
