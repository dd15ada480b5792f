// A console that passes every operation to a test console. A test derives from it and
// overrides the operations it wants to watch (the screen at a sleep, at a tone, ...).
#pragma once

#include "terminal/test_console.h"

namespace tarnwick::testing {

class ForwardingConsole : public Console {
  public:
    explicit ForwardingConsole(TestConsole& inner) : inner_(inner) {}

    void gotoXY(int x, int y) override { inner_.gotoXY(x, y); }
    void printText(std::string_view text) override { inner_.printText(text); }
    void clearScreen() override { inner_.clearScreen(); }
    void hideCursor() override { inner_.hideCursor(); }
    void setTitle(std::string_view title) override { inner_.setTitle(title); }
    int readKey() override { return inner_.readKey(); }
    bool keyWaiting() override { return inner_.keyWaiting(); }
    void sleepMs(int ms) override { inner_.sleepMs(ms); }
    void tone(int hz, int ms) override { inner_.tone(hz, ms); }
    void rest(int ms) override { inner_.rest(ms); }
    void seedRandom(unsigned seed) override { inner_.seedRandom(seed); }
    int nextRandom() override { return inner_.nextRandom(); }

  protected:
    TestConsole& inner_;
};

}  // namespace tarnwick::testing
