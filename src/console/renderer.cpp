#include "console/renderer.h"

#include "console/ambiguous_width.h"
#include "console/size_notice.h"

namespace tarnwick {

namespace {

// A front cell whose content the terminal may show differently from the model (the other
// half of a wide character that a print cut in two): never equal to a wanted cell.
constexpr Cell Unknown{U'\0', 1, {}};

// Longest run of unchanged cells worth reprinting instead of a cursor move.
constexpr int MaxReprintColumns = 8;

}  // namespace

std::string Renderer::frame(const Screen& screen, int columns, int rows) {
    std::string out;
    if (!valid_ || columns != columns_ || rows != rows_) {
        startOver(out, columns, rows);
    }
    const bool tooSmall = screen.usedColumns() > columns_ || screen.usedRows() > rows_;
    for (int y = 0; y < rows_; ++y) {
        if (tooSmall && y == rows_ - 1) {
            row_ = sizeNoticeRow(screen.usedColumns(), screen.usedRows(), columns_);
        } else {
            composeRow(screen, y);
        }
        paintRow(out, y);
    }
    if (out.size() > SyncThreshold) {
        return "\x1b[?2026h" + out + "\x1b[?2026l";
    }
    return out;
}

void Renderer::setAmbiguousWide(bool wide) {
    if (wide != ambiguousWide_) {
        ambiguousWide_ = wide;
        valid_ = false;
    }
}

void Renderer::startOver(std::string& out, int columns, int rows) {
    columns_ = columns > 0 ? columns : 0;
    rows_ = rows > 0 ? rows : 0;
    // The erase takes the current background colour, so the colours are reset first; after
    // it every cell is a blank in the default colours.
    out += "\x1b[m\x1b[H\x1b[2J";
    pen_ = Style{};
    penKnown_ = true;
    cursor_ = CursorState{0, 0, false};
    front_.assign(static_cast<std::size_t>(columns_) * rows_, Cell{});
    valid_ = true;
}

void Renderer::composeRow(const Screen& screen, int y) {
    row_.resize(static_cast<std::size_t>(columns_));
    for (int x = 0; x < columns_; ++x) {
        row_[static_cast<std::size_t>(x)] = screen.cell(x, y);
    }
    if (columns_ > 0 && row_.back().width == 2) {
        row_.back() = Cell{U' ', 1, row_.back().style};  // half a wide character does not fit
    }
    if (ambiguousWide_) {
        fitAmbiguousToWide(row_);
    }
}

void Renderer::paintRow(std::string& out, int y) {
    int x = 0;
    while (x < columns_) {
        const Cell& want = row_[static_cast<std::size_t>(x)];
        if (want.width == 0) {
            ++x;  // the right half of a wide character, painted with its left half
            continue;
        }
        const bool same =
            front(x, y) == want &&
            (want.width == 1 || front(x + 1, y) == row_[static_cast<std::size_t>(x) + 1]);
        if (!same) {
            emitCell(out, x, y);
        }
        x += want.width;
    }
}

bool Renderer::reprintBytes(int x, std::string& bytes) const {
    if (x - cursor_.x > MaxReprintColumns || row_[static_cast<std::size_t>(cursor_.x)].width == 0) {
        return false;
    }
    for (int i = cursor_.x; i < x; ++i) {
        const Cell& c = row_[static_cast<std::size_t>(i)];
        if (!(c.style == pen_)) {
            return false;
        }
        if (c.width != 0) {
            appendUtf8(bytes, c.ch);
        }
    }
    return true;
}

void Renderer::emitCell(std::string& out, int x, int y) {
    const Cell& cell = row_[static_cast<std::size_t>(x)];
    std::string reprint;
    const bool canReprint = penKnown_ && cursor_.known() && !cursor_.pendingWrap &&
                            cursor_.y == y && x > cursor_.x && reprintBytes(x, reprint);
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
        front(x + 1, y) = row_[static_cast<std::size_t>(x) + 1];
    }
    cursor_ = CursorState{last + 1, y, last + 1 >= columns_};
    if (cursor_.pendingWrap) {
        cursor_.x = columns_ - 1;
    }
}

}  // namespace tarnwick
