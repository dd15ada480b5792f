#include "console/screen.h"

#include <algorithm>
#include <array>

namespace tarnwick {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// East Asian Wide (W) and Fullwidth (F) blocks.
constexpr std::array<Range, 16> WideRanges{{
    {0x1100, 0x115F},
    {0x2E80, 0x303E},
    {0x3041, 0x33FF},
    {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF},
    {0xA960, 0xA97F},
    {0xAC00, 0xD7A3},
    {0xF900, 0xFAFF},
    {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},
    {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6},
    {0x1F300, 0x1F64F},
    {0x1F900, 0x1F9FF},
    {0x20000, 0x3FFFD},
}};

}  // namespace

char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t ch = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        ch = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        ch = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        ch = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) {
            return 0xFFFD;
        }
        ch = (ch << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    }
    return ch;
}

namespace {

// Skips an escape sequence starting at text[pos] == ESC. Returns the SGR parameters when it
// is an SGR sequence, and sets `isSgr`.
std::string_view skipEscape(std::string_view text, std::size_t& pos, bool& isSgr) {
    isSgr = false;
    ++pos;  // ESC
    if (pos >= text.size()) {
        return {};
    }
    if (text[pos] != '[') {
        ++pos;  // a two-byte sequence
        return {};
    }
    const std::size_t start = ++pos;
    while (pos < text.size()) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c >= 0x40 && c <= 0x7E) {
            isSgr = c == 'm';
            return text.substr(start, pos++ - start);
        }
        ++pos;
    }
    return {};
}

}  // namespace

int codePointWidth(char32_t ch) {
    if (ch < WideRanges.front().first) {
        return 1;  // ASCII and the other scripts below the first wide block
    }
    for (const auto& range : WideRanges) {
        if (ch >= range.first && ch <= range.last) {
            return 2;
        }
    }
    return 1;
}

int displayWidth(std::string_view utf8) {
    int width = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (utf8[pos] == '\x1b') {
            bool isSgr = false;
            skipEscape(utf8, pos, isSgr);
            continue;
        }
        const char32_t ch = decodeUtf8(utf8, pos);
        if (ch >= 0x20) {
            width += codePointWidth(ch);
        }
    }
    return width;
}

void appendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

Screen::Screen() : cells_(static_cast<std::size_t>(Columns) * Rows) {}

Screen::ChangeCounts& Screen::ChangeCounts::operator=(const ChangeCounts& other) {
    clearedAt = std::max(count, other.count) + 1;
    count = clearedAt + 1;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = other.rows[y] > other.clearedAt ? count : 0;  // written since its clear
    }
    return *this;
}

std::span<const Cell> Screen::rowCells(int y) const {
    if (y < 0 || y >= Rows) {
        return {};
    }
    return std::span(cells_).subspan(static_cast<std::size_t>(y) * Columns, Columns);
}

bool Screen::rowChangedSince(int y, std::uint64_t since) const {
    if (changes_.clearedAt > since) {
        return true;
    }
    return y >= 0 && y < Rows && changes_.rows[static_cast<std::size_t>(y)] > since;
}

void Screen::moveTo(int x, int y) {
    cursorX_ = x;
    cursorY_ = y;
}

void Screen::clear() {
    // Only the rows written since the last clear hold anything but blanks.
    for (int y = 0; y < Rows; ++y) {
        if (changes_.rows[static_cast<std::size_t>(y)] > changes_.clearedAt) {
            const auto row = cells_.begin() + static_cast<std::ptrdiff_t>(y) * Columns;
            std::fill(row, row + Columns, Cell{});
        }
    }
    cursorX_ = 0;
    cursorY_ = 0;
    usedColumns_ = 0;
    usedRows_ = 0;
    firstColumn_ = Columns;
    firstRow_ = Rows;
    changes_.clearedAt = ++changes_.count;
}

const Cell& Screen::cell(int x, int y) const {
    static const Cell outside{};
    if (x < 0 || y < 0 || x >= Columns || y >= Rows) {
        return outside;
    }
    return cells_[static_cast<std::size_t>(y) * Columns + x];
}

void Screen::print(std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (utf8[pos] == '\x1b') {
            bool isSgr = false;
            const auto params = skipEscape(utf8, pos, isSgr);
            if (isSgr) {
                applySgr(params);
            }
            continue;
        }
        const char32_t ch = decodeUtf8(utf8, pos);
        if (ch >= 0x20 && ch != 0x7F) {
            put(ch);
        }
    }
}

void Screen::applySgr(std::string_view params) {
    std::size_t pos = 0;
    while (true) {
        const auto end = std::min(params.find(';', pos), params.size());
        const auto field = params.substr(pos, end - pos);
        int value = 0;
        bool numeric = true;
        for (const char c : field) {
            if (c < '0' || c > '9' || value > 1000) {
                numeric = false;
                break;
            }
            value = value * 10 + (c - '0');
        }
        if (numeric) {
            if (value == 0) {
                style_ = Style{};
            } else if (value == 2 || value == 22) {
                style_.dim = value == 2;  // 22: normal intensity
            } else if (value == 7 || value == 27) {
                style_.standout = value == 7;  // 27: not reversed
            } else if (value >= 30 && value <= 37) {
                style_.fg = static_cast<std::uint8_t>(value - 30);
            } else if (value == 39) {
                style_.fg = ColourDefault;
            } else if (value >= 40 && value <= 47) {
                style_.bg = static_cast<std::uint8_t>(value - 40);
            } else if (value == 49) {
                style_.bg = ColourDefault;
            }
        }
        if (end >= params.size()) {
            break;
        }
        pos = end + 1;
    }
}

void Screen::blank(int x, int y) {
    if (x >= 0 && y >= 0 && x < Columns && y < Rows) {
        Cell& c = at(x, y);
        c.ch = U' ';
        c.width = 1;
    }
}

void Screen::put(char32_t ch) {
    const int width = codePointWidth(ch);
    const int x = cursorX_;
    const int y = cursorY_;
    cursorX_ += width;
    if (y < 0 || y >= Rows || x < 0 || x + width > Columns) {
        return;
    }
    changes_.rows[static_cast<std::size_t>(y)] = ++changes_.count;
    // Whatever wide character the new one cuts in half loses its other half.
    if (at(x, y).width == 0) {
        blank(x - 1, y);
    }
    const int lastX = x + width - 1;
    if (at(lastX, y).width == 2) {
        blank(lastX + 1, y);
    }
    at(x, y) = Cell{ch, static_cast<std::uint8_t>(width), style_};
    if (width == 2) {
        at(x + 1, y) = Cell{U' ', 0, style_};
    }
    if (isVisible(at(x, y))) {
        usedColumns_ = std::max(usedColumns_, x + width);
        usedRows_ = std::max(usedRows_, y + 1);
        firstColumn_ = std::min(firstColumn_, x);
        firstRow_ = std::min(firstRow_, y);
    }
}

std::string Screen::textAt(int x, int y, int columns) const {
    std::string out;
    for (int i = x; i < x + columns; ++i) {
        const Cell& c = cell(i, y);
        if (c.width != 0) {
            appendUtf8(out, c.ch);
        }
    }
    return out;
}

std::string Screen::rowText(int y) const {
    std::string out = textAt(0, y, Columns);
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

std::string Screen::dump() const {
    std::string out;
    int lastRow = -1;
    for (int y = 0; y < Rows; ++y) {
        if (!rowText(y).empty()) {
            lastRow = y;
        }
    }
    for (int y = 0; y <= lastRow; ++y) {
        out += rowText(y);
        out += '\n';
    }
    return out;
}

}  // namespace tarnwick
