#include "console/escape_codes.h"

namespace tarnwick {

namespace {

// Concatenates by appending: GCC 12 at -O3 reports a false -Wrestrict on chains of
// operator+ that start from a literal.
template <typename... Parts>
std::string join(const Parts&... parts) {
    std::string out;
    (out.append(parts), ...);
    return out;
}

// CSI with one count parameter, left out when it is 1 (the default).
std::string relative(int count, char final) {
    std::string out = "\x1b[";
    if (count != 1) {
        out += std::to_string(count);
    }
    out += final;
    return out;
}

std::string absolute(int x, int y) {
    if (x == 0 && y == 0) {
        return "\x1b[H";
    }
    std::string out = join("\x1b[", std::to_string(y + 1));
    if (x != 0) {
        out.append(join(";", std::to_string(x + 1)));
    }
    return out.append("H");
}

void keepShorter(std::string& best, std::string candidate) {
    if (candidate.size() < best.size()) {
        best = std::move(candidate);
    }
}

// Horizontal moves within the cursor's row, from a known column: to the column by its number,
// from the row's start, a step right or left, or backspaces (a byte a column).
std::string horizontal(int fromX, int x) {
    if (x == fromX) {
        return {};
    }
    std::string best = join("\x1b[", std::to_string(x + 1), "G");
    keepShorter(best, x == 0 ? std::string("\r") : join("\r", relative(x, 'C')));
    keepShorter(best, x > fromX ? relative(x - fromX, 'C') : relative(fromX - x, 'D'));
    if (x < fromX && fromX - x < static_cast<int>(best.size())) {
        best = std::string(static_cast<std::size_t>(fromX - x), '\b');
    }
    return best;
}

// From column 0 of the cursor's row down to column x of a lower row: CR LF per row is
// independent of whether the terminal turns LF into CR LF.
std::string downFromLineStart(int rows, int x) {
    std::string out(static_cast<std::size_t>(rows), '\n');
    if (x > 0) {
        out += relative(x, 'C');
    }
    return out;
}

}  // namespace

std::string cheapestMove(const CursorState& from, int x, int y, const std::string* overwrite) {
    if (from.known() && !from.pendingWrap && from.x == x && from.y == y) {
        return {};
    }
    std::string best = absolute(x, y);
    if (!from.known()) {
        return best;
    }
    const int dy = y - from.y;
    // A carriage return is safe from the pending-wrap state too.
    if (dy == 0) {
        keepShorter(best, x == 0 ? std::string("\r") : join("\r", relative(x, 'C')));
    } else if (dy > 0) {
        keepShorter(best, join("\r", downFromLineStart(dy, x)));
    }
    if (from.pendingWrap) {
        return best;
    }
    if (dy == 0 && overwrite != nullptr && x > from.x) {
        keepShorter(best, *overwrite);
    }
    std::string vertical;
    if (dy > 0) {
        vertical = relative(dy, 'B');
    } else if (dy < 0) {
        vertical = relative(-dy, 'A');
    }
    if (dy != 0) {
        // The row by its number, the column kept (VPA).
        keepShorter(vertical, join("\x1b[", std::to_string(y + 1), "d"));
    }
    keepShorter(best, vertical + horizontal(from.x, x));
    return best;
}

std::string scrollRegion(int top, int bottom) {
    return join("\x1b[", std::to_string(top + 1), ";", std::to_string(bottom + 1), "r");
}

std::string sideMargins(int left, int right) {
    return join("\x1b[", std::to_string(left + 1), ";", std::to_string(right + 1), "s");
}

std::string indexLines(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += "\033D";  // IND (octal: a hex escape would take the D)
    }
    for (int i = 0; i > count; --i) {
        out += "\033M";  // RI
    }
    return out;
}

std::string deleteLines(int count) {
    return count >= 0 ? relative(count, 'M') : relative(-count, 'L');
}

std::string styleChange(Style from, bool fromKnown, Style to) {
    if (fromKnown && from == to) {
        return {};
    }
    auto fg = [](std::uint8_t c) { return std::to_string(c == ColourDefault ? 39 : 30 + c); };
    auto bg = [](std::uint8_t c) { return std::to_string(c == ColourDefault ? 49 : 40 + c); };
    auto add = [](std::string& params, const std::string& param) {
        params.append(params.empty() ? "" : ";").append(param);
    };
    // From a reset: only the fields that differ from the defaults.
    std::string reset = "0";
    if (to.dim) {
        add(reset, "2");
    }
    if (to.standout) {
        add(reset, "7");
    }
    if (to.fg != ColourDefault) {
        add(reset, fg(to.fg));
    }
    if (to.bg != ColourDefault) {
        add(reset, bg(to.bg));
    }
    reset = reset == "0" ? std::string("\x1b[m") : join("\x1b[", reset, "m");
    if (!fromKnown) {
        return reset;
    }
    std::string delta;
    if (to.dim != from.dim) {
        add(delta, to.dim ? "2" : "22");
    }
    if (to.standout != from.standout) {
        add(delta, to.standout ? "7" : "27");
    }
    if (to.fg != from.fg) {
        add(delta, fg(to.fg));
    }
    if (to.bg != from.bg) {
        add(delta, bg(to.bg));
    }
    delta = join("\x1b[", delta, "m");
    return delta.size() <= reset.size() ? delta : reset;
}

}  // namespace tarnwick
