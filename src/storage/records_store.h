// The records file of the game (records_format.h) in its folder (storage_folders.h): read for
// the records screen, and added to when a game ends, under the file's lock so that two games
// running at once both count. A game that does not get the lock within LockWait goes to the
// file's journal (records_journal.h), which is read with the file: no game is ever lost, and
// every game shows at once.
//
// A records file with lines that cannot be read keeps them as they are and is still written,
// with a note. A records file that is not text, over 64 KiB, unreadable or without write
// permission is never written over: the game's record is not kept, and a note says so.
#pragma once

#include <string>

#include "storage/file_lock.h"
#include "storage/notes.h"
#include "storage/records_format.h"
#include "storage/storage_folders.h"

namespace tarnwick::storage {

inline constexpr const char* RecordsFileName = "records";

struct LoadedRecords {
    RecordsTable table;
    Notes notes;
};

// Reads the records; a missing file (or no folder) gives an empty table.
LoadedRecords loadRecords(const StorageFolder& folder);

struct RecordedGame {
    Record before;  // the record of the game's mode and size before it (games 0 when none)
    Record after;   // the record with the game added
    bool newBestTime = false;  // a won game faster than any before
    bool written = false;      // the file holds the game
    Notes notes;
};

// Adds one ended game to the records file.
RecordedGame recordGame(const StorageFolder& folder, const FinishedGame& game,
                        std::chrono::milliseconds lockWait = LockWait);

}  // namespace tarnwick::storage
