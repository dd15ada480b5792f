#include "menus/muted_console.h"

namespace tarnwick {

void MutedConsole::gotoXY(int x, int y) {
    inner_.gotoXY(x, y);
}

void MutedConsole::printText(std::string_view text) {
    inner_.printText(text);
}

void MutedConsole::clearScreen() {
    inner_.clearScreen();
}

void MutedConsole::showBoard(const BoardArea& area) {
    inner_.showBoard(area);
}

void MutedConsole::keepInSight(int x, int y) {
    inner_.keepInSight(x, y);
}

void MutedConsole::hideCursor() {
    inner_.hideCursor();
}

void MutedConsole::setTitle(std::string_view title) {
    inner_.setTitle(title);
}

int MutedConsole::readKey() {
    return inner_.readKey();
}

bool MutedConsole::keyWaiting() {
    return inner_.keyWaiting();
}

void MutedConsole::sleepMs(int ms) {
    inner_.sleepMs(ms);
}

void MutedConsole::tone(int, int ms) {
    inner_.sleepMs(ms);
}

void MutedConsole::rest(int ms) {
    inner_.sleepMs(ms);
}

void MutedConsole::seedRandom(unsigned seed) {
    inner_.seedRandom(seed);
}

int MutedConsole::nextRandom() {
    return inner_.nextRandom();
}

}  // namespace tarnwick
