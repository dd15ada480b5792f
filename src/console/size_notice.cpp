#include "console/size_notice.h"

namespace tarnwick {

namespace {

// White on red, so that it does not pass for part of the screen behind it.
constexpr Style NoticeStyle{7, 1};

}  // namespace

std::string sizeNoticeText(int columns, int rows) {
    return "窗口太小啦！请放大到 " + std::to_string(columns) + " 列 " + std::to_string(rows) +
           " 行";
}

std::vector<Cell> sizeNoticeRow(int neededColumns, int neededRows, int width) {
    std::vector<Cell> row(static_cast<std::size_t>(width > 0 ? width : 0));
    const std::string text = sizeNoticeText(neededColumns, neededRows);
    std::size_t pos = 0;
    int x = 0;
    while (pos < text.size()) {
        const char32_t ch = decodeUtf8(text, pos);
        const int columns = codePointWidth(ch);
        if (x + columns > width) {
            break;
        }
        row[static_cast<std::size_t>(x)] =
            Cell{ch, static_cast<std::uint8_t>(columns), NoticeStyle};
        if (columns == 2) {
            row[static_cast<std::size_t>(x) + 1] = Cell{U' ', 0, NoticeStyle};
        }
        x += columns;
    }
    return row;
}

}  // namespace tarnwick
