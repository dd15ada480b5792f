#include "terminal/renderer.h"

namespace tarnwick {

namespace {

void appendSgr(std::string& out, Style from, Style to) {
    if (from == to) {
        return;
    }
    if (to == Style{}) {
        out += "\x1b[m";
        return;
    }
    out += "\x1b[";
    bool first = true;
    auto field = [&](int value) {
        if (!first) {
            out += ';';
        }
        out += std::to_string(value);
        first = false;
    };
    if (to.fg != from.fg) {
        field(to.fg == ColourDefault ? 39 : 30 + to.fg);
    }
    if (to.bg != from.bg) {
        field(to.bg == ColourDefault ? 49 : 40 + to.bg);
    }
    out += 'm';
}

void appendMove(std::string& out, int x, int y) {
    out += "\x1b[" + std::to_string(y + 1) + ';' + std::to_string(x + 1) + 'H';
}

}  // namespace

std::string Renderer::frame(const Screen& screen, int columns, int rows) {
    std::string out;
    Style pen;
    if (!valid_ || columns != columns_ || rows != rows_) {
        columns_ = columns;
        rows_ = rows;
        front_.assign(static_cast<std::size_t>(columns) * rows, Cell{});
        out += "\x1b[m\x1b[2J";
        valid_ = true;
    }
    int cursorX = -1;
    int cursorY = -1;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            Cell want = screen.cell(x, y);
            if (want.width == 0) {
                continue;  // drawn with its left half
            }
            if (want.width == 2 && x + 1 >= columns) {
                want = Cell{U' ', 1, want.style};  // half a wide character does not fit
            }
            Cell& have = front_[static_cast<std::size_t>(y) * columns + x];
            const bool rightChanged =
                want.width == 2 &&
                !(front_[static_cast<std::size_t>(y) * columns + x + 1] == screen.cell(x + 1, y));
            if (have == want && !rightChanged) {
                continue;
            }
            if (cursorX != x || cursorY != y) {
                appendMove(out, x, y);
            }
            appendSgr(out, pen, want.style);
            pen = want.style;
            appendUtf8(out, want.ch);
            // The terminal blanks the other half of a wide character that this one cuts in
            // two; mark that cell unknown so it is painted again.
            const int last = x + want.width - 1;
            if (front_[static_cast<std::size_t>(y) * columns + last].width == 2 &&
                last + 1 < columns) {
                front_[static_cast<std::size_t>(y) * columns + last + 1] = Cell{0, 1, {}};
            }
            have = want;
            if (want.width == 2) {
                front_[static_cast<std::size_t>(y) * columns + x + 1] = screen.cell(x + 1, y);
            }
            cursorX = x + want.width;
            cursorY = y;
        }
    }
    if (out.empty()) {
        return out;
    }
    if (!(pen == Style{})) {
        out += "\x1b[m";
    }
    return "\x1b[?2026h" + out + "\x1b[?2026l";
}

}  // namespace tarnwick
