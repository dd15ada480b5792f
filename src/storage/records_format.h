// The records file: UTF-8 text a person can read and edit, one line per mode and board size
// with seven columns (mode, size, games, wins, best, levels, coins), and comments. The format,
// and what becomes of a line that cannot be read, are told in the manual page (doc/tarnwick.6,
// FILES).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::storage {

struct Record {
    std::string mode;
    int boardSize = 0;
    std::int64_t games = 0;
    std::int64_t wins = 0;
    std::optional<std::int64_t> bestTenths = std::nullopt;  // none until a game is won
    std::int64_t mostLevels = 0;
    std::int64_t coins = 0;

    bool operator==(const Record&) const = default;
};

struct RecordsTable {
    std::vector<Record> records;  // in the order of the file, new ones at the end
    // Every line of the file: a comment or a line that could not be read as it was, or, for
    // a record, its index in `records` (written out anew from the record).
    struct Line {
        std::string text;
        int record = -1;
    };
    std::vector<Line> lines;
    std::vector<int> badLines;  // lines that could not be read, numbered from 1
};

// One ended game, as the game tells it.
struct FinishedGame {
    std::string mode;
    int boardSize = 0;
    bool won = false;
    std::int64_t timeTenths = 0;  // game time to the exit; counts only when won
    std::int64_t levels = 0;      // levels cleared in this endless run
    std::int64_t coins = 0;       // coins collected
};

RecordsTable parseRecords(std::string_view text);
std::string serializeRecords(const RecordsTable& table);

// The record of a mode and size, if the table has one.
const Record* findRecord(const RecordsTable& table, std::string_view mode, int boardSize);

// The record with one more game: games + 1, a win + 1, the best time kept when lower, the
// most levels kept when higher, the coins added (every count stops at its largest value).
Record addGameToRecord(Record record, const FinishedGame& game);

// An ended game as one line of the records' journal (journal.h): the mode, the size, 1 for a
// win or 0, the time, the levels and the coins. Read back, or nullopt for any other line.
std::string journalLine(const FinishedGame& game);
std::optional<FinishedGame> parseJournalLine(std::string_view line);

// Adds the game to its record in the table (a new record at the end when there is none) and
// returns the record as it now is.
const Record& addGame(RecordsTable& table, const FinishedGame& game);

}  // namespace tarnwick::storage
