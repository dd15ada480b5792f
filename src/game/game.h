// The context every game function receives: the state record, the console and the random
// source.
#pragma once

#include <string_view>

#include "console/console.h"
#include "game/game_state.h"
#include "storage/notes.h"
#include "storage/storage_folders.h"

namespace tarnwick {

// The game's files: where the settings and the records are kept, and the notes on what went
// wrong with them, printed once the terminal is restored. A folder with an empty path keeps
// nothing; its note, if any, says why.
struct GameFiles {
    storage::StorageFolder settings;
    storage::StorageFolder records;
    storage::Notes notes;
};

// Keeps the notes for the end of the run, each once.
inline void keepNotes(GameFiles& files, const storage::Notes& notes) {
    for (const Message& note : notes) {
        storage::addNote(files.notes, note);
    }
}

struct Game {
    explicit Game(Console& c) : console(c), random(c) {}
    GameState state;
    Console& console;
    // Every random choice of the game draws from here, one value per statement.
    RandomSource& random;
    GameFiles files;
    // What the play screen shows beside the state: whether its panel was drawn in the narrow
    // form, and the hint to the exit it shows (empty: none), with the cell where the exit was
    // found last.
    bool narrowPanel = false;
    std::string_view exitHint;
    int exitX = 0;
    int exitY = 0;
};

}  // namespace tarnwick
