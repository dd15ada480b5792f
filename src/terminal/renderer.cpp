#include "terminal/renderer.h"

namespace tarnwick {

namespace {

// A front cell whose content the terminal may show differently from the model (the other
// half of a wide character that a print cut in two): never equal to a screen cell.
constexpr Cell Unknown{U'\0', 1, {}};

// Longest run of unchanged cells worth reprinting instead of a cursor move.
constexpr int MaxReprintColumns = 8;

}  // namespace

std::string Renderer::frame(const Screen& screen, int columns, int rows) {
    std::string out;
    if (!valid_ || columns != columns_ || rows != rows_) {
        startOver(out, columns, rows);
    }
    for (int y = 0; y < rows_; ++y) {
        paintRow(out, screen, y);
    }
    if (out.size() > SyncThreshold) {
        return "\x1b[?2026h" + out + "\x1b[?2026l";
    }
    return out;
}

void Renderer::startOver(std::string& out, int columns, int rows) {
    columns_ = columns;
    rows_ = rows;
    // The erase takes the current background colour, so the colours are reset first; after
    // it every cell is a blank in the default colours.
    out += "\x1b[m\x1b[H\x1b[2J";
    pen_ = Style{};
    penKnown_ = true;
    cursor_ = CursorState{0, 0, false};
    front_.assign(static_cast<std::size_t>(columns) * rows, Cell{});
    valid_ = true;
}

void Renderer::paintRow(std::string& out, const Screen& screen, int y) {
    int x = 0;
    while (x < columns_) {
        Cell want = screen.cell(x, y);
        if (want.width == 0) {
            ++x;  // the right half of a wide character, painted with its left half
            continue;
        }
        if (want.width == 2 && x + 1 >= columns_) {
            want = Cell{U' ', 1, want.style};  // half a wide character does not fit
        }
        const bool same =
            front(x, y) == want && (want.width == 1 || front(x + 1, y) == screen.cell(x + 1, y));
        if (!same) {
            emitCell(out, screen, x, y, want);
        }
        x += want.width;
    }
}

bool Renderer::reprintBytes(const Screen& screen, int x, std::string& bytes) const {
    const int y = cursor_.y;
    if (x - cursor_.x > MaxReprintColumns) {
        return false;
    }
    for (int i = cursor_.x; i < x; ++i) {
        const Cell& c = screen.cell(i, y);
        if (!(c.style == pen_)) {
            return false;
        }
        if (c.width != 0) {
            appendUtf8(bytes, c.ch);
        }
    }
    return true;
}

void Renderer::emitCell(std::string& out, const Screen& screen, int x, int y, const Cell& cell) {
    std::string reprint;
    const bool canReprint = penKnown_ && cursor_.known() && !cursor_.pendingWrap &&
                            cursor_.y == y && x > cursor_.x && reprintBytes(screen, x, reprint);
    out += cheapestMove(cursor_, x, y, canReprint ? &reprint : nullptr);
    out += styleChange(pen_, penKnown_, cell.style);
    pen_ = cell.style;
    penKnown_ = true;
    appendUtf8(out, cell.ch);

    // What the terminal does to the wide characters this print cuts in two: it blanks their
    // other halves, in colours that differ between terminals.
    if (front(x, y).width == 0 && x > 0) {
        front(x - 1, y) = Unknown;
    }
    const int last = x + cell.width - 1;
    if (front(last, y).width == 2 && last + 1 < columns_) {
        front(last + 1, y) = Unknown;
    }
    front(x, y) = cell;
    if (cell.width == 2) {
        front(x + 1, y) = screen.cell(x + 1, y);
    }
    cursor_ = CursorState{last + 1, y, last + 1 >= columns_};
    if (cursor_.pendingWrap) {
        cursor_.x = columns_ - 1;
    }
}

}  // namespace tarnwick
