// The program entry and the main menu.
#pragma once

#include "game/game.h"
#include "menus/program_options.h"
#include "storage/notes.h"
#include "storage/storage_folders.h"

namespace tarnwick {

// Where the program keeps its settings and its records; the default keeps nothing.
struct ProgramFolders {
    storage::StorageFolder settings;
    storage::StorageFolder records;
};

// Runs the whole program on a console; returns the exit status, always 0. The options give
// the random seed (else the clock's seconds), may mute the sound and may leave the settings
// file alone (--defaults). The notes on the files, if asked for, are left in `notes` for the
// caller to print once the terminal is restored.
int programEntry(Console& terminal, const ProgramOptions& options = {},
                 const ProgramFolders& folders = {}, storage::Notes* notes = nullptr);
// Shows the main menu and reads one key: 1 to 5 for a screen, 0 to quit, -1 for any other key.
int mainMenu(Game& game);

}  // namespace tarnwick
