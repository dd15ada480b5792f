// A console that plays no sound: every tone and rest becomes a plain sleep of its length, so
// that tunes and cues keep their time. Everything else goes to the console it wraps.
#pragma once

#include "console/console.h"

namespace tarnwick {

class MutedConsole : public Console {
  public:
    explicit MutedConsole(Console& inner) : inner_(inner) {}

    void gotoXY(int x, int y) override;
    void printText(std::string_view text) override;
    void clearScreen() override;
    void showBoard(const BoardArea& area) override;
    void keepInSight(int x, int y) override;
    int columns() const override { return inner_.columns(); }
    BoardWindow shownBoard() const override { return inner_.shownBoard(); }
    void hideCursor() override;
    void setTitle(std::string_view title) override;
    int readKey() override;
    bool keyWaiting() override;
    void sleepMs(int ms) override;
    void tone(int hz, int ms) override;
    void rest(int ms) override;
    void seedRandom(unsigned seed) override;
    int nextRandom() override;

  private:
    Console& inner_;
};

}  // namespace tarnwick
