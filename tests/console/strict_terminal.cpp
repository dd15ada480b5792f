#include "strict_terminal.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "console/ambiguous_width.h"
#include "console/size_notice.h"

namespace tarnwick::testing {

namespace {

std::vector<int> numbers(std::string_view params) {
    std::vector<int> out;
    std::size_t pos = 0;
    while (true) {
        const auto end = std::min(params.find(';', pos), params.size());
        out.push_back(std::atoi(std::string(params.substr(pos, end - pos)).c_str()));
        if (end >= params.size()) {
            return out;
        }
        pos = end + 1;
    }
}

std::string describe(const Cell& c) {
    std::string out = "'";
    appendUtf8(out, c.ch);
    return out + "' w" + std::to_string(c.width) + " fg" + std::to_string(c.style.fg) + " bg" +
           std::to_string(c.style.bg) + (c.style.dim ? " dim" : "") +
           (c.style.standout ? " standout" : "");
}

}  // namespace

StrictTerminal::StrictTerminal(int columns, int rows, bool ambiguousWide,
                               const TerminalFeatures& features)
    : columns_(columns),
      rows_(rows),
      ambiguousWide_(ambiguousWide),
      features_(features),
      // Whatever the terminal held before the first clear is unknown.
      cells_(static_cast<std::size_t>(columns) * rows, Cell{Undefined, 1, {}}),
      marginBottom_(rows - 1),
      marginRight_(columns - 1) {}

void StrictTerminal::fault(const std::string& what) {
    faults_ += what + " (cursor " + std::to_string(x_) + "," + std::to_string(y_) + ")\n";
}

void StrictTerminal::feed(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[pos]);
        if (c == 0x1b) {
            if (pos + 1 < bytes.size() && (bytes[pos + 1] == 'D' || bytes[pos + 1] == 'M')) {
                escape(bytes[pos + 1]);
                pos += 2;
                continue;
            }
            if (pos + 1 >= bytes.size() || bytes[pos + 1] != '[') {
                fault("escape that is not a control sequence");
                return;
            }
            std::size_t end = pos + 2;
            while (end < bytes.size() && !(bytes[end] >= 0x40 && bytes[end] <= 0x7e)) {
                ++end;
            }
            if (end >= bytes.size()) {
                fault("unterminated control sequence");
                return;
            }
            control(bytes.substr(pos + 2, end - pos - 2), bytes[end]);
            pos = end + 1;
        } else if (c == '\r') {
            x_ = 0;
            pendingWrap_ = false;
            columnKnown_ = true;
            ++pos;
        } else if (c == '\n') {
            // Whether the terminal adds a carriage return is not known: a line feed must come
            // at the start of a line.
            if (x_ != 0 || y_ + 1 >= rows_ || y_ == marginBottom_) {
                fault("line feed not at the start of a line, or at the bottom");
            }
            ++y_;
            ++pos;
        } else if (c == '\b') {
            // Terminals differ on a backspace from the last column or the first.
            if (pendingWrap_ || x_ == 0 || !columnKnown_) {
                fault("backspace from the edge or an unknown column");
            }
            --x_;
            ++pos;
        } else if (c < 0x20) {
            fault("control character " + std::to_string(c));
            ++pos;
        } else {
            print(decodeUtf8(bytes, pos));
        }
    }
}

void StrictTerminal::control(std::string_view params, char final) {
    if (params == "?2026" && (final == 'h' || final == 'l')) {
        if (!features_.synchronizedOutput) {
            fault("synchronized output on a terminal without it");
        }
        return;
    }
    if (params == "?69" && (final == 'h' || final == 'l')) {
        sideMarginsOn_ = final == 'h';
        marginLeft_ = 0;
        marginRight_ = columns_ - 1;
        return;
    }
    if (final == 'm') {
        sgr(params);
        return;
    }
    const auto n = numbers(params);
    const int first = n[0] == 0 ? 1 : n[0];
    const int second = n.size() > 1 && n[1] != 0 ? n[1] : 1;
    if (edit(params, final, first)) {
        return;
    }
    if (final != 'H' && final != 'G' && !columnKnown_) {
        fault("relative move from an unknown column");
    }
    switch (final) {
        case 'H':
            y_ = first - 1;
            x_ = second - 1;
            break;
        case 'A':
        case 'B':
            y_ += final == 'A' ? -first : first;
            break;
        case 'C':
        case 'D':
            x_ += final == 'D' ? -first : first;
            break;
        case 'G':
            x_ = first - 1;
            break;
        case 'd':
            y_ = first - 1;
            break;
        case 'J':
            if (params != "2") {
                fault("erase other than the whole display");
            }
            std::fill(cells_.begin(), cells_.end(), blank());
            return;
        default:
            fault(std::string("unexpected control sequence ") + final);
            return;
    }
    columnKnown_ = columnKnown_ || final == 'H' || final == 'G';
    if (final != 'H' && final != 'G' && pendingWrap_) {
        fault("relative move from the pending-wrap state");
    }
    pendingWrap_ = false;
    if (x_ < 0 || y_ < 0 || x_ >= columns_ || y_ >= rows_) {
        fault("cursor moved off the screen");
    }
}

