// Writes every byte the game draws for a seed and a line of keys, on an 80 x 24 test console
// that draws from the game's own generator. The Windows build's bytes must equal the Linux
// build's (scripts/windows-check.sh). Usage: frame_dump SEED KEYS FILE
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "console/random_generator.h"
#include "console/test_console.h"
#include "menus/main_menu.h"

namespace {

class SeededConsole : public tarnwick::TestConsole {
  public:
    SeededConsole() : TestConsole(80, 24) {}
    void seedRandom(unsigned seed) override { random_.seed(seed); }
    int nextRandom() override { return random_.next(); }

  private:
    tarnwick::RandomGenerator random_;
};

// The keys come a quarter of a second apart, as a player presses them.
constexpr std::int64_t KeyPaceMs = 250;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: frame_dump SEED KEYS FILE\n";
        return 2;
    }
    SeededConsole console;
    const std::string keys = argv[2];
    for (std::size_t i = 0; i < keys.size(); ++i) {
        console.pushKey(static_cast<unsigned char>(keys[i]),
                        static_cast<std::int64_t>(i + 1) * KeyPaceMs);
    }
    console.setIdleLimitMs(60'000);
    tarnwick::ProgramOptions options;
    options.seed = static_cast<std::uint32_t>(std::stoul(argv[1]));
    options.defaults = true;
    try {
        tarnwick::programEntry(console, options);
    } catch (const tarnwick::EndOfInput&) {
    }
    std::ofstream(argv[3], std::ios::binary) << console.takeOutput();
    return 0;
}
