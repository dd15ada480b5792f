// The records: a table with one row per mode and board size (games, wins, the best time to
// the exit, the most levels of one endless run, the coins picked up), shown by the records
// screen (key 5 of the main menu) and printed as plain text by `tarnwick --records`.
#pragma once

#include <string>
#include <vector>

#include "game/game.h"
#include "storage/records_format.h"

namespace tarnwick {

// The table's heading and its rows: the modes in the order of the mode table (modes the game
// does not know after them), each mode's sizes from the smallest. Blanks pad the columns.
std::vector<std::string> recordsTableLines(const storage::RecordsTable& table);

// The whole table as plain text, one line each, or a line that says there are no records.
std::string recordsText(const storage::RecordsTable& table);

// Shows the records and waits for any key.
void recordsScreen(Game& game);

}  // namespace tarnwick
