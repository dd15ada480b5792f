// Soak run: many random games through the whole program on the test console, with random keys
// at random due times (every screen and every mode) and seeded random values. Memory must stay
// flat: the peak resident set after the last game may exceed the figure taken at the first
// checkpoint (after 1,000 games, or a tenth of the games when fewer are asked for) by at most
// 1 MB.
//
// Usage: bench_soak [games]   (default 1000)

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "console/test_console.h"
#include "menus/main_menu.h"

namespace {

using tarnwick::Screen;
using tarnwick::TestConsole;

constexpr long AllowedGrowthKb = 1024;
// Each run of the program is bounded: its keys end, it idles out, and its clock stops.
constexpr int MaxPlayKeys = 300;
constexpr int MaxKeyGapMs = 400;
constexpr std::int64_t IdleLimitMs = 5'000;
constexpr std::int64_t TimeLimitMs = 300'000;

struct TerminalSize {
    int columns;
    int rows;
};
// The runs cycle through these sizes, so the largest is used from the start.
constexpr TerminalSize Sizes[] = {{160, 60}, {80, 24}, {100, 30}, {120, 40}, {40, 12}};

// Keys of play, weighted by how often they come: moves most, the rest now and then. '4' is
// left out: on the main menu it opens the About screen, whose tune holds 91.8 s.
constexpr char PlayKeys[] = "wasdwasdwasdwasdwasdwasdjkp0123xW";

// A test console that drops the renderer's bytes and the sounds now and then as the game
// goes, so that a long game holds no more memory than a short one.
class SoakConsole : public TestConsole {
  public:
    using TestConsole::TestConsole;
    void sleepMs(int ms) override {
        TestConsole::sleepMs(ms);
        drainSometimes();
    }
    void tone(int hz, int ms) override {
        TestConsole::tone(hz, ms);
        drainSometimes();
    }

