// The screen model: a canvas of cells that the game draws on.
//
// The canvas is larger than any terminal, so that what the game draws beyond the terminal's
// edge is kept and shows when the terminal grows. The renderer sends only the part that fits.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tarnwick {

inline constexpr std::uint8_t ColourDefault = 9;  // 0..7 are the ANSI colours

struct Style {
    std::uint8_t fg : 4 = ColourDefault;
    std::uint8_t bg : 4 = ColourDefault;
    bool dim = false;  // faint text (SGR 2), for hints that stay in the background
    // SGR 7 in the game's texts: the cell must stand out from its neighbours. A terminal with
    // colours shows it by the cell's colours alone; one without shows it in reverse video.
    bool standout = false;
    bool operator==(const Style&) const = default;
};

struct Cell {
    char32_t ch = U' ';
    // 1 a narrow character, 2 the left half of a wide one, 0 the right half of a wide one.
    std::uint8_t width = 1;
    Style style;
    bool operator==(const Cell&) const = default;
};
// Equal cells are equal bytes, so that rows compare as memory.
static_assert(std::has_unique_object_representations_v<Cell>);

// A blank in the default background shows nothing; anything else needs its place on the
// terminal.
constexpr bool isVisible(const Cell& cell) {
    return cell.ch != U' ' || cell.style.bg != ColourDefault;
}

// Columns a code point takes: 2 for East Asian Wide and Fullwidth, 1 otherwise.
int codePointWidth(char32_t ch);
// Columns a UTF-8 text takes, escape sequences not counted.
int displayWidth(std::string_view utf8);
// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t ch);
// Decodes one code point at `pos`, advancing it; malformed bytes decode as U+FFFD.
char32_t decodeUtf8(std::string_view text, std::size_t& pos);

class Screen {
  public:
    static constexpr int Columns = 256;
    static constexpr int Rows = 100;

    Screen();

    void moveTo(int x, int y);
    // Writes the text at the cursor, interpreting SGR sequences; the style carries over.
    void print(std::string_view utf8);
    // Blanks every cell and puts the cursor home; the current style stays.
    void clear();

    const Cell& cell(int x, int y) const;
    // The cells of row y (Columns of them); none for a row outside the canvas.
    std::span<const Cell> rowCells(int y) const;
    // The size the drawing needs: one past the rightmost column and the lowest row that a
    // visible cell was written to since the last clear. Overwriting with blanks does not
    // shrink it.
    int usedColumns() const { return usedColumns_; }
    int usedRows() const { return usedRows_; }
    // The leftmost column and the top row that a visible cell was written to since the last
    // clear (the drawing's bounding box with usedColumns and usedRows); 0 when none was.
    int firstColumn() const { return usedColumns_ > 0 ? firstColumn_ : 0; }
    int firstRow() const { return usedRows_ > 0 ? firstRow_ : 0; }
    // Each write and clear counts as a change; a renderer that painted the screen as it stood
    // after change number `since` need not look again at a row unchanged since then.
    std::uint64_t changes() const { return changes_.count; }
    bool rowChangedSince(int y, std::uint64_t since) const;
    int cursorX() const { return cursorX_; }
    int cursorY() const { return cursorY_; }
    Style style() const { return style_; }

    // The characters of a row from column `from`, `columns` wide (wide characters once).
    std::string textAt(int x, int y, int columns) const;
    // A whole row with its trailing blanks removed.
    std::string rowText(int y) const;
    // Every row, trailing blank rows removed, one line each: for failure messages.
    std::string dump() const;

  private:
    void applySgr(std::string_view params);
    void put(char32_t ch);
    void blank(int x, int y);
    Cell& at(int x, int y) { return cells_[static_cast<std::size_t>(y) * Columns + x]; }

    std::vector<Cell> cells_;
    // The number of each row's last change, and of the last clear: a row changed after the
    // last clear is the only kind a clear must blank. A screen assigned over another counts
    // as cleared after every change of the one it replaces.
    struct ChangeCounts {
        std::vector<std::uint64_t> rows = std::vector<std::uint64_t>(Rows, 0);
        std::uint64_t count = 0;
        std::uint64_t clearedAt = 0;
        ChangeCounts() = default;
        ChangeCounts(const ChangeCounts&) = default;
        ChangeCounts& operator=(const ChangeCounts& other);
    };
    ChangeCounts changes_;
    int cursorX_ = 0;
    int cursorY_ = 0;
    Style style_;
    int usedColumns_ = 0;
    int usedRows_ = 0;
    int firstColumn_ = Columns;
    int firstRow_ = Rows;
};

}  // namespace tarnwick