void StrictTerminal::escape(char final) {
    if (pendingWrap_) {
        fault("index from the pending-wrap state");
    }
    if (x_ < marginLeft_ || x_ > marginRight_) {
        fault("index outside the side margins");
    }
    const int edge = final == 'D' ? marginBottom_ : marginTop_;
    const int step = final == 'D' ? 1 : -1;
    if (y_ == edge) {
        scrollRows(marginTop_, -step);
    } else if (y_ + step >= 0 && y_ + step < rows_) {
        y_ += step;
    }
}

void StrictTerminal::scrollRows(int from, int by) {
    const int height = marginBottom_ - from + 1;
    by = std::clamp(by, -height, height);
    std::vector<Cell> moved(cells_);
    for (int y = from; y <= marginBottom_; ++y) {
        const int source = y - by;
        for (int x = marginLeft_; x <= marginRight_; ++x) {
            moved[static_cast<std::size_t>(y) * columns_ + x] =
                source >= from && source <= marginBottom_ ? cell(x, source) : blank();
        }
    }
    cells_ = std::move(moved);
}

bool StrictTerminal::edit(std::string_view params, char final, int count) {
    switch (final) {
        case 'r': {
            const auto n = numbers(params);
            const int top = n[0] == 0 ? 0 : n[0] - 1;
            const int bottom = n.size() > 1 && n[1] != 0 ? n[1] - 1 : rows_ - 1;
            if (top >= bottom || bottom >= rows_) {
                fault("scrolling region out of range");
                return true;
            }
            marginTop_ = top;
            marginBottom_ = bottom;
            x_ = 0;
            y_ = 0;
            pendingWrap_ = false;
            columnKnown_ = true;
            return true;
        }
        case 's': {
            const auto n = numbers(params);
            const int left = n[0] == 0 ? 0 : n[0] - 1;
            const int right = n.size() > 1 && n[1] != 0 ? n[1] - 1 : columns_ - 1;
            if (!sideMarginsOn_ || left >= right || right >= columns_) {
                fault("side margins without DECLRMM, or out of range");
                return true;
            }
            marginLeft_ = left;
            marginRight_ = right;
            x_ = 0;
            y_ = 0;
            pendingWrap_ = false;
            columnKnown_ = true;
            return true;
        }
        case 'L':
        case 'M':
            if (x_ < marginLeft_ || x_ > marginRight_) {
                fault("line insert or delete outside the side margins");
            }
            if (pendingWrap_ || y_ < marginTop_ || y_ > marginBottom_) {
                fault("line insert or delete outside the scrolling region");
            }
            scrollRows(y_, final == 'L' ? count : -count);
            columnKnown_ = false;
            return true;
        case 'K':
            if (!params.empty() && params != "0") {
                fault("erase other than to the end of the row");
            }
            if (pendingWrap_ || !columnKnown_) {
                fault("erase from the pending-wrap state or an unknown column");
            }
            if (x_ > 0 && at(x_, y_).width == 0) {
                at(x_ - 1, y_) = Cell{Undefined, 1, {}};
            }
            std::fill_n(&at(x_, y_), columns_ - x_, blank());
            return true;
        default:
            return false;
    }
}

void StrictTerminal::sgr(std::string_view params) {
    for (const int v : numbers(params)) {
        if (v == 0) {
            pen_ = Style{};
        } else if (v == 2 || v == 22) {
            pen_.dim = v == 2;
        } else if (v == 7 || v == 27) {
            pen_.standout = v == 7;
        } else if (!features_.colours && v >= 30 && v <= 49) {
            fault("colour on a terminal without colours");
        } else if (v >= 30 && v <= 37) {
            pen_.fg = static_cast<std::uint8_t>(v - 30);
        } else if (v == 39) {
            pen_.fg = ColourDefault;
        } else if (v >= 40 && v <= 47) {
            pen_.bg = static_cast<std::uint8_t>(v - 40);
        } else if (v == 49) {
            pen_.bg = ColourDefault;
        } else {
            fault("unexpected SGR " + std::to_string(v));
        }
    }
}

