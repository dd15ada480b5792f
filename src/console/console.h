// The console seam: everything the game needs from the outside world.
//
// Two implementations exist: the real terminal (terminal/real_terminal.h) and the test console
// (test_console.h). The game talks only to this interface, so a test can run whole games
// with scripted keys, scripted random values and a virtual clock.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Thrown by a console when no more keys can ever arrive (end of input, the terminal went
// away, or a test script ran dry). The program entry catches it and ends with status 0.
struct EndOfInput {};

// Where the board stands on the screen: the column and row of its top-left cell, its size in
// cells and the columns one cell takes. Everything drawn right of it is the status panel.
struct BoardArea {
    int column = 0;
    int row = 0;
    int cellsAcross = 0;
    int cellsDown = 0;
    int cellColumns = 1;
    bool operator==(const BoardArea&) const = default;
};

// Cells of the board from its first cell (0, 0): the first one across and down, and how many.
struct BoardWindow {
    int x = 0;
    int y = 0;
    int across = 0;
    int down = 0;
    bool operator==(const BoardWindow&) const = default;
    bool holds(int cellX, int cellY) const {
        return cellX >= x && cellX - x < across && cellY >= y && cellY - y < down;
    }
};
// Every cell of any board.
inline constexpr BoardWindow WholeBoard{0, 0, 1 << 20, 1 << 20};

// Random values: non-negative integers; the game takes them modulo its bounds.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual void seedRandom(unsigned seed) = 0;
    virtual int nextRandom() = 0;
};

// Each console is also the random source: the real terminal draws from the game's own generator
// (random_generator.h), the test console from its script.
class Console : public RandomSource {
  public:
    // Screen: column x, row y, both from 0 at the top-left corner.
    virtual void gotoXY(int x, int y) = 0;
    // Prints at the cursor; SGR sequences in the text set the colours, which stay in force
    // for later prints until a reset. Never prints a line feed.
    virtual void printText(std::string_view text) = 0;
    virtual void clearScreen() = 0;
    virtual void hideCursor() = 0;
    virtual void setTitle(std::string_view title) = 0;
    // For a terminal too small for the play screen (see view.h): the board stands in this
    // area until the next clearScreen, and the position to keep in sight (the player's cell).
    virtual void showBoard(const BoardArea& area) = 0;
    virtual void keepInSight(int x, int y) = 0;
    // The terminal's width in columns, for a screen that has a narrower form to offer; a
    // console without a terminal holds any screen.
    virtual int columns() const { return 1 << 20; }
    // The cells of the board the terminal showed in its last frame.
    virtual BoardWindow shownBoard() const { return WholeBoard; }

    // Keys: one byte per key (0..255). readKey blocks; keyWaiting never blocks.
    // Both may throw EndOfInput.
    virtual int readKey() = 0;
    virtual bool keyWaiting() = 0;

    // Time and sound. Each blocks for the whole duration.
    virtual void sleepMs(int ms) = 0;
    virtual void tone(int hz, int ms) = 0;
    // A pause inside a tune: silence of the given length, kept in the same sound stream.
    virtual void rest(int ms) = 0;

    // printText with the first "%d" of the text replaced by the value.
    void printFormatted(std::string_view format, int value);
};

// The text with its first "%d" replaced by the decimal value.
std::string formatInt(std::string_view format, int value);

}  // namespace tarnwick
