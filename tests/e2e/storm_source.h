// Random input for the byte storm: game keys, other printable characters, escape sequences
// of real keys and of nothing, control characters and stray high bytes.
//
// It never holds the bytes that raise signals through the terminal (Ctrl-C, Ctrl-Z, Ctrl-\),
// nor '0', which quits from the main menu: the storm sends that only where it cannot quit.
// Without the About screen it holds no '4' either, so that a short storm never waits out
// the About tune.
#pragma once

#include <random>
#include <string>

namespace tarnwick::e2e {

class StormSource {
  public:
    StormSource(unsigned seed, bool allowAbout) : random_(seed), allowAbout_(allowAbout) {}

    // One to a few dozen bytes.
    std::string chunk();

  private:
    int below(int bound) { return static_cast<int>(random_() % static_cast<unsigned>(bound)); }
    std::string gameKeys();
    std::string printable();
    std::string escapeSequence();
    std::string controls();
    std::string highBytes();

    std::mt19937 random_;
    bool allowAbout_;
};

}  // namespace tarnwick::e2e
