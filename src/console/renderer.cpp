#include "console/renderer.h"

#include <algorithm>
#include <cstring>

#include "console/ambiguous_width.h"
#include "console/size_notice.h"

namespace tarnwick {

namespace {

// A front cell whose content the terminal may show differently from the model (the other
// half of a wide character that a print cut in two): never equal to a wanted cell.
constexpr Cell Unknown{U'\0', 1, {}};

// Longest run of unchanged cells worth reprinting instead of a cursor move.
constexpr int MaxReprintColumns = 8;

// Fewest shown cells in the rest of a row that is to be blank for which one erase is shorter
// than writing blanks over them.
constexpr int MinErasedColumns = 4;

}  // namespace

std::string Renderer::frame(const Screen& screen, int columns, int rows) {
    return frame(screen, plainFrame(screen, columns, rows));
}

std::string Renderer::frame(const Screen& screen, const ViewFrame& view) {
    std::string out;
    bool scrolled = false;
    if (!valid_ || view.columns != columns_ || view.rows != rows_) {
        startOver(out, view.columns, view.rows);
    } else if (view.scroll.by != 0 && scrollFits(view.scroll)) {
        scroll(out, view.scroll);
        scrolled = true;
    }
    const bool notice = view.needColumns > 0;
    for (int y = 0; y < rows_; ++y) {
        if (rowUnchanged(screen, view, y)) {
            continue;  // it would send nothing
        }
        cutRows_[static_cast<std::size_t>(y)] = false;
        if (notice && y == rows_ - 1) {
            row_ = sizeNoticeRow(view.needColumns, view.needRows, columns_);
        } else {
            composeRow(screen, view, y);
        }
        for (Cell& cell : row_) {
            cell.style = shownStyle(cell.style, features_);
        }
        paintRow(out, y, !view.identity);
    }
    lastScreen_ = &screen;
    lastChanges_ = screen.changes();
    lastView_ = view;
    // A scroll is always shown together with the rows it brought in and the panel it moved.
    if (features_.synchronizedOutput && (out.size() > SyncThreshold || scrolled)) {
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

void Renderer::setFeatures(const TerminalFeatures& features) {
    features_ = features;
    valid_ = false;
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
    cutRows_.assign(static_cast<std::size_t>(rows_), false);
    lastScreen_ = nullptr;
    valid_ = true;
}

bool Renderer::rowUnchanged(const Screen& screen, const ViewFrame& view, int y) const {
    if (&screen != lastScreen_ || !(view == lastView_) || view.scroll.by != 0 ||
        cutRows_[static_cast<std::size_t>(y)]) {
        return false;
    }
    if (view.needColumns > 0 && y == rows_ - 1) {
        return true;  // the notice, the same as before
    }
    if (view.identity) {
        return !screen.rowChangedSince(y, lastChanges_);
    }
    for (int i = 0; i < view.regionCount; ++i) {
        const ViewRegion& region = view.regions[static_cast<std::size_t>(i)];
        if (y >= region.top && y < region.top + region.rows &&
            screen.rowChangedSince(region.fromY + y - region.top, lastChanges_)) {
            return false;
        }
    }
    return true;
}

void Renderer::composeRow(const Screen& screen, const ViewFrame& view, int y) {
    if (view.identity) {
        const auto cells = screen.rowCells(y);
        const std::size_t shown = std::min(cells.size(), static_cast<std::size_t>(columns_));
        row_.assign(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(shown));
        row_.resize(static_cast<std::size_t>(columns_), Cell{});
    } else {
        composeViewRow(screen, view, y, row_);
    }
    if (columns_ > 0 && row_.back().width == 2) {
        row_.back() = Cell{U' ', 1, row_.back().style};  // half a wide character does not fit
    }
    if (ambiguousWide_) {
        fitAmbiguousToWide(row_);
    }
}

void Renderer::paintRow(std::string& out, int y, bool erase) {
    const Cell* shown = front_.data() + static_cast<std::ptrdiff_t>(y) * columns_;
    if (row_.empty() || std::memcmp(row_.data(), shown, row_.size() * sizeof(Cell)) == 0) {
        return;  // the terminal shows the row already (a screen drawn again as it was)
    }
    // Where the row's blank rest begins, when erasing it is allowed.
    int blankFrom = columns_;
    while (erase && blankFrom > 0 && row_[static_cast<std::size_t>(blankFrom) - 1] == Cell{}) {
        --blankFrom;
    }
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
            if (erase && x >= blankFrom && worthErasing(x, y)) {
                eraseRest(out, x, y);
                return;
            }
            emitCell(out, x, y);
        }
        x += want.width;
    }
}

bool Renderer::worthErasing(int x, int y) const {
    int shown = 0;
    for (int i = x; i < columns_; ++i) {
        shown += front_[static_cast<std::size_t>(y) * columns_ + i] == Cell{} ? 0 : 1;
    }
    return shown >= MinErasedColumns;
}

void Renderer::eraseRest(std::string& out, int x, int y) {
    out += cheapestMove(cursor_, x, y, nullptr);
    resetPen(out);
    out += EraseRestOfRow;
    if (front(x, y).width == 0 && x > 0) {
        front(x - 1, y) = Unknown;  // the erase cut a wide character in two
        cutRows_[static_cast<std::size_t>(y)] = true;
    }
    for (int i = x; i < columns_; ++i) {
        front(i, y) = Cell{};
    }
    cursor_ = CursorState{x, y, false};
}

void Renderer::resetPen(std::string& out) {
    out += styleChange(pen_, penKnown_, Style{});
    pen_ = Style{};
    penKnown_ = true;
}

bool Renderer::scrollFits(const ViewScroll& scroll) const {
    // A region not wholly on the terminal is not scrolled: the rows are repainted instead.
    // Its columns count only where the terminal scrolls between side margins.
    const bool rowsFit = scroll.top >= 0 && scroll.top <= scroll.bottom && scroll.bottom < rows_;
    const bool columnsFit = !sideMargins_ || (scroll.left >= 0 && scroll.left <= scroll.right &&
                                              scroll.right < columns_);
    return rowsFit && columnsFit;
}

void Renderer::scroll(std::string& out, const ViewScroll& scroll) {
    // The rows that come in take the current background: the colours are reset first.
    resetPen(out);
    const bool sides = sideMargins_ && (scroll.left > 0 || scroll.right < columns_ - 1);
    const int left = sides ? scroll.left : 0;
    const int right = sides ? scroll.right : columns_ - 1;
    if (sides) {
        out.append(SideMarginsOn).append(sideMargins(left, right));
        cursor_ = CursorState{0, 0, false};
    }
    const bool margins = scroll.top != 0 || scroll.bottom != rows_ - 1;
    if (margins) {
        out += scrollRegion(scroll.top, scroll.bottom);
        cursor_ = CursorState{0, 0, false};
    }
    // Line feeds on the margin the rows leave by, or lines deleted or inserted at the top:
    // whichever is shorter. After the latter the cursor's column differs between terminals.
    // Either acts only with the cursor between the side margins.
    const int indexRow = scroll.by > 0 ? scroll.bottom : scroll.top;
    const int column = std::clamp(cursor_.known() ? cursor_.x : 0, left, right);
    const std::string byIndex =
        cheapestMove(cursor_, column, indexRow, nullptr) + indexLines(scroll.by);
    const std::string byLines =
        cheapestMove(cursor_, left, scroll.top, nullptr) + deleteLines(scroll.by);
    if (byIndex.size() <= byLines.size()) {
        out += byIndex;
        cursor_ = CursorState{column, indexRow, false};
    } else {
        out += byLines;
        cursor_ = CursorState{};
    }
    if (sides) {
        out += SideMarginsOff;
    }
    if (margins) {
        out += WholeScrollRegion;
        cursor_ = CursorState{0, 0, false};
    }
    // The front buffer's rows, within the columns that moved.
    const int height = scroll.bottom - scroll.top + 1;
    const int by = scroll.by;
    for (int i = 0; i < height; ++i) {
        const int y = by > 0 ? scroll.top + i : scroll.bottom - i;
        const int from = y + by;
        for (int x = left; x <= right; ++x) {
            front(x, y) = from >= scroll.top && from <= scroll.bottom ? front(x, from) : Cell{};
        }
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
        cutRows_[static_cast<std::size_t>(y)] = true;
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