  private:
    // Taking the output renders a frame; doing it at every call would double the work.
    static constexpr int DrainEvery = 16;
    void drainSometimes() {
        if (++calls_ % DrainEvery == 0) {
            takeOutput();
            clearSounds();
        }
    }
    int calls_ = 0;
};

struct Tally {
    long games = 0;
    long keys = 0;
    std::int64_t virtualMs = 0;
    long pauses = 0;
    long defeats = 0;
    long victories = 0;
    long shops = 0;
    long settings = 0;
    long helps = 0;
    long abouts = 0;
    long modes[6] = {};
};

// Counts the screens that wait for a key, from a cell of their first line.
void countScreen(const Screen& screen, Tally& tally) {
    if (screen.cell(43, 14).ch == U'游') {
        ++tally.pauses;
    } else if (screen.cell(43, 12).ch == U'Y') {
        ++(screen.cell(47, 12).ch == U'L' ? tally.defeats : tally.victories);
    } else if (screen.cell(40, 14).ch == U'购') {
        ++tally.shops;
    } else if (screen.cell(40, 10).ch == U'地') {
        ++tally.settings;
    } else if (screen.cell(40, 10).ch == U'w') {
        ++tally.helps;
    } else if (screen.cell(43, 12).ch == U'程') {
        ++tally.abouts;
    }
}

char pick(std::mt19937& rng, const std::string& keys) {
    return keys[std::uniform_int_distribution<std::size_t>(0, keys.size() - 1)(rng)];
}

// The menu keys before a game: a few visits of the settings, the help screen and, rarely,
// the About screen; the chosen mode is counted.
std::string menuKeys(std::mt19937& rng, Tally& tally) {
    std::string keys;
    const int visits = std::uniform_int_distribution<int>(0, 4)(rng);
    for (int i = 0; i < visits; ++i) {
        switch (std::uniform_int_distribution<int>(0, 40)(rng)) {
            case 0:
                keys += std::string("4") + pick(rng, "x0");
                break;
            case 1:
            case 2:
            case 3:
            case 4:
            case 5:
            case 6:
                keys += std::string("21") + pick(rng, "1234567x") + pick(rng, "12345678x");
                break;
            case 7:
            case 8:
            case 9:
            case 10:
            case 11:
            case 12:
                keys += std::string("23") + pick(rng, "0123456789");
                break;
            case 13:
            case 14:
            case 15:
                keys += std::string("24") + pick(rng, "01x");
                break;
            case 16:
            case 17:
            case 18:
                keys += std::string("3") + pick(rng, "0x");
                break;
            default: {
                const char mode = pick(rng, "123455");
                keys += std::string("22") + mode;
                ++tally.modes[mode - '0'];
                break;
            }
        }
    }
    return keys + "1";
}

void scriptRun(SoakConsole& console, std::mt19937& rng, Tally& tally) {
    std::int64_t dueMs = 0;
    for (const char key : menuKeys(rng, tally)) {
        console.pushKey(key, dueMs);
    }
    const int playKeys = std::uniform_int_distribution<int>(0, MaxPlayKeys)(rng);
    std::uniform_int_distribution<int> gap(0, MaxKeyGapMs);
    for (int i = 0; i < playKeys; ++i) {
        dueMs += gap(rng);
        console.pushKey(pick(rng, PlayKeys), dueMs);
    }
    tally.keys += static_cast<long>(console.keysLeft());
    console.setRandomFallback(static_cast<unsigned>(rng()));
    console.setIdleLimitMs(IdleLimitMs);
    console.setTimeLimitMs(TimeLimitMs);
}

void playOne(long index, Tally& tally) {
    std::mt19937 rng(static_cast<unsigned>(index) * 2654435761u + 1);
    const TerminalSize size = Sizes[index % std::size(Sizes)];
    SoakConsole console(size.columns, size.rows);
    scriptRun(console, rng, tally);
    console.setKeyReadHook([&tally](const TestConsole& c) { countScreen(c.screen(), tally); });
    if (tarnwick::programEntry(console) != 0) {
        std::fprintf(stderr, "run %ld ended with a non-zero status\n", index);
        std::exit(1);
    }
    tally.virtualMs += console.nowMs();
    ++tally.games;
}

long peakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    const long games = argc > 1 ? std::atol(argv[1]) : 1000;
    const long checkpoint = games >= 10'000 ? 1000 : std::max(1L, games / 10);
    const auto start = std::chrono::steady_clock::now();
    Tally tally;
    long checkpointKb = 0;
    for (long i = 1; i <= games; ++i) {
        playOne(i - 1, tally);
        if (i == checkpoint) {
            checkpointKb = peakRssKb();
        }
        // The checkpoint, then nine more figures on the way.
        if (i == checkpoint || (i % std::max(1L, games / 10) == 0 && i < games)) {
            std::printf("after %ld runs: peak RSS %ld KB\n", i, peakRssKb());
            std::fflush(stdout);
        }
    }
    const long endKb = peakRssKb();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("after %ld runs: peak RSS %ld KB (%+ld KB since the checkpoint)\n", games, endKb,
                endKb - checkpointKb);
    std::printf("%ld keys, %.1f h of game time in %.1f s\n", tally.keys,
                static_cast<double>(tally.virtualMs) / 3.6e6, seconds);
    std::printf(
        "modes chosen: timed %ld, auto-walk %ld, endless %ld, war-god %ld, easter egg %ld\n",
        tally.modes[1], tally.modes[2], tally.modes[3], tally.modes[4], tally.modes[5]);
    std::printf(
        "screens waited on: pause %ld, defeat %ld, victory %ld, shop %ld, settings %ld, "
        "help %ld, About %ld\n",
        tally.pauses, tally.defeats, tally.victories, tally.shops, tally.settings, tally.helps,
        tally.abouts);
    if (endKb - checkpointKb > AllowedGrowthKb) {
        std::printf("memory grew by more than %ld KB\n", AllowedGrowthKb);
        return 1;
    }
    return 0;
}
