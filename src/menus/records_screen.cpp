#include "menus/records_screen.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "console/screen.h"
#include "game/colours.h"
#include "play/game_record.h"
#include "storage/records_store.h"

namespace tarnwick {

namespace {

// The columns: heading and width (the last is not padded).
struct Column {
    std::string_view heading;
    int width;
};
constexpr std::array<Column, 7> Columns{{
    {"模式", 12},
    {"大小", 6},
    {"局数", 8},
    {"胜局", 8},
    {"最佳用时", 12},
    {"最多关数", 10},
    {"金币", 0},
}};
constexpr std::string_view NoBestTime = "-";
constexpr std::string_view SecondsUnit = " 秒";
constexpr std::string_view NoRecords = "还没有记录";

// The screen: the title, the table from its heading down, the rows that did not fit, the line
// that tells how to leave. The whole screen shows green on black.
constexpr int ScreenColumn = 8;
constexpr ScreenLine TitleLine{ScreenColumn, 1, "游戏记录"};
constexpr int TableRow = 3;
constexpr int MostRowsShown = 17;
constexpr int MoreRow = TableRow + 1 + MostRowsShown;
constexpr std::string_view MoreText = "另有 %d 行未显示，全部记录请用 tarnwick --records";
constexpr ScreenLine LeaveLine{ScreenColumn, 23, "按任意键返回主菜单"};

// Where a mode stands in the mode table; modes the game does not know come after.
std::size_t modeOrder(std::string_view key) {
    const auto modes = modeTable();
    const auto found = std::find_if(modes.begin(), modes.end(),
                                    [&](const ModeEntry& mode) { return mode.recordKey == key; });
    return static_cast<std::size_t>(found - modes.begin());
}

// The mode's name in the game's texts; a mode it does not know shows its key, in printable
// ASCII only, so that no byte of a file reaches the terminal as a control.
std::string modeName(std::string_view key) {
    const std::size_t order = modeOrder(key);
    if (order < modeTable().size()) {
        return std::string(modeTable()[order].menuName);
    }
    std::string name(key);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c < '!' || c > '~'; }, '?');
    return name;
}

std::string tableLine(const std::array<std::string, Columns.size()>& cells) {
    std::string line;
    for (std::size_t i = 0; i < Columns.size(); ++i) {
        line += cells[i];
        if (i + 1 < Columns.size()) {
            // At least two blanks between columns, however wide a number is.
            line.append(
                static_cast<std::size_t>(std::max(2, Columns[i].width - displayWidth(cells[i]))),
                ' ');
        }
    }
    return line;
}

std::string recordLine(const storage::Record& record) {
    return tableLine({modeName(record.mode), std::to_string(record.boardSize),
                      std::to_string(record.games), std::to_string(record.wins),
                      record.bestTenths ? secondsText(*record.bestTenths) + std::string(SecondsUnit)
                                        : std::string(NoBestTime),
                      std::to_string(record.mostLevels), std::to_string(record.coins)});
}

// The records in the table's order.
std::vector<storage::Record> sortedRecords(const storage::RecordsTable& table) {
    std::vector<storage::Record> records = table.records;
    std::stable_sort(records.begin(), records.end(),
                     [](const storage::Record& a, const storage::Record& b) {
                         const auto orderA = modeOrder(a.mode);
                         const auto orderB = modeOrder(b.mode);
                         return orderA != orderB   ? orderA < orderB
                                : a.mode != b.mode ? a.mode < b.mode
                                                   : a.boardSize < b.boardSize;
                     });
    return records;
}

// The records the screen has room for: all when they fit, else the most played.
std::vector<storage::Record> recordsShown(std::vector<storage::Record> records) {
    if (records.size() <= MostRowsShown) {
        return records;
    }
    std::vector<std::size_t> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return records[a].games > records[b].games;
    });
    order.resize(MostRowsShown);
    std::sort(order.begin(), order.end());
    std::vector<storage::Record> shown;
    for (const std::size_t i : order) {
        shown.push_back(records[i]);
    }
    return shown;
}

}  // namespace

std::vector<std::string> recordsTableLines(const storage::RecordsTable& table) {
    std::array<std::string, Columns.size()> headings;
    std::transform(Columns.begin(), Columns.end(), headings.begin(),
                   [](const Column& column) { return std::string(column.heading); });
    std::vector<std::string> lines{tableLine(headings)};
    for (const storage::Record& record : sortedRecords(table)) {
        lines.push_back(recordLine(record));
    }
    return lines;
}

std::string recordsText(const storage::RecordsTable& table) {
    if (table.records.empty()) {
        return std::string(NoRecords) + "\n";
    }
    std::string text;
    for (const std::string& line : recordsTableLines(table)) {
        text += line + "\n";
    }
    return text;
}

void recordsScreen(Game& game) {
    Console& console = game.console;
    storage::LoadedRecords loaded = storage::loadRecords(game.files.records);
    keepNotes(game.files, loaded.notes);
    const std::size_t total = loaded.table.records.size();
    loaded.table.records = recordsShown(std::move(loaded.table.records));
    const std::vector<std::string> table = total == 0
                                               ? std::vector<std::string>{std::string(NoRecords)}
                                               : recordsTableLines(loaded.table);
    const std::string more =
        formatInt(MoreText, static_cast<int>(total - loaded.table.records.size()));
    std::vector<ScreenLine> lines{TitleLine};
    for (std::size_t i = 0; i < table.size(); ++i) {
        lines.push_back({ScreenColumn, TableRow + static_cast<int>(i), table[i]});
    }
    if (total > loaded.table.records.size()) {
        lines.push_back({ScreenColumn, MoreRow, more});
    }
    lines.push_back(LeaveLine);
    console.hideCursor();
    printLinesInColour(console, ColourGreenOnBlack, lines);
    console.readKey();
    console.clearScreen();
}

}  // namespace tarnwick