int StrictTerminal::widthOf(char32_t ch) const {
    return ambiguousWide_ && narrowStandIn(ch) != 0 ? 2 : codePointWidth(ch);
}

void StrictTerminal::print(char32_t ch) {
    const int width = widthOf(ch);
    if (!columnKnown_) {
        fault("print at an unknown column");
    }
    if (pendingWrap_) {
        fault("print that wraps to the next line");
        return;
    }
    if (x_ < 0 || y_ < 0 || y_ >= rows_ || x_ + width > columns_) {
        fault("print beyond the terminal's edge");
        return;
    }
    if (at(x_, y_).width == 0 && x_ > 0) {
        at(x_ - 1, y_) = Cell{Undefined, 1, {}};
    }
    const int last = x_ + width - 1;
    if (at(last, y_).width == 2 && last + 1 < columns_) {
        at(last + 1, y_) = Cell{Undefined, 1, {}};
    }
    at(x_, y_) = Cell{ch, static_cast<std::uint8_t>(width), pen_};
    if (width == 2) {
        at(x_ + 1, y_) = Cell{U' ', 0, pen_};
    }
    x_ = last + 1;
    if (x_ >= columns_) {
        x_ = columns_ - 1;
        pendingWrap_ = true;
    }
}

std::string StrictTerminal::compareCell(const std::vector<Cell>& row, int& x, int y) const {
    Cell want = row[static_cast<std::size_t>(x)];
    if (x == columns_ - 1 && want.width == 2) {
        want = Cell{U' ', 1, want.style};
    }
    const Cell& have = cell(x, y);
    if (ambiguousWide_ && want.width == 1 && narrowStandIn(want.ch) != 0) {
        // A wide character in the last column shows as a blank: it pads like one.
        Cell padding = x + 1 < columns_ ? row[static_cast<std::size_t>(x) + 1] : Cell{};
        if (x + 1 == columns_ - 1 && padding.width == 2) {
            padding.ch = U' ';
        }
        const bool overPadding =
            have.ch == want.ch && have.width == 2 && (padding.ch == want.ch || padding.ch == U' ');
        const bool standIn = have.ch < 0x80 && have.width == 1;
        if ((overPadding || standIn) && have.style == want.style) {
            x += have.width;
            return {};
        }
    } else if (have == want) {
        ++x;
        return {};
    }
    const std::string out = "at " + std::to_string(x) + "," + std::to_string(y) + " terminal " +
                            describe(have) + ", screen " + describe(want) + "\n";
    ++x;
    return out;
}

std::string StrictTerminal::differencesFrom(const Screen& screen) const {
    return differencesFrom(screen, plainFrame(screen, columns_, rows_));
}

std::string StrictTerminal::differencesFrom(const Screen& screen, const ViewFrame& frame) const {
    std::string out;
    const bool tooSmall = frame.needColumns > 0;
    const int shownRows = tooSmall ? rows_ - 1 : rows_;
    int count = 0;
    std::vector<Cell> row;
    for (int y = 0; y < shownRows; ++y) {
        composeViewRow(screen, frame, y, row);
        for (Cell& c : row) {
            c.style = shownStyle(c.style, features_);
        }
        // A row that holds the same cells as memory shows them (but for a wide character in
        // the last column, which the terminal shows as a blank).
        const bool same = !ambiguousWide_ && columns_ > 0 && row.back().width != 2 &&
                          std::memcmp(row.data(), &cell(0, y), row.size() * sizeof(Cell)) == 0;
        for (int x = 0; x < columns_ && count < 5 && !same;) {
            const std::string difference = compareCell(row, x, y);
            if (!difference.empty()) {
                out += difference;
                ++count;
            }
        }
    }
    if (tooSmall) {
        // The notice, whole, or cut where its next character would not fit.
        const std::string notice = sizeNoticeText(frame.needColumns, frame.needRows);
        const std::string shown = rowText(rows_ - 1);
        std::size_t next = notice.find_first_not_of(' ', shown.size());
        if (next != std::string::npos) {
            decodeUtf8(notice, next);
        }
        const bool cut =
            notice.starts_with(shown) && displayWidth(notice.substr(0, next)) > columns_;
        if (shown != notice && !cut) {
            out += "last row \"" + shown + "\" is not the notice \"" + notice + "\"\n";
        }
    }
    return out;
}

std::string StrictTerminal::rowText(int y) const {
    std::string out;
    for (int x = 0; x < columns_; ++x) {
        if (cell(x, y).width != 0) {
            appendUtf8(out, cell(x, y).ch);
        }
    }
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

}  // namespace tarnwick::testing
