// Tarnwick: a maze game for the text terminal.
#include "menus/main_menu.h"
#include "terminal/real_terminal.h"

int main() {
    tarnwick::RealTerminal terminal;
    return tarnwick::programEntry(terminal);
}
