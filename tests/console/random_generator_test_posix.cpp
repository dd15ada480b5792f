// The game's generator against the C library's rand() (GNU, Linux only): the boards of every
// seed must stay what they were when the game drew from rand().
#include <gtest/gtest.h>

#include <cstdlib>

#include "console/random_generator.h"

namespace tarnwick {
namespace {

TEST(RandomGenerator, EqualsTheCLibraryRandForTenThousandSeeds) {
    RandomGenerator generator;
    for (unsigned i = 0; i < 10000; ++i) {
        // The first seeds as they come, then seeds spread over the whole unsigned range.
        const unsigned seed = i < 5000 ? i : i * 2654435761u;
        generator.seed(seed);
        std::srand(seed);
        for (int draw = 0; draw < 1000; ++draw) {
            const int expected = std::rand();
            const int got = generator.next();
            if (got != expected) {
                FAIL() << "seed " << seed << ", draw " << draw << ": " << got << " instead of "
                       << expected;
            }
        }
    }
}

}  // namespace
}  // namespace tarnwick
