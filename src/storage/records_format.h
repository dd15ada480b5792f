// The records file: UTF-8 text a person can read and edit, one line per mode and board size,
// seven columns separated by blanks:
//
//   # mode  size  games  wins  best  levels  coins
//   timed   25    12     5     291   0       40
//   endless 29    3      0     -     7       95
//
//   mode    the game's key of the mode (any word without blanks, not starting with #)
//   size    the board's size in cells (a positive whole number)
//   games   games ended in this mode and size: won, lost or left from the pause screen
//   wins    games won (at most `games`)
//   best    the shortest time to the exit in a won game, in tenths of a second of game
//           time; - when there is none yet
//   levels  the most levels cleared in one endless run
//   coins   coins collected in all these games
//
// Every number but the size is a whole number from 0. Blank lines and lines that begin with
// # are comments. A line that is none of these, and a second line of the same mode and size,
// cannot be read: it is kept as it is when the file is rewritten, and a note says so. The game
// writes a file with no lines with a header comment that says what the columns are.
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

// Adds the game to its record in the table (a new record at the end when there is none) and
// returns the record as it now is.
const Record& addGame(RecordsTable& table, const FinishedGame& game);

}  // namespace tarnwick::storage
